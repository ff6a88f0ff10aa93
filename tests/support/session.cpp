// What the test sessions of every platform share: knowing a rerun child, and the test program's own path.
#include "support/session.h"

#include "platform/win32api.h"

#include <cstdlib>

bool InRerun() {
    return std::getenv("VIDUZIRIVO_TEST_RERUN") != nullptr;
}

std::string TestProgramPath() {
    char path[4096];
    return std::string(path, GetModuleFileNameA(nullptr, path, sizeof(path)));
}
