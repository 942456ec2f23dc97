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
#include "gamefile/save_target.h"
#include "platform/native_path.h"
#include "tests/support/save_games.h"

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
        old_ = testing::oldSavedGame();
        writeFileAtomically(target_, gameFileBytes(old_));
        game_ = testing::largeNewGame();
    }
    void TearDown() override {
        setWriteFaultHookForTesting(nullptr);
        std::error_code ignored;
        // A read-only file would stay behind.
        for (const auto& e : std::filesystem::directory_iterator(widePath(dir_), ignored))
            ::SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
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

// A named pipe of this process's own, as a second program could offer under
// a game file's name.
class NamedPipe {
public:
    NamedPipe() {
        path_ = "\\\\.\\pipe\\scorvale-test-" + std::to_string(::GetCurrentProcessId());
        h_ = ::CreateNamedPipeW(widePath(path_).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_NOWAIT,
                                PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    }
    ~NamedPipe() {
        if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Refused before anything is written, for the same reasons and with the same
// words as on POSIX: what is there stays as it was and nothing is left
// beside it.
TEST_F(WindowsFile, RefusedTargets) {
    using Why = SaveRefusal::Why;
    const std::string folder = dir_ + "\\sub";
    ASSERT_TRUE(::CreateDirectoryW(widePath(folder).c_str(), nullptr));
    const NamedPipe pipe;
    ASSERT_TRUE(pipe.valid());
    const std::string readOnly = dir_ + "\\読み取り専用.svl";
    writeFileAtomically(readOnly, gameFileBytes(old_));
    ASSERT_TRUE(::SetFileAttributesW(widePath(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    // The old game under a second name: replacing one name would part it
    // from the other, which would keep the old contents.
    const std::string otherName = dir_ + "\\別名.svl";
    ASSERT_TRUE(::CreateHardLinkW(widePath(otherName).c_str(), widePath(target_).c_str(), nullptr));

    const struct {
        std::string path;
        Why why;
        FileKind kind;
        std::string reason;
    } cases[] = {
        {readOnly, Why::readOnly, FileKind::regular, "read-only: this user may not write the file"},
        {target_, Why::severalNames, FileKind::regular,
         "the file has 2 names (hard links); the others would keep the old contents"},
        {otherName, Why::severalNames, FileKind::regular,
         "the file has 2 names (hard links); the others would keep the old contents"},
        {folder, Why::folder, FileKind::folder, std::strerror(EISDIR)},
        {"NUL", Why::notRegular, FileKind::characterDevice, "not a regular file (a character device)"},
        {pipe.path(), Why::notRegular, FileKind::fifo, "not a regular file (a FIFO)"},
    };
    for (const auto& c : cases) {
        try {
            saveGame(game_, c.path);
            ADD_FAILURE() << "saved " << c.path;
        } catch (const SaveRefusedError& e) {
            EXPECT_EQ(e.path(), c.path);
            EXPECT_EQ(e.reason(), c.reason) << c.path;
            EXPECT_EQ(e.refusal().why, c.why) << c.path;
            EXPECT_EQ(e.refusal().target.kind, c.kind) << c.path;
        } catch (const FileError& e) {
            ADD_FAILURE() << "not refused but failed: " << e.what();
        }
    }
    for (const std::string& name : {target_, otherName, readOnly})
        EXPECT_TRUE(readWholeFile(name) == gameFileBytes(old_)) << name << " changed";
    EXPECT_TRUE(::GetFileAttributesW(widePath(readOnly).c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(entries(), 4);

    // Not a refusal: a folder that is not there fails as the save itself.
    expectSaveFails(dir_ + "\\none\\game.svl", std::strerror(ENOENT));

    // Once the other name is gone, the file is saved as any other.
    ASSERT_TRUE(::DeleteFileW(widePath(otherName).c_str()));
    saveGame(game_, target_);
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(game_));
}

TEST_F(WindowsFile, ReadsOnlyRegularFiles) {
    const NamedPipe pipe;
    ASSERT_TRUE(pipe.valid());
    const struct {
        std::string path;
        std::string reason;
    } refused[] = {
        {dir_ + "\\missing.svl", std::strerror(ENOENT)},
        {dir_, std::strerror(EISDIR)},
        {"NUL", "not a regular file (a character device)"},
        {pipe.path(), "not a regular file (a FIFO)"},
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
