// The program's message box: modal, with a caption, UTF-8 text, and the buttons and icon that a Win32
// MessageBox style names (MB_OK with MB_ICONHAND or MB_ICONEXCLAMATION, say). Returns once it is answered.
#pragma once

#include <string>

void MsgBox(const std::string& textUtf8, const char* captionUtf8, unsigned style);
