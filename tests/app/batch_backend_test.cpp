// The batch window's conversion speaks Chinese: every kind of bad record, file error and
// refused setting, as the window lists and shows it; and every problem code has its words in
// both front ends' tables.
#include "app/batch_backend.h"
#include "app/chinese_words.h"
#include "cli/english_words.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A folder of this test's own, gone afterwards.
struct Folder {
    Folder() {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::path(testing::TempDir()) /
               ("gk_backend_" + std::string(test->name()) + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string file = (path / name).string();
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    std::filesystem::path path;
};

// Two ASCII letters in a row outside the quoted field: an English word, or a part of one.
bool HasEnglishWord(std::string text) {
    const std::size_t open = text.find('\'');
    if (open != std::string::npos) {
        text.erase(open, text.rfind('\'') - open + 1);
    }
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (letter(text[i - 1]) && letter(text[i])) {
            return true;
        }
    }
    return false;
}

struct JobRun {
    BatchOutcome outcome;
    std::vector<BatchFailure> failures;
};

JobRun RunJob(const BatchRequest& request) {
    JobRun run;
    const BatchBackend backend = FileConversionBackend();
    EXPECT_EQ(backend.problem(request), "");
    const BatchJob job = backend.makeJob(request);
    BatchJobHooks hooks;
    hooks.failed = [&](BatchFailure failure) { run.failures.push_back(std::move(failure)); };
    run.outcome = job(hooks);
    return run;
}

TEST(BatchBackend, EveryKindOfBadRecordIsListedInChinese) {
    struct Line {
        const char* text;
        const char* field;
        const char* message;
    };
    struct Case {
        const char* what;
        void (*change)(BatchRequest&);
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"forward",
         [](BatchRequest&) {},
         {
             {"P1 30.3x22 114", "第 2 列", "纬度 B '30.3x22' 不是数"},
             {"P2 inf 114", "第 2 列", "纬度 B 'inf' 不是有限的数"},
             {"P3 30.6000 114", "第 2 列", "纬度 B '30.6000'：分和秒须小于 60"},
             {"P4 95 114", "第 2 列", "纬度 B '95' 超出 ±90°"},
             {"P5 30 400", "第 3 列", "经度 L '400' 不在 0° 到 360° 之间"},
             {"P6 30 0.5", "第 3 列",
              "经度 L '0.5' 落在3度带的第 0 带，该带没有带号（带号为 1 到 120）"},
             {"P7 30", "第 3 列", "点名 'P7' 之后缺少两个坐标"},
             {"30", "第 2 列", "缺少两个坐标"},
             {"P8 30 abc", "第 3 列", "经度 L 'abc' 不是数"},
         }},
        {"D:M:S angles",
         [](BatchRequest& r) { r.angles = BatchAngles::Dms; },
         {
             {"P 30:1x 114", "第 2 列", "纬度 B '30:1x' 不是“度:分:秒”形式的角度"},
             {"P 30.5:10 114", "第 2 列", "纬度 B '30.5:10'：度和分须是整数"},
             {"P 30″10° 114", "第 2 列", "纬度 B '30″10°'：度、分、秒符号须各出现一次，并按此顺序"},
         }},
        {"a column list",
         [](BatchRequest& r) { r.columns = "name,-,B,L"; },
         {
             {"P,x,30", "第 4 列", "应有 4 列，只有 3 列"},
         }},
        {"a meridian of one's own",
         [](BatchRequest& r) {
             r.centralMeridian = "114";
             r.noPrefix = true;
         },
         {
             {"P 30 125", "第 3 列",
              "经度 L '125' 距中央子午线 11.0000°，超出所选中央子午线或投影带的 6° 范围"},
         }},
        {"inverse",
         [](BatchRequest& r) { r.operation = BatchOperation::Inverse; },
         {
             {"3000000 500000", "第 2 列", "Y 坐标 '500000' 的带号 0 不是3度带的带号（1 到 120）"},
             {"1e300 38500000", "第 1 列", "X 坐标 '1e300' 超出了极点"},
         }},
        {"inverse about a meridian of one's own",
         [](BatchRequest& r) {
             r.operation = BatchOperation::Inverse;
             r.centralMeridian = "114";
             r.noPrefix = true;
         },
         {
             {"3000000 2000000", "第 2 列",
              "Y 坐标 '2000000' 的点距中央子午线超过 6°，超出所选中央子午线或投影带的范围"},
         }},
        {"into the neighbouring zone",
         [](BatchRequest& r) {
             r.operation = BatchOperation::Adjacent;
             r.zoneWidth = 6;
         },
         {
             {"3000000 60800000", "第 2 列",
              "Y 坐标 '60800000' 换到第 61 带，而6度带只有 1 到 60 带"},
         }},
        {"a line too long",
         [](BatchRequest&) {},
         {
             {nullptr, "整行", "行长超过 1048576 字节，已跳过"},
         }},
    };
    Folder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string input;
        for (const Line& line : c.lines) {
            input += line.text ? line.text : std::string((1 << 20) + 1, '1');
            input += '\n';
        }
        BatchRequest request;
        request.input = folder.Write("in.txt", input);
        request.output = (folder.path / "out.txt").string();
        c.change(request);
        const JobRun run = RunJob(request);
        EXPECT_EQ(run.outcome.status, BatchOutcome::Status::Done);
        EXPECT_EQ(run.outcome.failed, c.lines.size());
        ASSERT_EQ(run.failures.size(), c.lines.size());
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(run.failures[i].line, i + 1);
            EXPECT_EQ(run.failures[i].field, c.lines[i].field);
            EXPECT_EQ(run.failures[i].message, c.lines[i].message);
            EXPECT_FALSE(HasEnglishWord(run.failures[i].message));
        }
    }
}

