// Reading the globe's image file: whatever sits under its name, the loader answers, never blocks, and never
// writes past the image.
#include "scene/sshape.h"
#include "scene/texture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kGuard = 16; // marked bytes past the image that must stay as they are

// Writes `size` bytes that differ from their neighbours and from row to row, so that a misplaced byte shows.
QByteArray writeFile(const QString& path, std::size_t size) {
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    for (std::size_t k = 0; k < size; ++k) {
        bytes[static_cast<qsizetype>(k)] = static_cast<char>((k * 7 + k / 1536) & 255);
    }
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return bytes;
}

bool guardIntact(const std::vector<std::uint8_t>& buffer) {
    return std::all_of(buffer.end() - kGuard, buffer.end(), [](std::uint8_t b) { return b == 0xA5; });
}

} // namespace

TEST(TextureFile, LongerFileGivesItsFirstImageWorthShorterOneIsKeptAndReported) {
    QTemporaryDir dir;
    const QByteArray longer = writeFile(dir.filePath("long"), kTextureBytes + 1000);
    const QByteArray shorter = writeFile(dir.filePath("short"), 1000);
    std::vector<std::uint8_t> buffer(kTextureBytes + kGuard, 0xA5);
    EXPECT_EQ(ReadTextureFile(qPrintable(dir.filePath("long")), buffer.data()), std::nullopt);
    EXPECT_EQ(std::memcmp(buffer.data(), longer.constData(), kTextureBytes), 0);
    EXPECT_TRUE(guardIntact(buffer));

    std::fill(buffer.begin(), buffer.end(), 0xA5);
    const auto error = ReadTextureFile(qPrintable(dir.filePath("short")), buffer.data());
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("1000"), std::string::npos) << *error;
    EXPECT_EQ(std::memcmp(buffer.data(), shorter.constData(), 1000), 0);
    EXPECT_TRUE(
        std::all_of(buffer.begin() + 1000, buffer.end() - kGuard, [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(guardIntact(buffer));
}

TEST(TextureFile, WhatIsNoImageFileIsReportedWithoutBlocking) {
    QTemporaryDir dir;
    const std::string missing = dir.filePath("missing").toStdString(),
                      folder = dir.filePath("folder").toStdString(),
                      pipe = dir.filePath("pipe").toStdString(),
                      device = dir.filePath("device").toStdString();
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
    for (const std::string& path :
         {missing, folder, pipe, device, std::string("/dev/null"), std::string("/dev/zero")}) {
        std::vector<std::uint8_t> buffer(kTextureBytes + kGuard, 0xA5);
        const auto error = ReadTextureFile(path.c_str(), buffer.data());
        EXPECT_TRUE(error.has_value() && !error->empty()) << path;
        EXPECT_TRUE(guardIntact(buffer)) << path;
    }
}

TEST(TextureFile, UnreadableFileIsReported) {
    QTemporaryDir dir;
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
    const std::string locked = dir.filePath("locked").toStdString(),
                      readable = dir.filePath("readable").toStdString();
    writeFile(dir.filePath("locked"), kTextureBytes);
    writeFile(dir.filePath("readable"), kTextureBytes);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    ASSERT_EQ(chmod(readable.c_str(), 0644), 0);
    // Permissions do not hold back root, so the reading happens in a child that has become nobody.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)) {
            _exit(77);
        }
        std::vector<std::uint8_t> buffer(kTextureBytes);
        if (ReadTextureFile(readable.c_str(), buffer.data()).has_value()) {
            _exit(2); // the folder itself is out of reach, which would prove nothing
        }
        _exit(ReadTextureFile(locked.c_str(), buffer.data()).has_value() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: a readable file failed, 1: the unreadable one was read";
}

TEST(LoadTexture, ReadsTheImageBesideTheProgramAndStaysThere) {
    const QString programFolder = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    QFile file(programFolder + QStringLiteral("/Earth.RAS"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray earth = file.readAll();
    ASSERT_EQ(static_cast<std::size_t>(earth.size()), kTextureBytes);
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    std::memset(TextureImage, 0, sizeof(TextureImage));

    // A failure shows a modal box: note it and close it rather than wait for a user.
    QString shown;
    QObject guard;
    QTimer::singleShot(0, &guard, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
                shown = box->text();
                box->done(QMessageBox::Ok);
            }
        }
    });
    LoadTexture();
    EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath().toStdString(), programFolder.toStdString());
    EXPECT_EQ(std::memcmp(TextureImage, earth.constData(), kTextureBytes), 0);
    EXPECT_EQ(TextureImage[0][511][2], static_cast<std::uint8_t>(earth[1535])) << "blue ending the first row";
    EXPECT_EQ(TextureImage[1][0][0], static_cast<std::uint8_t>(earth[1536])) << "red starting the second row";
}
