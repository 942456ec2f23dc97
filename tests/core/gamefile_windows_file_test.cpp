// The safe file on Windows (run under Wine): names beyond the ANSI code page,
// the atomic replace and what it keeps, and the same refusals as on POSIX.
#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "platform/native_path.h"

namespace scorvale {
namespace {

using platform::utf8Path;
using platform::widePath;

class WindowsFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
        std::random_device seed;
        // A Japanese folder name: the core must never pass through the ANSI
        // code page, which cannot hold it on most systems.
        dir_ = utf8Path(temp) + "サッカー予想-" + std::to_string(seed() % 1000000);
        ASSERT_TRUE(::CreateDirectoryW(widePath(dir_).c_str(), nullptr));
        target_ = dir_ + "\\ワールドカップ.svl";
        old_.settings.name = "Old";
        writeFileAtomically(target_, gameFileBytes(old_));
        game_.settings.name = "New";
        for (int i = 0; i < 2000; ++i) {
            Team t;
            t.name = "T" + std::to_string(i);
            game_.addTeam(t);
        }
    }
    void TearDown() override {
        setWriteFaultHookForTesting(nullptr);
        ::SetFileAttributesW(widePath(target_).c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        std::filesystem::remove_all(widePath(dir_), ignored);
    }

    int entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(widePath(dir_))) ++n;
        return n;
    }
    // The old file is there byte for byte and nothing else was left behind.
    void expectOldFileKept() {
        EXPECT_EQ(readWholeFile(target_), gameFileBytes(old_));
        EXPECT_EQ(entries(), 1);
    }
    // Saving `path` throws FileError naming it with `reason`.
    void expectSaveFails(const std::string& path, const std::string& reason) {
        try {
            saveGame(game_, path);
            ADD_FAILURE() << "saved " << path;
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), path);
            EXPECT_EQ(e.reason(), reason) << path;
        }
    }

    std::string dir_;
    std::string target_;
    Game old_;
    Game game_;
};

TEST_F(WindowsFile, SavesAndLoadsUnderAJapaneseName) {
    saveGame(game_, target_);
    // Under its Unicode name, not a code page's approximation of it.
    EXPECT_NE(::GetFileAttributesW((widePath(dir_) + L"\\ワールドカップ.svl").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(entries(), 1);
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(game_));
    Game back;
    loadGame(back, target_, ReadAll);
    EXPECT_EQ(back.settings.name, "New");
    EXPECT_EQ(back.teamCount(), game_.teamCount());

    // A new file beside it, with forward slashes as the user may type them.
    const std::string fresh = dir_ + "/新規.svl";
    saveGame(old_, fresh);
    EXPECT_EQ(readWholeFile(fresh), gameFileBytes(old_));
}

// The replace keeps what the old file had beyond its bytes.
TEST_F(WindowsFile, ReplaceKeepsTheFilesAttributes) {
    ASSERT_TRUE(::SetFileAttributesW(widePath(target_).c_str(), FILE_ATTRIBUTE_HIDDEN));
    saveGame(game_, target_);
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(game_));
    EXPECT_TRUE(::GetFileAttributesW(widePath(target_).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(WindowsFile, FailedWritesLeaveTheOldFile) {
    for (const std::size_t allowed : {std::size_t{0}, std::size_t{300000}}) {
        setWriteFaultHookForTesting([allowed](std::size_t written) { return written < allowed; });
        expectSaveFails(target_, std::strerror(ENOSPC));
        expectOldFileKept();
    }
    setWriteFaultHookForTesting(nullptr);
    const auto produce = [](const ByteSink& write) {
        write("half");
        throw std::runtime_error("no more");
    };
    EXPECT_THROW(writeFileAtomically(target_, produce), std::runtime_error);
    expectOldFileKept();
}

// Refused before anything is written: a read-only file (the user may not
// change it), a folder, a device, a folder that is not there.
TEST_F(WindowsFile, RefusedTargets) {
    ASSERT_TRUE(::CreateDirectoryW(widePath(dir_ + "\\sub").c_str(), nullptr));
    ASSERT_TRUE(::SetFileAttributesW(widePath(target_).c_str(), FILE_ATTRIBUTE_READONLY));
    expectSaveFails(target_, std::strerror(EACCES));
    expectSaveFails(dir_ + "\\sub", std::strerror(EISDIR));
    expectSaveFails("NUL", "not a regular file (a character device)");
    expectSaveFails(dir_ + "\\none\\game.svl", std::strerror(ENOENT));
    ::SetFileAttributesW(widePath(target_).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove(widePath(dir_ + "\\sub"));
    expectOldFileKept();
}

TEST_F(WindowsFile, ReadsOnlyRegularFiles) {
    const struct {
        std::string path;
        std::string reason;
    } refused[] = {
        {dir_ + "\\missing.svl", std::strerror(ENOENT)},
        {dir_, std::strerror(EISDIR)},
        {"NUL", "not a regular file (a character device)"},
    };
    for (const auto& c : refused) {
        try {
            readWholeFile(c.path);
            ADD_FAILURE() << "read " << c.path;
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), c.path);
            EXPECT_EQ(e.reason(), c.reason) << c.path;
        }
    }
    const std::string empty = dir_ + "\\空.svl";
    writeFileAtomically(empty, "");
    EXPECT_EQ(readWholeFile(empty), "");
}

}  // namespace
}  // namespace scorvale