TEST(BatchBackend, FileErrorsAreToldInChinese) {
    Folder folder;
    const std::string in = folder.Write("in.txt", "30 114\n");
    const std::string missing = (folder.path / "missing.txt").string();
    const std::string fifo = (folder.path / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string input;
        std::string output;
        std::string message;
    };
    const Case cases[] = {
        {missing, (folder.path / "out.txt").string(),
         "无法读取 " + missing + "：文件或文件夹不存在"},
        {in, (folder.path / "no" / "out.txt").string(),
         "无法写入 " + (folder.path / "no" / "out.txt").string() + "：文件或文件夹不存在"},
        {in, folder.path.string(), "无法写入 " + folder.path.string() + "：这是一个文件夹"},
        {in, in, "无法写入 " + in + "：它就是输入文件 " + in},
        {fifo, (folder.path / "out.txt").string(), "无法读取 " + fifo + "：不是普通文件"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        BatchRequest request;
        request.input = c.input;
        request.output = c.output;
        const JobRun run = RunJob(request);
        EXPECT_EQ(run.outcome.status, BatchOutcome::Status::Failed);
        EXPECT_EQ(run.outcome.message, c.message);
    }

    BatchRequest request;
    request.input = missing;
    EXPECT_EQ(FileConversionBackend().preview(request).message,
              "无法读取 " + missing + "：文件或文件夹不存在");
    request.input = fifo;
    EXPECT_EQ(FileConversionBackend().preview(request).message,
              "无法预览 " + fifo + "：不是普通文件");
}

TEST(BatchBackend, RefusedSettingsNameTheWindowsControlsInChinese) {
    struct Case {
        void (*change)(BatchRequest&);
        const char* message;
    };
    const Case cases[] = {
        {[](BatchRequest& r) {
             r.centralMeridian = "114.5";
             r.angles = BatchAngles::Degrees;
         },
         "中央子午线 114.5 不是3度带中某一带的中央子午线。按自己的中央子午线投影时，请勾选“Y "
         "不带带号”。"},
        {[](BatchRequest& r) { r.noPrefix = true; },
         "Y 不带带号时，须给出中央子午线：否则 Y 说不出它的投影带。"},
        {[](BatchRequest& r) { r.centralMeridian = "东经114"; },
         "中央子午线须是 -180° 到 360° 之间的经度，写作十进制度（114.5）或 "
         "度:分:秒（114:30:00）。"},
        {[](BatchRequest& r) {
             r.ellipsoid = "";
             r.a = -1.0;
         },
         "自定义椭球的长半轴 a 须是正的米数（现为 -1）。"},
        {[](BatchRequest& r) {
             r.ellipsoid = "";
             r.alfa = 0.5;
         },
         "自定义椭球的扁率倒数 alfa 须大于 1，圆球为 0（现为 0.5）。"},
        {[](BatchRequest& r) { r.columns = "name,B,B"; },
         "各列含义须按文件中的顺序逐列写出：name 为点名，B 和 L 为两个坐标（各写一次），- "
         "为照抄的列，以逗号分隔。（“B”写了两次。）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        BatchRequest request;
        c.change(request);
        EXPECT_EQ(FileConversionBackend().problem(request), c.message);
    }
}

// The meridian reads in the chosen angle form, as the file's longitudes do: packed 114.30 is
// 114°30′, and D:M:S reads in every form.
TEST(BatchBackend, CentralMeridianReadsInTheChosenAngleForm) {
    struct Case {
        BatchAngles angles;
        const char* text;
        double degrees;
    };
    const Case cases[] = {
        {BatchAngles::Packed, "114.30", 114.5},
        {BatchAngles::Degrees, "114.30", 114.3},
        {BatchAngles::Packed, "114:30", 114.5},
        {BatchAngles::Dms, "114.5", 114.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        BatchRequest request;
        request.angles = c.angles;
        request.centralMeridian = c.text;
        request.noPrefix = true;
        Settings settings;
        EXPECT_EQ(BatchSettings(request, settings), "");
        ASSERT_TRUE(settings.centralMeridian);
        EXPECT_NEAR(*settings.centralMeridian, c.degrees, 1e-12);
    }
}

// A file of numbered points read as coordinates: the preview says so in Chinese, once, as the
// run would note it; names or fractions bring no hint.
TEST(BatchBackend, PreviewHintsAtNumberedPoints) {
    Folder folder;
    struct Case {
        const char* text;
        const char* hint;
    };
    const Case cases[] = {
        {"1001,3386902.25,18399692.74,41.7\n1002,3386903.25,18399693.74,40.1\n",
         "提示：第一列 '1001' 被读作 X "
         "坐标，而该记录还有更多数字；若第一列是点号，请在各列含义中写 "
         "name,X,Y,-"},
        {"P1,3386902.25,18399692.74,41.7\n", ""},
        {"3386902.25,18399692.74,41.7\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        BatchRequest request;
        request.operation = BatchOperation::Inverse;
        request.zoneWidth = 6;
        request.input = folder.Write("in.txt", c.text);
        const BatchPreview preview = FileConversionBackend().preview(request);
        EXPECT_EQ(preview.message, "");
        EXPECT_EQ(preview.hint, c.hint);
        EXPECT_FALSE(preview.rows.empty());
    }
}

// Each code is worded by both tables, each in its own words, with every placeholder known.
TEST(ProblemWords, EveryCodeHasItsEnglishAndItsChineseWords) {
    Problem sample{.code = ProblemCode::None,
                   .field = 2,
                   .line = 7,
                   .quantity = Quantity::Latitude,
                   .text = "x",
                   .other = "y",
                   .value = 1.0,
                   .bound = 6.0,
                   .zone = 20,
                   .width = 6,
                   .count = 1,
                   .needed = 2,
                   .error = 2};
    for (int i = 1; i < static_cast<int>(ProblemCode::Count); ++i) {
        sample.code = static_cast<ProblemCode>(i);
        SCOPED_TRACE(i);
        const std::string english = English(sample);
        const std::string chinese = Chinese(sample);
        EXPECT_FALSE(PatternOf(sample.code, EnglishWords()).empty());
        EXPECT_FALSE(PatternOf(sample.code, ChineseWords()).empty());
        EXPECT_NE(english, "#" + std::to_string(i));
        EXPECT_NE(chinese, "#" + std::to_string(i));
        EXPECT_NE(english, chinese);
        EXPECT_EQ(english.find('{'), std::string::npos) << english;
        EXPECT_EQ(chinese.find('{'), std::string::npos) << chinese;
    }
    // A table lists each code once.
    for (const ProblemWords* words : {&EnglishWords(), &ChineseWords()}) {
        std::vector<int> seen(static_cast<std::size_t>(ProblemCode::Count), 0);
        for (const ProblemPattern& entry : words->patterns) {
            EXPECT_EQ(++seen[static_cast<std::size_t>(entry.code)], 1)
                << static_cast<int>(entry.code);
        }
    }
}

} // namespace
