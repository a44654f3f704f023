// WriteFileAtomically, the writer of parameter files and saved fits: what it replaces, what it
// refuses, and that it leaves links as links and no temporary file behind.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "conversion/atomic_file.h"
#include "tests/cli/test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesThroughLinksAndRefusesWhatIsNotItsToReplace) {
    const fs::path dir = FreshDir("dir");
    const std::string file = (dir / "file.json").string();
    const std::string link = (dir / "link.json").string();
    const std::string later = (dir / "later.json").string();
    const std::string dangling = (dir / "dangling.json").string();
    const std::string readOnly = (dir / "read-only.json").string();
    std::ofstream(file) << "old";
    std::ofstream(readOnly) << "old";
    chmod(file.c_str(), 0640);
    chmod(readOnly.c_str(), 0444);
    fs::create_symlink("file.json", link);
    fs::create_symlink("later.json", dangling);
    struct Case {
        std::string path;    // written
        int error;           // returned
        std::string target;  // where the text is, or the old text stays
        const char* content; // found there after
    };
    const Case cases[] = {
        {file, 0, file, "new"},
        {link, 0, file, "new"},      // the file the link names
        {dangling, 0, later, "new"}, // a link to a file not there yet makes it
        {readOnly, EACCES, readOnly, "old"},
        {dir.string(), EISDIR, readOnly, "old"},
        {(dir / "none" / "x.json").string(), ENOENT, readOnly, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(WriteFileAtomically(c.path, "new"), c.error);
        EXPECT_EQ(ReadFile(c.target), c.content);
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(dangling));
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u); // the replaced file's mode is kept
    EXPECT_EQ(FilesIn(dir), 5u);            // no temporary file left over
    chmod(readOnly.c_str(), 0644);
    fs::remove_all(dir);
}

} // namespace
