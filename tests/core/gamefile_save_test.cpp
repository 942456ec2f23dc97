#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <fstream>
#include <linux/capability.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "tests/support/save_games.h"
#include "tests/support/special_files.h"

namespace scorvale {
namespace {

namespace fs = std::filesystem;

class SaveFailure : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/scorvale-save-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        target_ = (dir_ / "game.svl").string();
        old_ = testing::oldSavedGame();
        std::ofstream(target_, std::ios::binary) << gameFileBytes(old_);
        game_ = testing::largeNewGame();
    }
    void TearDown() override {
        setWriteFaultHookForTesting(nullptr);
        ::chmod(dir_.c_str(), 0700);
        fs::remove_all(dir_);
    }

    // The old file is there byte for byte and nothing else was left behind.
    void expectOldFileKept() {
        EXPECT_EQ(readWholeFile(target_), gameFileBytes(old_));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    }

    fs::path dir_;
    std::string target_;
    Game old_;
    Game game_;
};

// Runs `body` in a child process (for limits and privileges that must not
// leak into the test process); its exit status is the result.
int inChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// 0 when saving throws FileError naming the target and `reason`.
int saveFailsWith(const Game& game, const std::string& path, int reason) {
    try {
        saveGame(game, path);
        return 1;
    } catch (const FileError& e) {
        return e.path() == path && e.reason() == std::strerror(reason) ? 0 : 2;
    }
}

TEST_F(SaveFailure, WriteRefusedBySeam) {
    // Refused at once, and after the first pieces of a file written in several.
    for (const std::size_t allowed : {std::size_t{0}, std::size_t{300000}}) {
        setWriteFaultHookForTesting([allowed](std::size_t written) { return written < allowed; });
        EXPECT_EQ(saveFailsWith(game_, target_, ENOSPC), 0) << allowed;
        expectOldFileKept();
    }
}

// Whatever the producer of a piecewise file throws removes the temporary file.
TEST_F(SaveFailure, ProducerThrowing) {
    const auto produce = [](const ByteSink& write) {
        write("half");
        throw std::runtime_error("no more");
    };
    EXPECT_THROW(writeFileAtomically(target_, produce), std::runtime_error);
    expectOldFileKept();
}

// A file size limit lets the first write through part way and fails the next.
TEST_F(SaveFailure, WriteFailingPartWay) {
    EXPECT_EQ(inChild([&] {
                  ::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{4096, 4096};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  return saveFailsWith(game_, target_, EFBIG);
              }),
              0);
    expectOldFileKept();
}

// Root writes into a read-only folder anyway; the child drops that privilege.
TEST_F(SaveFailure, ReadOnlyFolder) {
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    EXPECT_EQ(inChild([&] {
                  if (::geteuid() == 0) {
                      __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
                      __user_cap_data_struct data[2]{};
                      if (::syscall(SYS_capset, &header, data) != 0) return 3;
                  }
                  return saveFailsWith(game_, target_, EACCES);
              }),
              0);
    ::chmod(dir_.c_str(), 0700);
    expectOldFileKept();
}

// The user nobody: what an ordinary user may not do, root may; a test that
// runs as root meets the refusals as this user, in a child process.
constexpr uid_t kNobody = 65534;

// Runs `body` in a child as an ordinary user: as root, the child becomes
// nobody (who may then write only what was given to it); otherwise it stays
// who it is.
int asOrdinaryUser(const std::function<int()>& body) {
    return inChild([&] {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return 3;
        return body();
    });
}

// 0 when saving throws FileError naming `path` with exactly `reason`.
int saveRefusedWith(const Game& game, const std::string& path, const std::string& reason) {
    try {
        saveGame(game, path);
        return 1;
    } catch (const FileError& e) {
        return e.path() == path && e.reason() == reason ? 0 : 2;
    }
}

std::vector<std::string> entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A target that is not a regular file is refused before anything is
// written: it stays what it was and no temporary file is left beside it.
TEST_F(SaveFailure, TargetThatIsNoRegularFile) {
    const std::string fifo = (dir_ / "fifo.svl").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = (dir_ / "socket.svl").string();
    const int sock = testing::boundSocket(socketPath);
    ASSERT_GE(sock, 0);
    fs::create_symlink("fifo.svl", dir_ / "to-fifo.svl");
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {fifo, "not a regular file (a FIFO)"},
        {(dir_ / "to-fifo.svl").string(), "not a regular file (a FIFO)"},
        {socketPath, "not a regular file (a socket)"},
    };
    for (const auto& c : cases) EXPECT_EQ(saveRefusedWith(game_, c.path, c.reason), 0) << c.path;
    ::close(sock);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_socket(socketPath));
    EXPECT_EQ(entries(dir_), (std::vector<std::string>{"fifo.svl", "game.svl", "socket.svl", "to-fifo.svl"}));
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(old_));
}

// "-o /dev/null" as root would have replaced the system's /dev/null. The
// case runs as an ordinary user, who could not replace it even if the
// refusal failed: the test would then see another reason.
TEST_F(SaveFailure, DeviceTarget) {
    fs::create_symlink("/dev/null", dir_ / "null.svl");
    ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);  // the link must be reachable
    EXPECT_EQ(asOrdinaryUser([&] {
                  for (const std::string& path : {std::string("/dev/null"), (dir_ / "null.svl").string()})
                      if (const int r = saveRefusedWith(game_, path, "not a regular file (a character device)")) return r;
                  return 0;
              }),
              0);
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_TRUE(fs::is_symlink(dir_ / "null.svl"));
}

