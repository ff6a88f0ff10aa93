// Soak: many frames on one context (VIDUZIRIVO_SOAK_FRAMES: 10,000 here, a million in
// scripts/reliability.sh). Resident memory must stay flat and OpenGL must report no error. Memory that the
// OpenGL implementation keeps for us is freed with the context, so memcheck cannot see it grow: this can.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmRSS:", 0) != 0) {
    }
    return std::atol(line.c_str() + 6);
}

} // namespace

TEST(Soak, ManyFramesKeepMemoryFlat) {
    const char* requested = std::getenv("VIDUZIRIVO_SOAK_FRAMES");
    const long frames = requested != nullptr ? std::atol(requested) : 10000;
    BoundRenderer bound(64, 64);
    BuildDisplayLists();
    bound.renderer->RotateX(20.0f);
    bound.renderer->TranslateZ(-62.0f);
    for (int i = 0; i < 500; ++i) { // let the first frames settle their allocations
        bound.renderer->Paint();
    }
    const long before = residentKilobytes();
    for (long frame = 0; frame < frames; ++frame) {
        bound.renderer->Paint();
    }
    const long after = residentKilobytes();
    std::printf("soak: %ld frames, resident memory %ld kB before, %ld kB after\n", frames, before, after);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
#ifndef __SANITIZE_ADDRESS__ // whose quarantine holds freed memory back, so that it grows by design
    EXPECT_LT(after - before, 4096) << "a leak of a few hundred bytes a frame shows over these frames";
#endif
}
