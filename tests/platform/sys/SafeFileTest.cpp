// Saving files so that a failure is reported and the previous file survives it: real failures
// (a file-size limit the kernel enforces, a device that is always full), not mocks.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "platform/sys/SafeFile.h"

using namespace ctl;

namespace {
std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Files larger than `bytes` cannot be written while it lives (the kernel answers EFBIG, as a
// full disk answers ENOSPC).
struct FileSizeLimit {
    rlimit old{};
    void (*oldHandler)(int);
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldHandler);
    }
};
}  // namespace

TEST(SafeFile, ReplacesTheFileKeepingItsModeAndLeavesNoTemporaryBehind) {
    QTemporaryDir dir;
    std::string path = dir.filePath("form.json").toStdString();
    FileError err;
    ASSERT_TRUE(WriteFileSafely(path, "first", err));
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(path, "second", err));
    EXPECT_EQ(ReadAll(path), "second");
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(SafeFile, AFailedWriteKeepsTheOldFileAndNamesThePath) {
    QTemporaryDir dir;
    std::string path = dir.filePath("form.json").toStdString();
    FileError err;
    ASSERT_TRUE(WriteFileSafely(path, "old contents", err));
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(WriteFileSafely(path, std::string(4096, 'x'), err));
    }
    EXPECT_EQ(err.number, 61);
    EXPECT_EQ(err.description, "Disk full: " + path);
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    EXPECT_FALSE(WriteFileSafely(dir.filePath("no/such/folder.json").toStdString(), "x", err));
    EXPECT_EQ(err.number, 76);
}

TEST(SafeFile, ADeviceIsWrittenInPlaceAndItsErrorsReported) {
    struct stat st {};
    if (stat("/dev/full", &st) != 0) GTEST_SKIP() << "no /dev/full here";
    FileError err;
    EXPECT_FALSE(WriteFileSafely("/dev/full", "anything", err));
    EXPECT_EQ(err.number, 61);
    EXPECT_EQ(err.description, "Disk full: /dev/full");
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));  // still the device, not replaced by a file
}
