// Reading the globe's image: whatever lies under its name, the loader answers, never blocks and never writes
// past the image; the program says in one box why it could not read it.
#include "platform/win32api.h"
#include "scene/sshape.h"
#include "scene/texture.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;

struct TemporaryFolder : fs::path {
    TemporaryFolder()
        : fs::path(fs::temp_directory_path() / ("viduzirivo-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(*this);
    }
    ~TemporaryFolder() { fs::remove_all(*this); }
};

bool allAre(const std::uint8_t* begin, const std::uint8_t* end, int value) {
    return std::all_of(begin, end, [value](int b) { return b == value; });
}

} // namespace

TEST(TextureFile, GivesTheFirstImageWorthZeroesWhatIsMissingAndNamesEveryProblem) {
    const TemporaryFolder in;
    std::vector<char> bytes(kTextureBytes + 1000); // each differs from its neighbours and the row above
    std::generate(bytes.begin(), bytes.end(), [k = 0u]() mutable { return char(k++ * 7 % 251); });
    std::ofstream(in / "long", std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    std::ofstream(in / "short", std::ios::binary).write(bytes.data(), 1000);
    // Each: a part of the report (none for a whole image), and the bytes the file gives; the rest is zero.
    std::vector<std::tuple<fs::path, std::string, std::size_t>> cases = {
        {in / "long", "", kTextureBytes},
        {in / "short", "1000", 1000},
        {in / "missing", std::system_category().message(ENOENT), 0}};
#ifndef _WIN32
    ASSERT_EQ(mkfifo((in / "pipe").c_str(), 0644), 0);
    cases.insert(cases.end(), {{in, "Is a directory", 0},
                               {in / "pipe", "not a regular file", 0},
                               {"/dev/zero", "not a regular file", 0},
                               {"/proc/self/mem", "Input/output error", 0}});
#endif
    for (const auto& [path, expected, kept] : cases) {
        std::vector<std::uint8_t> buffer(kTextureBytes + 16, 0xA5); // 16 marked bytes past the image
        const auto error = ReadTextureFile(path.string().c_str(), buffer.data());
        EXPECT_TRUE(expected.empty() ? !error : error && error->find(expected) != std::string::npos)
            << path << ": " << error.value_or("");
        EXPECT_EQ(std::memcmp(buffer.data(), bytes.data(), kept), 0) << path;
        EXPECT_TRUE(allAre(&buffer[kept], &buffer[kTextureBytes], 0)) << path;
        EXPECT_TRUE(allAre(&buffer[kTextureBytes], &buffer[kTextureBytes + 16], 0xA5)) << path;
    }
}

// Run as a copy of this program in a folder of its own, without the image. That the image beside the program
// is read, from whatever folder it is started in, shows in every kept frame.
TEST(LoadTexture, SaysWhyItCouldNotReadTheImageInOneWarning) {
    const fs::path program = TestProgramPath();
    if (!InRerun()) {
        TemporaryFolder copy;
        fs::copy_file(program, copy / program.filename());
        EXPECT_EQ(RerunCurrentTest((copy / program.filename()).string()), 0);
        return;
    }
    TemporaryFolder elsewhere;
    fs::current_path(elsewhere);
    const auto boxes = AnswerMessageBoxes(LoadTexture);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(boxes[0].text, boxes[0].caption, boxes[0].icon, boxes[0].buttons),
              std::make_tuple(std::system_category().message(ENOENT), "Viduzirivo", MB_ICONEXCLAMATION, 1));
    EXPECT_EQ(fs::current_path(), program.parent_path());
    const std::uint8_t* image = &TextureImage[0][0][0];
    EXPECT_TRUE(allAre(image, image + kTextureBytes, 0)) << "a black globe";
}
