// The program's own folder as the current directory, through the wide-character entry points: the ANSI ones
// turn every character outside the code page into '?', and a folder named in another script is then not
// found.
#include "platform/file.h"
#include "platform/win32_text.h"

std::optional<std::string> EnterProgramFolder() {
    // The buffer grows until the name fits: a name longer than MAX_PATH is cut short and reported with
    // ERROR_INSUFFICIENT_BUFFER (on Windows XP only by filling the buffer).
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return SystemMessage(GetLastError());
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    // A folder longer than MAX_PATH: Wine takes it as it is. Windows keeps the current directory within
    // MAX_PATH unless long paths are enabled (the manifest opts in, the system setting LongPathsEnabled
    // decides); where it refuses, its ERROR_FILENAME_EXCED_RANGE tells the user that the name is too long.
    if (!SetCurrentDirectoryW(path.c_str())) {
        return SystemMessage(GetLastError());
    }
    return std::nullopt;
}
