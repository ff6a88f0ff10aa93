// One frame of the clock, drawn with the real globe image at a fixed size, pose and time of day, has the
// same pixels from every build: the Linux and the Windows program both draw with Mesa. The check that runs
// two builds names the picture file this build writes (VIDUZIRIVO_FRAME, a PPM) and, for the second build,
// the first one's picture to compare with (VIDUZIRIVO_REFERENCE_FRAME). Without them there is nothing to do.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 349;
constexpr int kHeight = 274;

std::filesystem::path pathIn(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? std::filesystem::absolute(value) : std::filesystem::path();
}

} // namespace

TEST(FrameParity, TheSameFrameAsTheOtherBuild) {
    // Loading the globe image makes the program's folder the current one: the paths are fixed before.
    const std::filesystem::path output = pathIn("VIDUZIRIVO_FRAME");
    const std::filesystem::path reference = pathIn("VIDUZIRIVO_REFERENCE_FRAME");
    if (output.empty()) {
        GTEST_SKIP() << "run by the frame parity check of the Windows build";
    }
    BoundRenderer bound(kWidth, kHeight);
    BuildDisplayLists();
    bound.renderer->SetTimeOfDaySource([] { return TimeOfDay{10, 8, 37}; });
    bound.renderer->RotateX(20.0f);
    bound.renderer->RotateY(60.0f); // the dial with its hands and the globe's textured side in view
    bound.renderer->TranslateZ(-62.0f);
    bound.renderer->Paint();
    std::string pixels(3u * kWidth * kHeight, '\0');
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    const std::string header = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
    std::ofstream(output, std::ios::binary) << header << pixels;
    if (reference.empty()) {
        return;
    }

    std::ifstream file(reference, std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(expected.size(), header.size() + pixels.size()) << reference;
    int differing = 0, largest = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const int difference = std::abs(static_cast<unsigned char>(pixels[i]) -
                                        static_cast<unsigned char>(expected[header.size() + i]));
        differing += difference > 1 ? 1 : 0;
        largest = std::max(largest, difference);
    }
    EXPECT_EQ(differing, 0) << "colour values that differ by more than 1 between " << output << " and "
                            << reference << "; the largest difference is " << largest;
}
