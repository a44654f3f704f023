// The entry points a window calls: whole files with progress, a stop flag and failed records as
// values, and the preview of a file's first lines.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/english_words.h"
#include "conversion/file_conversion.h"
#include "tests/cli/test_files.h"

namespace {

Settings Forward3() {
    Settings s;
    s.operation = Operation::Forward;
    s.zoneWidth = 3;
    return s;
}

TEST(ConvertFile, ReportsProgressCountsAndFailedRecords) {
    const std::string in = TempPath("in.txt");
    const std::string out = TempPath("out.txt");
    std::string input = "# points\n";
    std::string expected = input;
    for (int i = 0; i < 150000; ++i) { // about 3 MiB: several blocks
        input += "P 30.3015 114.2030\n";
        expected += "P 3376053.2931 38532798.3303\n";
    }
    input += "Q 95 114\n";
    std::ofstream(in, std::ios::binary) << input;

    std::vector<std::int64_t> done;
    std::vector<RecordError> errors;
    RunCallbacks callbacks;
    callbacks.progress = [&](const std::string& name, std::int64_t bytes, std::int64_t total) {
        EXPECT_EQ(name, in);
        EXPECT_EQ(total, static_cast<std::int64_t>(input.size()));
        done.push_back(bytes);
    };
    callbacks.failed = [&](const RecordError& e) { errors.push_back(e); };
    const RunResult r = ConvertFile(in, out, Forward3(), callbacks);

    EXPECT_EQ(r.status, RunStatus::RecordsFailed);
    EXPECT_EQ(r.converted, 150000);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.passedThrough, 1);
    EXPECT_EQ(ReadFile(out), expected);
    ASSERT_GE(done.size(), 3u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(done.back(), static_cast<std::int64_t>(input.size()));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].file, in);
    EXPECT_EQ(errors[0].problem.line, 150002);
    EXPECT_EQ(errors[0].problem.field, 2);
    EXPECT_EQ(English(errors[0].problem), "latitude '95' is beyond ±90°");
}

TEST(ConvertFile, StoppingLeavesTheOutputAsItWas) {
    const std::string dir = FreshDir("dir");
    const std::string in = dir + "/in.txt";
    const std::string out = dir + "/out.txt";
    std::string input;
    for (int i = 0; i < 150000; ++i) {
        input += "30.3015 114.2030\n";
    }
    std::ofstream(in, std::ios::binary) << input;
    std::ofstream(out, std::ios::binary) << "yesterday's results\n";

    std::atomic<bool> stop{false};
    RunCallbacks callbacks;
    callbacks.stop = &stop;
    callbacks.progress = [&](const std::string&, std::int64_t, std::int64_t) { stop = true; };
    const RunResult r = ConvertFile(in, out, Forward3(), callbacks);
    EXPECT_EQ(r.status, RunStatus::Stopped);
    EXPECT_EQ(ReadFile(out), "yesterday's results\n");
    // No temporary file is left behind.
    EXPECT_EQ(FilesIn(dir), 2u);
}

