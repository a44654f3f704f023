// gkconv's words, exit status and output for every kind of problem, against what the program
// wrote before its messages were worded from a table (tests/data/gkconv_messages.cases).
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/cli/test_files.h"

namespace {

struct MessageCase {
    std::string args;
    std::string input;
    int status = 0;
    std::string out;
    std::string err;
};

// \t, \\ and \xNN in an input line.
std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 't') {
                out += '\t';
                ++i;
                continue;
            }
            if (next == '\\') {
                out += '\\';
                ++i;
                continue;
            }
            if (next == 'x' && i + 3 < text.size()) {
                out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::vector<MessageCase> ReadCases() {
    std::ifstream in(std::filesystem::path(GK_SOURCE_DIR) / "tests" / "data" /
                     "gkconv_messages.cases");
    std::vector<MessageCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(": ");
        const std::string key = line.substr(0, line.find(':'));
        const std::string value = colon == std::string::npos ? "" : line.substr(colon + 2);
        if (key == "args") {
            cases.push_back({value, {}, 0, {}, {}});
        } else if (cases.empty() || line.empty() || line[0] == '#') {
            continue;
        } else if (key == "in") {
            cases.back().input += Unescape(value) + "\n";
        } else if (key == "status") {
            cases.back().status = std::stoi(value);
        } else if (key == "out") {
            cases.back().out += value + "\n";
        } else if (key == "err") {
            cases.back().err += value + "\n";
        }
    }
    return cases;
}

TEST(GkconvMessages, EveryProblemIsWordedAsBefore) {
    const std::vector<MessageCase> cases = ReadCases();
    ASSERT_GT(cases.size(), 50u);
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv(c.args, c.input);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

} // namespace
