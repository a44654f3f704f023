// Files for the tests of whole files and of the program: names of each test's own, contents,
// and gkconv run on an input.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A file name of this test's own: ctest runs the tests of this program in parallel.
inline std::string TempPath(const std::string& suffix) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + "gk_" + test->test_suite_name() + "_" + test->name() + "_" + suffix;
}

struct ProcessResult {
    int status;
    std::string out;
    std::string err;
};

// gkconv with these arguments (as a shell reads them) on input as its standard input.
inline ProcessResult Gkconv(const std::string& args, const std::string& input) {
    const std::string in = TempPath("in.txt");
    const std::string out = TempPath("out.txt");
    const std::string err = TempPath("err.txt");
    std::ofstream(in, std::ios::binary) << input;
    const std::string command =
        std::string(GKCONV_PATH) + " " + args + " < " + in + " > " + out + " 2> " + err;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out), ReadFile(err)};
}