// A window asks to keep an existing output when a run converts nothing (every record failed,
// or there was none); gkconv does not ask, and a run that converts something replaces it.
TEST(ConvertFile, AnExistingOutputIsKeptWhenAskedAndNoRecordConverted) {
    struct Case {
        const char* label;
        const char* input;
        bool keep;     // keepOutputUnlessConverted
        bool existing; // an output file is there before the run
        bool kept;
        const char* output; // afterwards
    };
    const Case cases[] = {
        {"every record failed", "95 114\n96 114\n", true, true, true, "good results\n"},
        {"no record at all", "# nothing\n", true, true, true, "good results\n"},
        {"gkconv replaces", "95 114\n", false, true, false, ""},
        {"nothing there to keep", "95 114\n", true, false, false, ""},
        {"one converted", "95 114\n30.3015 114.2030\n", true, true, false,
         "3376053.2931 38532798.3303\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string dir = FreshDir("dir");
        const std::string in = dir + "/in.txt";
        const std::string out = dir + "/out.txt";
        std::ofstream(in, std::ios::binary) << c.input;
        if (c.existing) {
            std::ofstream(out, std::ios::binary) << "good results\n";
        }
        RunCallbacks callbacks;
        callbacks.keepOutputUnlessConverted = c.keep;
        const RunResult r = ConvertFile(in, out, Forward3(), callbacks);
        EXPECT_NE(r.status, RunStatus::FileError);
        EXPECT_EQ(r.outputKept, c.kept);
        EXPECT_EQ(ReadFile(out), c.output);
        // No temporary file is left behind.
        EXPECT_EQ(FilesIn(dir), 2u);
    }
}

TEST(ConvertFile, RefusesAnOutputThatIsTheInput) {
    const std::string in = TempPath("in.txt");
    std::ofstream(in, std::ios::binary) << "30.3015 114.2030\n";
    const RunResult r = ConvertFile(in, in, Forward3(), {});
    EXPECT_EQ(r.status, RunStatus::FileError);
    EXPECT_EQ(English(r.problem), "cannot write " + in + ": it is the input " + in);
    EXPECT_EQ(ReadFile(in), "30.3015 114.2030\n");
}

TEST(PreviewFile, SplitsTheFirstLinesAsTheConverterWill) {
    const std::string in = TempPath("in.txt");
    std::ofstream(in, std::ios::binary) << "\xEF\xBB\xBFpoint,code,east,north\r\n"
                                           "1001,CP,38532798.3303,3376053.2931\r\n"
                                           "\r\n"
                                           "1002,,38532798.3303,3376053.2931\r\n"
                                           "1003,CP,38532798.3303,3376053.2931\r\n";
    Settings s;
    s.operation = Operation::Inverse;
    s.zoneWidth = 3;
    s.header = true;
    const Result<ColumnLayout> columns = ParseColumns("name,-,Y,X", s.operation);
    ASSERT_TRUE(columns);
    s.columns = *columns;
    const Result<std::vector<PreviewLine>> preview = PreviewFile(in, s, 4);
    ASSERT_TRUE(preview) << English(preview.problem());
    const std::vector<PreviewLine>& lines = *preview;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "point,code,east,north");
    EXPECT_TRUE(lines[0].fields.empty()); // the header passes through
    EXPECT_TRUE(lines[2].fields.empty());
    EXPECT_EQ(lines[3].number, 4);
    ASSERT_EQ(lines[3].fields.size(), 4u);
    const FieldRole roles[] = {FieldRole::Name, FieldRole::Other, FieldRole::Y, FieldRole::X};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[3].fields[i].role, roles[i]) << i;
    }
    EXPECT_EQ(lines[3].fields[0].text, "1002");
    EXPECT_EQ(lines[3].fields[1].text, "");

    const Result<std::vector<PreviewLine>> missing = PreviewFile(TempPath("missing.txt"), s, 4);
    EXPECT_FALSE(missing);
    EXPECT_EQ(English(missing.problem()),
              "cannot read " + TempPath("missing.txt") + ": No such file or directory");
}

// A preview comes back at once whatever the path names: a pipe nobody writes, an endless
// device, or a file whose first line never ends is not read to its end.
TEST(PreviewFile, ReadsOnlyRegularFilesAndOnlyTheirFirstBlocks) {
    const std::string fifo = TempPath("pipe");
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string endless = TempPath("endless.txt");
    std::ofstream(endless, std::ios::binary) << std::string(9 << 20, '7');
    struct Case {
        std::string path;
        bool previewed;
        std::string error;
        std::size_t lines;
    };
    const Case cases[] = {
        {fifo, false, "cannot preview " + fifo + ": not a regular file", 0},
        {"/dev/zero", false, "cannot preview /dev/zero: not a regular file", 0},
        {endless, true, "", 1}, // reported once as too long, the rest left unread
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Result<std::vector<PreviewLine>> preview = PreviewFile(c.path, Forward3(), 20);
        EXPECT_EQ(static_cast<bool>(preview), c.previewed);
        EXPECT_EQ(preview ? "" : English(preview.problem()), c.error);
        EXPECT_EQ(preview ? preview->size() : 0u, c.lines);
    }
    std::filesystem::remove(fifo);
}

// A window offers the method and a central meridian through the same settings; settings that
// describe no projection leave an existing output as it was, and say why.
TEST(ConvertFile, TakesProjectionSettingsAndRefusesUnsoundOnesBeforeTouchingAnything) {
    struct Case {
        const char* what;
        void (*change)(Settings&);
        RunStatus status;
        const char* output; // the output file afterwards
    };
    const Case cases[] = {
        {"krueger about a zone's meridian",
         [](Settings& s) {
             s.method = Method::Krueger;
             s.centralMeridian = 114.0;
         },
         RunStatus::Converted, "3376053.2931 38532798.3303\n"},
        {"no prefix",
         [](Settings& s) {
             s.zone = 38;
             s.prefix = false;
         },
         RunStatus::Converted, "3376053.2931 532798.3303\n"},
        {"a meridian of one's own with a prefix", [](Settings& s) { s.centralMeridian = 114.5; },
         RunStatus::SettingsRefused, "existing\n"},
    };
    const std::string in = TempPath("in.txt");
    const std::string out = TempPath("out.txt");
    std::ofstream(in, std::ios::binary) << "30.3015 114.2030\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(out, std::ios::binary) << "existing\n";
        Settings s = Forward3();
        c.change(s);
        const RunResult r = ConvertFile(in, out, s, {});
        EXPECT_EQ(r.status, c.status) << English(r.problem);
        EXPECT_EQ(ReadFile(out), c.output);
        const Result<std::vector<PreviewLine>> preview = PreviewFile(in, s, 1);
        EXPECT_EQ(static_cast<bool>(preview), c.status == RunStatus::Converted);
        EXPECT_EQ(preview.problem().code, r.problem.code);
    }
}

} // namespace
