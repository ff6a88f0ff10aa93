// The loader's warning with the wide-character MessageBoxW: its text is readable in every code page.
#include "platform/file.h"
#include "platform/win32_text.h"

void ShowWarning(const std::string& text, const char* caption) {
    MessageBoxW(nullptr, Utf16(text).c_str(), Utf16(caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
