// Whole batches: line numbers in messages, the header rule, chunk boundaries, counts.
#include <string>

#include <gtest/gtest.h>

#include "batch.h"

namespace {

struct Captured {
    std::string out;
    std::string errors;
};

Captured RunBatch(const Settings& s, const std::string& input, std::size_t chunk) {
    Captured c;
    Batch batch(
        s, [&](std::string_view t) { c.out.append(t); },
        [&](std::string_view t) { c.errors.append(t); });
    batch.BeginInput("points.txt");
    for (std::size_t i = 0; i < input.size(); i += chunk) {
        batch.Feed(std::string_view(input).substr(i, chunk));
    }
    batch.EndInput();
    batch.Flush();
    c.errors += std::to_string(batch.Failed()) + "/" + std::to_string(batch.Records());
    return c;
}

TEST(Batch, ReportsBadRecordsByLineAndKeepsTheRest) {
    Settings s;
    s.operation = Operation::Forward;
    s.zoneWidth = 3;
    const std::string input = "# points\n"
                              "A 30.3015 114.2030\n"
                              "\n"
                              "B 95 114\n"
                              "C 30.3015 114.2030 last"; // no final line ending
    const std::string expected = "# points\n"
                                 "A 3376053.2931 38532798.3303\n"
                                 "\n"
                                 "C 3376053.2931 38532798.3303 last\n";
    // Any split of the input, down to one byte at a time, gives the same result.
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        SCOPED_TRACE(chunk);
        const Captured c = RunBatch(s, input, chunk);
        EXPECT_EQ(c.out, expected);
        EXPECT_EQ(c.errors, "points.txt:4: latitude '95' is beyond ±90°\n1/3");
    }
}

TEST(Batch, HeaderLinePassesThroughUnchanged) {
    Settings s;
    s.operation = Operation::Inverse;
    s.zoneWidth = 6;
    s.header = true;
    const Captured c = RunBatch(s, "name,X,Y\nP,3386902.25,18399692.74\n", 4096);
    EXPECT_EQ(c.out, "name,X,Y\nP,30.3553774691,103.5714746507\n");
    EXPECT_EQ(c.errors, "0/1");

    s.header = false;
    const Captured without = RunBatch(s, "name,X,Y\nP,3386902.25,18399692.74\n", 4096);
    EXPECT_EQ(without.errors, "points.txt:1: northing 'X' is not a number\n1/2");
}

TEST(Batch, LargeOutputArrivesWhole) {
    Settings s;
    s.operation = Operation::Forward;
    s.zoneWidth = 6;
    std::string input;
    for (int i = 0; i < 40000; ++i) {
        input += "30.3015 114.2030\n";
    }
    const Captured c = RunBatch(s, input, 65536);
    std::string expected;
    for (int i = 0; i < 40000; ++i) {
        expected += "3380756.7150 19820871.5419\n";
    }
    EXPECT_EQ(c.out, expected);
    EXPECT_EQ(c.errors, "0/40000");
}

} // namespace
