// The design's texts are UTF-8; the Win32 API speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

std::wstring Utf16(std::string_view utf8);
