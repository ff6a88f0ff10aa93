// Soak: many frames on one context (VIDUZIRIVO_SOAK_FRAMES: 10,000 here, a million in
// scripts/reliability.sh). Resident memory must stay flat and OpenGL must report no error. Memory that the
// OpenGL implementation keeps for us is freed with the context, so memcheck cannot see it grow: this can.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

static long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmRSS:", 0) != 0) {
    }
    return std::atol(line.c_str() + 6);
}

TEST(Soak, ManyFramesKeepMemoryFlat) {
    const char* requested = std::getenv("VIDUZIRIVO_SOAK_FRAMES");
    const long frames = requested != nullptr ? std::atol(requested) : 10000;
    BoundRenderer bound(64, 64);
    BuildDisplayLists();
    bound.renderer->RotateX(20.0f);
    bound.renderer->TranslateZ(-62.0f);
    long before = 0;
    for (long frame = -500; frame < frames; ++frame) { // the first 500 frames settle their allocations
        before = frame == 0 ? residentKilobytes() : before;
        bound.renderer->Paint();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
#ifndef __SANITIZE_ADDRESS__ // whose quarantine holds freed memory back, so that it grows by design
    EXPECT_LT(residentKilobytes() - before, 4096)
        << "kB over " << frames << " frames: a leak of a few hundred bytes a frame";
#endif
}
