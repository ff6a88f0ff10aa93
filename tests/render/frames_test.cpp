// Whole frames of the clock, drawn with the real globe image at fixed poses and times of day, compared with
// the pictures of the same frames kept in frames/. Mesa draws them alike on every machine, from the Linux and
// from the Windows build. After an intended change of the drawing, VIDUZIRIVO_WRITE_FRAMES=FOLDER writes
// the new pictures there; a frame that differs is written beside the test program for a look.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/session.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kSize = 400;
// Correct OpenGL implementations may round a pixel on an edge each their own way (Wine's 32-bit llvmpipe
// draws one value of "above" 5 off): a frame matches when at most two pixels' worth of colour values differ
// by more than 1. Back faces culled change hundreds of values, a wrong light or pose thousands.
constexpr int kRoundedDifferently = 6;
constexpr GLenum kBgr = 0x80E0; // GL_BGR, which Windows' OpenGL 1.1 header names GL_BGR_EXT

const struct Frame {
    const char* name;
    float rotX, rotY, translateZ;
    TimeOfDay time;
} kFrames[] = {
    {"front", 0, 0, 225, {10, 8, 37}},    // marks, hands and hub large
    {"tilted", 55, 35, 180, {3, 41, 15}}, // the rim, the sides of marks and hands, the hub's slopes
    {"back", -20, 200, 100, {7, 52, 3}},  // the globe's image
    {"above", 90, 30, 250, {4, 21, 50}},  // the rim and the bars edge on, where back faces turn to the eye
};

// A 24-bit BMP holds its rows bottom first, as OpenGL reads them, in BGR order; 400 pixels need no padding.
std::string bmpHeader() {
    std::string header(54, '\0');
    const auto put = [&header](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            header[at + i] = static_cast<char>(value >> (8 * i));
        }
    };
    header[0] = 'B', header[1] = 'M';
    put(2, 54 + 3 * kSize * kSize, 4), put(10, 54, 4), put(14, 40, 4);
    put(18, kSize, 4), put(22, kSize, 4), put(26, 1, 2), put(28, 24, 2);
    return header;
}

std::string drawnBgr(COpenGL& renderer, const Frame& frame) {
    renderer.SetTimeOfDaySource([&frame] { return frame.time; });
    renderer.RotateX(frame.rotX), renderer.RotateY(frame.rotY), renderer.TranslateZ(frame.translateZ);
    renderer.Paint();
    std::string pixels(3u * kSize * kSize, '\0');
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, kBgr, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void write(const std::filesystem::path& file, const std::string& pixels) {
    std::ofstream(file, std::ios::binary) << bmpHeader() << pixels;
}

} // namespace

TEST(Frames, MatchTheKeptPictures) {
    const char* writeTo = std::getenv("VIDUZIRIVO_WRITE_FRAMES");
    const std::filesystem::path here = std::filesystem::path(TestProgramPath()).parent_path();
    BoundRenderer bound(kSize, kSize);
    BuildDisplayLists();
    for (const Frame& frame : kFrames) {
        const std::string name = std::string(frame.name) + ".bmp";
        const std::string drawn = drawnBgr(*bound.renderer, frame);
        if (writeTo != nullptr) {
            write(std::filesystem::path(writeTo) / name, drawn);
            continue;
        }
        std::ifstream file(here / "frames" / name, std::ios::binary);
        const std::string kept{std::istreambuf_iterator<char>(file), {}};
        ASSERT_EQ(kept.size(), bmpHeader().size() + drawn.size()) << name;
        int differing = 0;
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            differing +=
                std::abs(static_cast<unsigned char>(drawn[i]) - static_cast<unsigned char>(kept[54 + i])) > 1;
        }
        if (differing > kRoundedDifferently) {
            write(here / ("drawn-" + name), drawn);
        }
        EXPECT_LE(differing, kRoundedDifferently)
            << "colour values that differ by more than 1 from frames/" << name;
    }
}
