// Reading the globe's image: whatever lies under its name, the loader answers, never blocks and never writes
// past the image; the program reads it from its own folder and says in one box why it could not.
#include "platform/win32api.h"
#include "scene/sshape.h"
#include "scene/texture.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <cerrno>
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
constexpr std::size_t kGuard = 16; // marked bytes past the image that must stay as they are

struct TemporaryFolder {
    TemporaryFolder() { fs::create_directories(path); }
    ~TemporaryFolder() { fs::remove_all(path); }
    const fs::path path =
        fs::temp_directory_path() / ("viduzirivo-test-" + std::to_string(std::random_device{}()));
};

// `size` bytes that differ from their neighbours and from row to row, so that a misplaced byte shows.
std::vector<std::uint8_t> writeFile(const fs::path& path, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t k = 0; k < size; ++k) {
        bytes[k] = static_cast<std::uint8_t>(k * 7 + k / 1536);
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(size));
    return bytes;
}

} // namespace

TEST(TextureFile, GivesTheFirstImageWorthZeroesWhatIsMissingAndNamesEveryProblem) {
    TemporaryFolder folder;
    const auto longer = writeFile(folder.path / "long", kTextureBytes + 1000);
    const auto shorter = writeFile(folder.path / "short", 1000);
    fs::create_directory(folder.path / "folder");
    const struct {
        fs::path path;
        std::string error;                      // a part of the report; none for a whole image
        const std::vector<std::uint8_t>* bytes; // what the file gives; the rest of the image is zero
    } cases[] = {
        {folder.path / "long", "", &longer},
        {folder.path / "short", "1000", &shorter},
        {folder.path / "missing", std::system_category().message(ENOENT), nullptr},
#ifndef _WIN32
        {folder.path / "folder", "Is a directory", nullptr},
        {folder.path / "pipe", "not a regular file", nullptr},
        {"/dev/zero", "not a regular file", nullptr},
        {"/dev/null", "not a regular file", nullptr},
#endif
    };
#ifndef _WIN32
    ASSERT_EQ(mkfifo((folder.path / "pipe").c_str(), 0644), 0);
#endif
    for (const auto& c : cases) {
        std::vector<std::uint8_t> buffer(kTextureBytes + kGuard, 0xA5);
        const auto error = ReadTextureFile(c.path.string().c_str(), buffer.data());
        EXPECT_EQ(error.has_value(), !c.error.empty()) << c.path;
        EXPECT_NE(error.value_or("").find(c.error), std::string::npos)
            << c.path << ": " << error.value_or("");
        if (c.bytes != nullptr) {
            const std::size_t kept = std::min(c.bytes->size(), kTextureBytes);
            EXPECT_EQ(std::memcmp(buffer.data(), c.bytes->data(), kept), 0) << c.path;
            EXPECT_TRUE(std::all_of(buffer.begin() + long(kept), buffer.end() - kGuard,
                                    [](int b) { return b == 0; }));
        }
        EXPECT_TRUE(std::all_of(buffer.end() - kGuard, buffer.end(), [](int b) { return b == 0xA5; }))
            << c.path;
    }
}

// Run as a copy of this program in a folder of its own: first without the image there, then with it.
TEST(LoadTexture, ReadsTheImageBesideTheProgramOrSaysWhyInOneWarning) {
    const fs::path program = TestProgramPath(), folder = program.parent_path();
    if (!InRerun()) {
        TemporaryFolder copy;
        fs::copy_file(program, copy.path / program.filename());
        fs::copy_file(folder / "Earth.RAS", copy.path / "Earth.RAS.ready");
        EXPECT_EQ(RerunCurrentTest((copy.path / program.filename()).string()), 0);
        return;
    }
    const auto* image = &TextureImage[0][0][0];
    TemporaryFolder elsewhere;
    fs::current_path(elsewhere.path);
    auto boxes = AnswerMessageBoxes(LoadTexture);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, std::system_category().message(ENOENT));
    EXPECT_EQ(boxes[0].caption, "Viduzirivo");
    EXPECT_EQ(boxes[0].icon, MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[0].buttons, 1);
    EXPECT_EQ(fs::current_path(), folder);
    EXPECT_TRUE(std::all_of(image, image + kTextureBytes, [](int b) { return b == 0; })) << "a black globe";

    fs::rename(folder / "Earth.RAS.ready", folder / "Earth.RAS");
    fs::current_path(elsewhere.path);
    EXPECT_TRUE(AnswerMessageBoxes(LoadTexture).empty());
    EXPECT_EQ(fs::current_path(), folder);
    std::ifstream file(folder / "Earth.RAS", std::ios::binary);
    const std::vector<char> earth{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(std::memcmp(image, earth.data(), kTextureBytes), 0);
}
