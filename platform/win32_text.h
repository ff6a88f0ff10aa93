// The program's texts are UTF-8; the Win32 API speaks UTF-16. One conversion each way, and the system's own
// description of an error, all without a code page in between: a folder named in any script survives.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// The system's description of error `code` in the user's language, as UTF-8, without the line break and
// full stop that end it (as the standard library's system category gives it).
std::string SystemMessage(DWORD code);
