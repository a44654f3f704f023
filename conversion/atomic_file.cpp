// Whole-or-nothing writing of a small file.
#include "conversion/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int WriteFileAtomically(const std::string& path, std::string_view text) {
    std::string target = path;
    struct stat link {};
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    mode_t mode = 0;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        }
        if (access(target.c_str(), W_OK) != 0 ||
            (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            return EACCES;
        }
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return errno;
    }
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "." + base + ".gkconv-" + std::to_string(getpid()) + "-" +
                    std::to_string(attempt);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    int error = 0;
    if (mode != 0 && fchmod(fd, mode) != 0) {
        error = errno;
    }
    while (!text.empty() && error == 0) {
        const ssize_t n = write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno != EINTR) {
                error = errno;
            }
            continue;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    if (error == 0 && fsync(fd) != 0) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary.c_str());
    }
    return error;
}
