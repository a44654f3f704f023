// Files for the tests of whole files and of the program: names of each test's own and contents.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

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
