#pragma once
#include <string>
#include <string_view>

namespace ctl {

// What went wrong writing a file: the runtime's error number and a text that names the path
// (61 disk full, 70 permission denied, 76 path not found, 75 any other access error).
struct FileError {
    int number = 0;
    std::string description;
};

// Replaces the file at `path` with `bytes` so that a failure leaves the old file as it was:
// the bytes go to a new file in the same folder, are flushed to the disk, and only then take
// the old file's name. A symbolic link keeps pointing at the file it names, which is the one
// replaced. A device is written in place, every write checked; a pipe, a socket or a folder is
// refused (75). False with `error` filled when anything failed.
bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& error);

}  // namespace ctl
