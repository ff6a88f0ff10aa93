// Soak: many frames on one context. Memory must not grow, and the spin must keep to its cycle: every frame
// is drawn at the previous frame's angle plus 0.8 degrees, or at 0 after the angle passed 360.
//
//   soak_tests                      20,000 frames (the test suite's run)
//   VIDUZIRIVO_SOAK_FRAMES=1000000 soak_tests
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// The spin angle a frame was drawn with, in [0, 360), from the model-view matrix it left behind.
double drawnSpin() {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const double angle = std::atan2(m[8], m[0]) * 180.0 / M_PI;
    return angle < 0.0 ? angle + 360.0 : angle;
}

long frameCount() {
    const char* requested = std::getenv("VIDUZIRIVO_SOAK_FRAMES");
    return requested != nullptr ? std::atol(requested) : 20000;
}

} // namespace

TEST(Soak, FramesKeepMemoryAndTheSpinCycle) {
    BoundRenderer bound(64, 64);
    BuildDisplayLists();
    bound.renderer->RotateX(20.0f);
    bound.renderer->TranslateZ(-62.0f);
    bound.renderer->RotateY(0.0f);

    // Settle allocations of the first frames before taking the baseline.
    for (int i = 0; i < 500; ++i) {
        bound.renderer->Paint();
    }
    bound.renderer->RotateY(0.0f);
    const long before = residentKilobytes();

    const long frames = frameCount();
    float expected = 0.0f; // the angle the next frame must be drawn with, advanced as the renderer does
    long wraps = 0;
    long offCycle = 0;
    for (long frame = 0; frame < frames; ++frame) {
        bound.renderer->Paint();
        const double drawn = drawnSpin();
        const double wrapped = std::fmod(static_cast<double>(expected), 360.0);
        if (std::fabs(drawn - wrapped) > 1e-3 && std::fabs(std::fabs(drawn - wrapped) - 360.0) > 1e-3) {
            ++offCycle;
        }
        expected += 0.8f;
        if (expected > 360.0f) {
            expected = 0.0f;
            ++wraps;
        }
    }
    const long after = residentKilobytes();
    std::printf("soak: %ld frames, %ld turns, RSS before %ld kB, after %ld kB\n", frames, wraps, before,
                after);
    EXPECT_EQ(offCycle, 0) << "frames drawn off the spin cycle";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
#ifndef __SANITIZE_ADDRESS__
    // A leak of even a few bytes per frame shows over this many frames; allocator noise stays far below this.
    EXPECT_LT(after - before, 4096) << "resident memory grew by " << (after - before) << " kB";
#else
    // The address sanitizer holds freed memory back in quarantine, so resident memory grows by design.
    std::printf("soak: memory growth not judged under the address sanitizer\n");
#endif
}
