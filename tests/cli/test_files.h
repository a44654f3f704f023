// Files for the tests of whole files and of the program: names of each test's own, contents,
// gkconv run on an input, and numbers to and from its text.
#pragma once

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

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

// An empty folder of this test's own, made afresh.
inline std::string FreshDir(const std::string& suffix) {
    const std::string dir = TempPath(suffix);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// How many entries a folder holds: a temporary file left behind shows here.
inline std::size_t FilesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}

// The shortest text that reads back to the same double.
inline std::string Text(double value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, std::end(buffer), value).ptr);
}

// The numbers of a line, split at the delimiter (' ' takes any run of blanks).
inline std::vector<double> Numbers(const std::string& line, char delimiter = ',') {
    std::vector<double> values;
    std::istringstream in(line);
    std::string item;
    while (delimiter == ' ' ? static_cast<bool>(in >> item)
                            : static_cast<bool>(std::getline(in, item, delimiter))) {
        values.push_back(std::stod(item));
    }
    return values;
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
