#include "platform/sys/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace ctl {

namespace {
FileError ErrorFor(int err, const std::string& path) {
    switch (err) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return {61, "Disk full: " + path};
        case EACCES:
        case EPERM:
        case EROFS:
            return {70, "Permission denied: " + path};
        case ENOENT:
        case ENOTDIR:
            return {76, "Path not found: " + path};
        default:
            return {75, "Path/File access error: " + path};
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// A device is written in place. Opening never waits: a device that would block the opening
// is an access error, not a program that hangs.
bool WriteInPlace(const std::string& path, std::string_view bytes, FileError& error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = errno == EAGAIN || errno == ENXIO ? FileError{75, "Path/File access error: " + path}
                                                  : ErrorFor(errno, path);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool ok = WriteAll(fd, bytes);
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) error = ErrorFor(err, path);
    return ok;
}
// The file a chain of symbolic links ends at (the path itself when it is no link), so that a
// save replaces the file the link names and the link stays. Links that go round in a circle
// end at the last one read, which the save then cannot resolve and reports.
std::string LinkTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
        if (n <= 0) return path;
        std::string target(buf, size_t(n));
        const size_t slash = path.rfind('/');
        if (target[0] != '/' && slash != std::string::npos)
            target = path.substr(0, slash + 1) + target;
        path = target;
    }
    return path;
}
}  // namespace

bool WriteFileSafely(const std::string& named, std::string_view bytes, FileError& error) {
    const std::string path = LinkTarget(named);
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISCHR(st.st_mode)) return WriteInPlace(path, bytes, error);
    // A pipe, a socket or a folder cannot take a file's bytes (a pipe nobody reads would wait
    // for ever).
    if (exists && !S_ISREG(st.st_mode)) {
        error = {75, "Path/File access error: " + named};
        return false;
    }

    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "." + base + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = ErrorFor(errno, named);
        return false;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, exists ? (st.st_mode & 07777) : (0666 & ~mask));
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(name.data(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(name.data());
        error = ErrorFor(err, named);
        return false;
    }
    // The new name itself reaches the disk with its folder.
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace ctl
