// The program as a user runs it: exit status, stderr, files and -o.
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace {

struct ProcessResult {
    int status;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A file name of this test's own: ctest runs the tests of this program in parallel.
std::string TempPath(const std::string& suffix) {
    return testing::TempDir() + "gkconv_" +
           testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + suffix;
}

ProcessResult Gkconv(const std::string& args, const std::string& input) {
    const std::string in = TempPath("in.txt");
    const std::string out = TempPath("out.txt");
    const std::string err = TempPath("err.txt");
    std::ofstream(in, std::ios::binary) << input;
    const std::string command =
        std::string(GKCONV_PATH) + " " + args + " < " + in + " > " + out + " 2> " + err;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out), ReadFile(err)};
}

TEST(Gkconv, ExitStatusTellsWhatHappened) {
    struct Case {
        const char* args;
        const char* input;
        int status;
        const char* lastErrorLine; // "" when stderr must be empty
    };
    const Case cases[] = {
        {"forward -w 6", "31.41416832 111.47248974\n", 0, ""},
        {"forward -w 6", "31.41416832 111.47248974\n95 1\nx 1 y\n", 1,
         "gkconv: 2 of 3 records failed"},
        {"forward", "", 2, "Try 'gkconv --help'."},
        {"forward -w 4", "", 2, "Try 'gkconv --help'."},
        {"sideways -w 6", "", 2, "Try 'gkconv --help'."},
        {"forward -w 6 --a 6378245", "", 2, "Try 'gkconv --help'."},
        {"forward -w 6 --exact --precision 3", "", 2, "Try 'gkconv --help'."},
        {"forward -w 6 -d 5", "", 2, "Try 'gkconv --help'."},
        {"forward -w 6 /nonexistent/points.txt", "", 1, "gkconv: 0 of 0 records failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv(c.args, c.input);
        EXPECT_EQ(r.status, c.status);
        if (*c.lastErrorLine == '\0') {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_NE(r.err.find(std::string(c.lastErrorLine) + "\n"), std::string::npos) << r.err;
            EXPECT_EQ(r.err.rfind('\n', r.err.size() - 2) + 1,
                      r.err.size() - std::string(c.lastErrorLine).size() - 1)
                << "not the last line: " << r.err;
        }
    }
}

TEST(Gkconv, EllipsoidsAndOutputFile) {
    const std::string out = TempPath("o.txt");
    const ProcessResult r =
        Gkconv("forward -w 6 -e beijing54 -o " + out, "P,31.41416832,111.47248974\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(out), "P,3508356.7837,19574921.6688\n");

    // The same ellipsoid given by its numbers.
    EXPECT_EQ(Gkconv("forward -w 6 --a 6378245 --alfa 298.3", "31.41416832 111.47248974\n").out,
              "3508356.7837 19574921.6688\n");
    EXPECT_EQ(Gkconv("forward -w 6 -e xian80", "31.41416832 111.47248974\n").out,
              "3508296.1134 19574920.4454\n");
}

TEST(Gkconv, NamedFilesAreReadInOrderWithTheirNamesInMessages) {
    const std::string a = TempPath("a.txt");
    std::ofstream(a) << "30.3015 114.2030\n";
    const ProcessResult r = Gkconv("forward -w 3 " + a + " -", "bad 1\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "3376053.2931 38532798.3303\n");
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              "<stdin>:1: expected two coordinates after the point name 'bad'");
}

} // namespace