// A file its user may not write (chmod 444) is not replaced, although the
// folder would let a new file be renamed over it.
TEST_F(SaveFailure, ReadOnlyFile) {
    ASSERT_EQ(::chmod(target_.c_str(), 0444), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(dir_.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(::chown(target_.c_str(), kNobody, kNobody), 0);
    }
    EXPECT_EQ(asOrdinaryUser([&] { return saveRefusedWith(game_, target_, "read-only: this user may not write the file"); }),
              0);
    expectOldFileKept();
    EXPECT_EQ(fs::status(target_).permissions(), fs::perms(0444));
}

// A file of several names is refused: replacing one name would part it from
// the others, which would keep the old contents.
TEST_F(SaveFailure, FileOfSeveralNames) {
    const std::string other = (dir_ / "other.svl").string();
    ASSERT_EQ(::link(target_.c_str(), other.c_str()), 0);
    for (const std::string& path : {target_, other})
        EXPECT_EQ(saveRefusedWith(game_, path, "the file has 2 names (hard links); the others would keep the old contents"),
                  0);
    EXPECT_EQ(entries(dir_), (std::vector<std::string>{"game.svl", "other.svl"}));
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(old_));
    EXPECT_EQ(fs::hard_link_count(target_), 2u);
    // Once the other name is gone, the file is saved as any other.
    fs::remove(other);
    saveGame(game_, target_);
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(game_));
}

TEST_F(SaveFailure, PathIsAFolder) {
    const std::string folder = (dir_ / "sub").string();
    fs::create_directory(folder);
    EXPECT_EQ(saveFailsWith(game_, folder, EISDIR), 0);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
    fs::remove(folder);
    expectOldFileKept();
}

TEST_F(SaveFailure, MissingFolder) {
    const std::string path = (dir_ / "none" / "game.svl").string();
    EXPECT_EQ(saveFailsWith(game_, path, ENOENT), 0);
    expectOldFileKept();
}

TEST_F(SaveFailure, SavedFileLoadsBackAndLoadErrorsNameTheFile) {
    saveGame(game_, target_);
    EXPECT_EQ(readWholeFile(target_), gameFileBytes(game_));  // written in several pieces
    Game back;
    loadGame(back, target_, ReadAll);
    EXPECT_EQ(back.settings.name, "New");
    EXPECT_EQ(back.teamCount(), game_.teamCount());
    for (const std::string& bad : {(dir_ / "missing.svl").string(), dir_.string()}) {
        try {
            loadGame(back, bad, ReadAll);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), bad);
            EXPECT_FALSE(e.reason().empty());
        }
    }
}

// A save through a symbolic link replaces the file at the end of the link
// chain, in that file's folder, and leaves every link as it was.
TEST_F(SaveFailure, ThroughSymbolicLinks) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> links;  // name, what it points to
        std::string savedTo;
        std::string written;  // the file that must hold the new game
    } cases[] = {
        {{{"link", "game.svl"}}, "link", "game.svl"},
        {{{"a", "b"}, {"b", "game.svl"}}, "a", "game.svl"},
        {{{"sub/up", "../game.svl"}}, "sub/up", "game.svl"},
        {{{"sub/absolute", "ABSOLUTE"}}, "sub/absolute", "game.svl"},
        {{{"dangling", "sub/created.svl"}}, "dangling", "sub/created.svl"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const fs::path folder = dir_ / std::to_string(++n);
        fs::create_directories(folder / "sub");
        std::ofstream((folder / "game.svl").string(), std::ios::binary) << gameFileBytes(old_);
        fs::permissions(folder / "game.svl", fs::perms(0604));
        for (const auto& [name, to] : c.links)
            fs::create_symlink(to == "ABSOLUTE" ? folder / "game.svl" : fs::path(to), folder / name);

        saveGame(game_, (folder / c.savedTo).string());
        EXPECT_TRUE(readWholeFile((folder / c.written).string()) == gameFileBytes(game_)) << c.savedTo;
        for (const auto& [name, to] : c.links) EXPECT_TRUE(fs::is_symlink(folder / name)) << name;
        if (c.written == "game.svl") {
            EXPECT_EQ(fs::status(folder / "game.svl").permissions(), fs::perms(0604));
        }
        // Nothing left beside the links and the files.
        std::size_t entries = 0;
        for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it)
            ++entries;
        EXPECT_EQ(entries, 2 + c.links.size() + (c.written == "game.svl" ? 0 : 1)) << c.savedTo;
    }
}

TEST_F(SaveFailure, LinkLoop) {
    fs::create_symlink("loop2", dir_ / "loop1");
    fs::create_symlink("loop1", dir_ / "loop2");
    EXPECT_EQ(saveFailsWith(game_, (dir_ / "loop1").string(), ELOOP), 0);
    EXPECT_TRUE(fs::is_symlink(dir_ / "loop1") && fs::is_symlink(dir_ / "loop2"));
    fs::remove(dir_ / "loop1");
    fs::remove(dir_ / "loop2");
    expectOldFileKept();
}

}  // namespace
}  // namespace scorvale
