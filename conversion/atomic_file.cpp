// Whole-or-nothing writing of files.
#include "conversion/atomic_file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? "" : target.substr(0, slash + 1);
}

} // namespace

int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno != EINTR) {
                return errno;
            }
            continue;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

std::string AtomicFile::FollowLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat link {};
        if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            break;
        }
        std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t n = readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
            break;
        }
        target.resize(static_cast<std::size_t>(n));
        const std::size_t slash = path.rfind('/');
        if (target.front() != '/' && slash != std::string::npos) {
            target = path.substr(0, slash + 1) + target;
        }
        path = std::move(target);
    }
    return path;
}

int AtomicFile::Refusal(const std::string& target, const struct stat& info) {
    // A file its owner made read-only stays as it is, whoever runs the program.
    if (access(target.c_str(), W_OK) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return EACCES;
    }
    return 0;
}

int AtomicFile::Begin(const std::string& target, const struct stat* existing) {
    Abandon();
    m_target = target;
    m_error = 0;
    const std::string folder = FolderOf(target);
    const std::string base = target.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporary = folder + "." + base + ".gkconv-" + std::to_string(getpid()) + "-" +
                      std::to_string(attempt);
        // Created as a new file would be (the umask applies), or with the mode of the file it
        // replaces.
        m_fd = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            if (existing != nullptr && fchmod(m_fd, existing->st_mode & 07777) != 0) {
                m_error = errno;
            }
            return 0;
        }
        if (errno != EEXIST) {
            const int error = errno;
            m_temporary.clear();
            return error;
        }
    }
    m_temporary.clear();
    return EEXIST;
}

bool AtomicFile::Write(std::string_view text) {
    if (m_error == 0) {
        m_error = WriteAll(m_fd, text);
    }
    return m_error == 0;
}

int AtomicFile::Commit() {
    if (m_error == 0 && fsync(m_fd) != 0) {
        m_error = errno;
    }
    if (m_fd >= 0 && close(m_fd) != 0 && m_error == 0) {
        m_error = errno;
    }
    m_fd = -1;
    if (m_error == 0) {
        if (rename(m_temporary.c_str(), m_target.c_str()) != 0) {
            m_error = errno;
        } else {
            m_temporary.clear();
            // The rename is an entry of the folder: it is synced too, so that a finished file
            // survives a power cut. A file system that cannot sync a folder (EINVAL) has
            // nothing to do.
            const std::string folder = FolderOf(m_target);
            const int fd =
                open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                if (fsync(fd) != 0 && errno != EINVAL) {
                    m_error = errno;
                }
                close(fd);
            }
        }
    }
    const int error = m_error;
    Abandon();
    return error;
}

void AtomicFile::Abandon() {
    if (m_fd >= 0) {
        close(m_fd);
    }
    m_fd = -1;
    if (!m_temporary.empty()) {
        unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

int WriteFileAtomically(const std::string& path, std::string_view text) {
    const std::string target = AtomicFile::FollowLinks(path);
    struct stat info {};
    const bool exists = stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        return errno;
    }
    if (exists) {
        if (!S_ISREG(info.st_mode)) {
            return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        }
        if (const int refusal = AtomicFile::Refusal(target, info); refusal != 0) {
            return refusal;
        }
    }
    AtomicFile file;
    if (const int error = file.Begin(target, exists ? &info : nullptr); error != 0) {
        return error;
    }
    file.Write(text);
    return file.Commit();
}
