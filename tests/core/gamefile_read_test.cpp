#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "tests/support/special_files.h"

namespace scorvale {
namespace {

namespace fs = std::filesystem;

class ReadWholeFile : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/scorvale-read-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string sparseFile(const char* name, std::uint64_t size) {
        const std::string path = (dir_ / name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0) << std::strerror(errno);
        ::close(fd);
        return path;
    }

    fs::path dir_;
};

// Reads `path` in a child that an alarm ends after ten seconds, so a read that
// hangs fails the test instead of stopping it: 0 when FileError names the path
// and its reason holds `reason`.
int refusedWith(const std::string& path, const std::string& reason) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        try {
            readWholeFile(path);
            ::_exit(1);
        } catch (const FileError& e) {
            ::_exit(e.path() == path && e.reason().find(reason) != std::string::npos ? 0 : 2);
        } catch (...) {
            ::_exit(3);
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// Only a regular file is read, and only one the machine can hold: anything
// else is refused before the first read, at once.
TEST_F(ReadWholeFile, RefusesWhatItCannotRead) {
    const std::string fifo = (dir_ / "fifo.svl").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = (dir_ / "socket.svl").string();
    const int sock = testing::boundSocket(socketPath);
    ASSERT_GE(sock, 0);
    fs::create_directory(dir_ / "folder.svl");
    // 64 GiB, or more where the machine's memory is larger still.
    const std::uint64_t huge = std::max<std::uint64_t>(std::uint64_t{64} << 30, readableFileLimit() + 1);
    const std::uint64_t justOver = readableFileLimit() + 1;

    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {fifo, "not a regular file (a FIFO)"},
        {"/dev/zero", "not a regular file (a character device)"},
        {socketPath, "not a regular file (a socket)"},
        {(dir_ / "folder.svl").string(), std::strerror(EISDIR)},
        {sparseFile("huge.svl", huge), std::to_string(huge) + " bytes"},
        {sparseFile("over.svl", justOver), std::to_string(justOver) + " bytes"},
        {(dir_ / "missing.svl").string(), std::strerror(ENOENT)},
    };
    for (const auto& c : cases) EXPECT_EQ(refusedWith(c.path, c.reason), 0) << c.path;
    ::close(sock);
}

TEST_F(ReadWholeFile, ReadsRegularFilesWhole) {
    const std::string path = (dir_ / "game.svl").string();
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += static_cast<char>(i * 7);
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_TRUE(readWholeFile(path) == bytes);
    std::ofstream(path, std::ios::binary | std::ios::trunc);
    EXPECT_EQ(readWholeFile(path), "");
    // A link to the file reads the file.
    fs::create_symlink("game.svl", dir_ / "link.svl");
    EXPECT_EQ(readWholeFile((dir_ / "link.svl").string()), "");
}

}  // namespace
}  // namespace scorvale
