// Files written whole or not at all: the text goes to a new temporary file (O_EXCL) in the
// target's folder, which is synced and renamed over the target only when everything is written,
// and the folder is synced after. A link is followed and stays a link, the mode of a file
// replaced is kept, and a file its owner made read-only is not replaced.
#pragma once

#include <string>
#include <string_view>
#include <sys/stat.h>

// Writes all of text to fd, again after an interrupted call; 0 or the system's error number.
int WriteAll(int fd, std::string_view text);

// One file being replaced. Until Commit the target is as it was; a file abandoned, or
// destroyed before Commit, leaves no temporary file behind.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() { Abandon(); }

    // The file a path names with its links followed; a link to no file yet names the file it
    // would make. A loop of links is left to open() to refuse.
    static std::string FollowLinks(std::string path);

    // EACCES when the existing regular file target (info) is not to be replaced: not writable,
    // or its owner took every write permission away. 0 otherwise.
    static int Refusal(const std::string& target, const struct stat& info);

    // Creates the temporary file beside target (links already followed), with the mode of the
    // file it replaces (existing), or as a new file is made. 0 or the system's error number of
    // creating it: EACCES, EPERM or EROFS mean the folder takes no new file.
    int Begin(const std::string& target, const struct stat* existing);

    // False once anything failed; the error is kept for Commit.
    bool Write(std::string_view text);
    bool Failed() const { return m_error != 0; }

    // Syncs, closes and renames the temporary file over the target, then syncs the folder.
    // 0 or the first error on the way (the target is as it was unless the rename was done).
    int Commit();

    // Leaves the target as it was: the temporary file goes.
    void Abandon();

private:
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    int m_error = 0;
};

// A small file written whole: returns the system's error number when it could not be written
// (the target is then as it was), 0 on success. A directory (EISDIR) or another kind of file
// that is not a regular one (EINVAL) is not replaced.
int WriteFileAtomically(const std::string& path, std::string_view text);
