// The message box on Windows: the wide-character MessageBoxW, so that its text is readable in every code
// page. It has no owner: the program's only box comes while its window is still hidden.
#include "platform/messagebox.h"

#include "platform/win32_text.h"

void MsgBox(const std::string& textUtf8, const char* captionUtf8, unsigned style) {
    MessageBoxW(nullptr, Utf16(textUtf8).c_str(), Utf16(captionUtf8).c_str(), style);
}
