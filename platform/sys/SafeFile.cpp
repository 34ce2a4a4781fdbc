#include "platform/sys/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

bool WriteInPlace(const std::string& path, std::string_view bytes, FileError& error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        error = ErrorFor(errno, path);
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) error = ErrorFor(err, path);
    return ok;
}
}  // namespace

bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& error) {
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return WriteInPlace(path, bytes, error);

    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "." + base + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = ErrorFor(errno, path);
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
        error = ErrorFor(err, path);
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
