// Whole batches: line numbers in messages, the header rule, chunk boundaries, line ends, the
// byte order mark, overlong lines, counts.
#include <string>

#include <gtest/gtest.h>

#include "cli/english_words.h"
#include "conversion/batch.h"

namespace {

struct Captured {
    std::string out;
    std::string errors;
};

Captured RunBatch(const Settings& s, const std::string& input, std::size_t chunk) {
    Captured c;
    Batch batch(
        s, [&](std::string_view t) { c.out.append(t); },
        [&](const RecordError& e) {
            c.errors += e.file + ":" + std::to_string(e.problem.line) + ":" +
                        std::to_string(e.problem.field) + ": " + English(e.problem) + "\n";
        });
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
        EXPECT_EQ(c.errors, "points.txt:4:2: latitude '95' is beyond ±90°\n1/3");
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
    EXPECT_EQ(without.errors, "points.txt:1:2: northing 'X' is not a number\n1/2");
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

TEST(Batch, EachLineEndComesBackAsItCame) {
    Settings s;
    s.operation = Operation::Forward;
    s.zoneWidth = 3;
    const std::string r = "3376053.2931 38532798.3303";
    struct Case {
        std::string input;
        std::string output;
        const char* counts;
    };
    const Case cases[] = {
        {"30.3015 114.2030\r\n30.3015 114.2030\r\n", r + "\r\n" + r + "\r\n", "0/2"},
        {"30.3015 114.2030\r30.3015 114.2030\r", r + "\r" + r + "\r", "0/2"},
        {"30.3015 114.2030\r\r\n# c\n30.3015 114.2030", r + "\r\r\n# c\n" + r + "\n", "0/2"},
        // a last line without an ending ends as the line before it
        {"# c\r30.3015 114.2030", "# c\r" + r + "\r", "0/1"},
        {"30.3015 114.2030\r", r + "\r", "0/1"},
    };
    for (const Case& c : cases) {
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{17}, std::size_t{4096}}) {
            SCOPED_TRACE(testing::PrintToString(c.input) + " in chunks of " +
                         std::to_string(chunk));
            const Captured got = RunBatch(s, c.input, chunk);
            EXPECT_EQ(got.out, c.output);
            EXPECT_EQ(got.errors, c.counts);
        }
    }
}

TEST(Batch, ByteOrderMarkIsNoPartOfTheFirstField) {
    Settings s;
    s.operation = Operation::Inverse;
    s.zoneWidth = 6;
    const std::string bom = "\xEF\xBB\xBF";
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{4096}}) {
        SCOPED_TRACE(chunk);
        const Captured c = RunBatch(s, bom + "3386902.25,18399692.74\n", chunk);
        EXPECT_EQ(c.out, bom + "30.3553774691,103.5714746507\n");
        EXPECT_EQ(c.errors, "0/1");
    }

    // A second input's mark would land mid-output: it is dropped there.
    std::string out;
    Batch batch(
        s, [&](std::string_view t) { out.append(t); }, [](const RecordError&) {});
    for (const char* name : {"a.txt", "b.txt"}) {
        batch.BeginInput(name);
        batch.Feed(bom + "P,3386902.25,18399692.74\n");
        batch.EndInput();
    }
    batch.Flush();
    EXPECT_EQ(out, bom + "P,30.3553774691,103.5714746507\nP,30.3553774691,103.5714746507\n");
}

TEST(Batch, OverlongLinesAreBadRecordsAndTheRestConverts) {
    Settings s;
    s.operation = Operation::Forward;
    s.zoneWidth = 3;
    const std::string huge(kMaxLineBytes + 1, '7');
    const std::string input = "30.3015 114.2030\n" + huge + "\r\n30.3015 114.2030\n" + huge;
    const std::string r = "3376053.2931 38532798.3303\n";
    for (const std::size_t chunk : {std::size_t{4096}, std::size_t{1} << 22}) {
        SCOPED_TRACE(chunk);
        const Captured c = RunBatch(s, input, chunk);
        EXPECT_EQ(c.out, r + r);
        EXPECT_EQ(c.errors, "points.txt:2:0: line longer than 1048576 bytes, skipped\n"
                            "points.txt:4:0: line longer than 1048576 bytes, skipped\n2/4");
    }
    // A line of exactly the limit is still read.
    const std::string atLimit = "30.3015 114.2030" + std::string(kMaxLineBytes - 16, ' ') + "\n";
    EXPECT_EQ(RunBatch(s, atLimit, 65536).errors, "0/1");
}

} // namespace
