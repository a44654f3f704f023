// One record at a time: every operation on the worked examples, names, passed-through fields,
// delimiters and every kind of bad record.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "record_converter.h"

namespace {

Settings Make(Operation op, int width, AngleFormat angles = AngleFormat::Packed) {
    Settings s;
    s.operation = op;
    s.zoneWidth = width;
    s.angles = angles;
    return s;
}

struct Outcome {
    RecordConverter::Result result;
    std::string out;
    std::string error;
};

Outcome ConvertOne(const Settings& s, const std::string& line) {
    RecordConverter converter(s);
    Outcome o;
    o.result = converter.Convert(line, o.out, o.error);
    return o;
}

TEST(RecordConverter, EachOperationOnTheWorkedExamples) {
    using A = AngleFormat;
    struct Case {
        Operation op;
        int width;
        AngleFormat angles;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {Operation::Forward, 6, A::Packed, "31.41416832 111.47248974",
         "3508294.4784 19574920.4101\n"},
        {Operation::Forward, 3, A::Packed, "30.3015 114.2030", "3376053.2931 38532798.3303\n"},
        {Operation::Forward, 3, A::Dms, "30:30:15 114:20:30", "3376053.2931 38532798.3303\n"},
        {Operation::Forward, 3, A::Dms, "30°30′15″ 114°20′30″", "3376053.2931 38532798.3303\n"},
        {Operation::Forward, 6, A::Degrees, "45 108", "4989325.2348 18736540.6424\n"},
        {Operation::Inverse, 6, A::Packed, "3386902.25 18399692.74",
         "30.3553774691 103.5714746507\n"},
        {Operation::Inverse, 3, A::Packed, "3386902.25 18399692.74",
         "30.3553774691 52.5714746507\n"},
        {Operation::Inverse, 6, A::Degrees, "3386902.25 18399692.74",
         "30.5982707474 103.9540962521\n"},
        {Operation::Inverse, 6, A::Dms, "3386902.25 18399692.74",
         "30:35:53.774691 103:57:14.746507\n"},
        {Operation::Adjacent, 6, A::Packed, "3508294.4784 19574920.4101",
         "3519848.2121 20005784.2053\n"},
        {Operation::Adjacent, 3, A::Packed, "3376053.2931 38532798.3303",
         "3379010.4799 39244769.0210\n"},
        {Operation::ThreeToSix, 0, A::Packed, "3376053.2931 38532798.3303",
         "3380756.7150 19820871.5419\n"},
        {Operation::SixToThree, 0, A::Packed, "3380756.7150 19820871.5419",
         "3376053.2931 38532798.3309\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const Outcome o = ConvertOne(Make(c.op, c.width, c.angles), c.in);
        EXPECT_EQ(o.result, RecordConverter::Result::Converted) << o.error;
        EXPECT_EQ(o.out, c.out);
    }
}

TEST(RecordConverter, NamesAndExtraFieldsPassThroughWithTheDelimiter) {
    struct Case {
        char delimiter;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {0, "P1 30.3015 114.2030", "P1 3376053.2931 38532798.3303\n"},
        {0, "  P1   30.3015  114.2030  h=12  note  ", "P1 3376053.2931 38532798.3303 h=12  note\n"},
        {0, "P1,30.3015, 114.2030,h=12, x", "P1,3376053.2931,38532798.3303,h=12, x\n"},
        {0, "P1\t30.3015\t114.2030\t\tcol5", "P1\t3376053.2931\t38532798.3303\t\tcol5\n"},
        {0, "30.3015,114.2030,", "3376053.2931,38532798.3303,\n"},
        {0, "30.3015 114.2030\r", "3376053.2931 38532798.3303\r\n"},
        {0, "P1,30.3015,114.2030,note\r", "P1,3376053.2931,38532798.3303,note\r\n"},
        {';', "Station 7;30.3015;114.2030;ok", "Station 7;3376053.2931;38532798.3303;ok\n"},
        {'|', "30.3015 | 114.2030", "3376053.2931|38532798.3303\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        Settings s = Make(Operation::Forward, 3);
        s.delimiter = c.delimiter;
        const Outcome o = ConvertOne(s, c.in);
        EXPECT_EQ(o.result, RecordConverter::Result::Converted) << o.error;
        EXPECT_EQ(o.out, c.out);
    }
}

TEST(RecordConverter, CommentsAndBlankLinesPassUnchanged) {
    for (const char* line : {"", "   ", "# header, with commas", "  # indented", "\t\r"}) {
        SCOPED_TRACE(line);
        const Outcome o = ConvertOne(Make(Operation::Forward, 6), line);
        EXPECT_EQ(o.result, RecordConverter::Result::PassedThrough);
        EXPECT_EQ(o.out, std::string(line) + "\n");
    }
}

TEST(RecordConverter, BadRecordsSayWhatIsWrong) {
    using A = AngleFormat;
    struct Case {
        Operation op;
        int width;
        AngleFormat angles;
        const char* in;
        const char* error;
    };
    const Case cases[] = {
        {Operation::Forward, 6, A::Packed, "30.3015 abc", "longitude 'abc' is not a number"},
        {Operation::Forward, 6, A::Packed, "P1 30x3015 114", "latitude '30x3015' is not a number"},
        {Operation::Forward, 6, A::Packed, "P1 95.0 114", "latitude '95.0' is beyond ±90°"},
        {Operation::Forward, 6, A::Packed, "-90.01 114", "latitude '-90.01' is beyond ±90°"},
        {Operation::Forward, 6, A::Degrees, "90.5 114", "latitude '90.5' is beyond ±90°"},
        {Operation::Forward, 6, A::Packed, "inf 114", "latitude 'inf' is not a finite number"},
        {Operation::Forward, 6, A::Packed, "30 nan", "longitude 'nan' is not a finite number"},
        {Operation::Forward, 6, A::Packed, "P1 30.3015",
         "expected two coordinates after the point "
         "name 'P1'"},
        {Operation::Forward, 6, A::Packed, "30.3015", "expected two coordinates"},
        {Operation::Forward, 6, A::Dms, "30:75:00 114",
         "latitude '30:75:00': minutes and seconds "
         "must be below 60"},
        {Operation::Forward, 6, A::Dms, "30.5:10 114",
         "latitude '30.5:10': degrees and minutes "
         "must be whole numbers"},
        {Operation::Forward, 6, A::Dms, "P 30:1x 114", "latitude '30:1x' is not a D:M:S angle"},
        {Operation::Inverse, 6, A::Packed, "3386902.25 500000",
         "easting '500000' has zone prefix 0, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 6, A::Packed, "3386902.25 61500000",
         "easting '61500000' has zone prefix 61, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 3, A::Packed, "3386902.25 121500000",
         "easting '121500000' has zone prefix 121, not a 3° zone (1 to 120)"},
        {Operation::Inverse, 3, A::Packed, "3386902.25 -38500000",
         "easting '-38500000' has zone prefix -38, not a 3° zone (1 to 120)"},
        {Operation::Inverse, 6, A::Packed, "3386902.25 1e300",
         "easting '1e300' has zone prefix 2147, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 6, A::Packed, "-inf 18399692.74",
         "northing '-inf' is not a finite number"},
        {Operation::SixToThree, 0, A::Packed, "3380756.715 98820871.5",
         "easting '98820871.5' has zone prefix 98, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 6, A::Packed, "1e308 18399692.74",
         "northing '1e308' lies beyond the pole"},
        {Operation::Inverse, 6, A::Packed, "-10002000 18399692.74",
         "northing '-10002000' lies beyond the pole"},
        {Operation::Forward, 6, A::Packed, "30 1e308", "the coordinates give no finite result"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const Outcome o = ConvertOne(Make(c.op, c.width, c.angles), c.in);
        EXPECT_EQ(o.result, RecordConverter::Result::Failed);
        EXPECT_EQ(o.error, c.error);
        EXPECT_EQ(o.out, "");
    }
}

TEST(RecordConverter, PrecisionAndExactOutput) {
    Settings s = Make(Operation::Forward, 6);
    s.precision = 1;
    EXPECT_EQ(ConvertOne(s, "31.41416832 111.47248974").out, "3508294.5 19574920.4\n");
    s.precision = -1;
    s.exact = true;
    const std::string exact = ConvertOne(s, "31.41416832 111.47248974").out;
    double X = 0;
    double Y = 0;
    ASSERT_EQ(std::sscanf(exact.c_str(), "%lf %lf", &X, &Y), 2);
    CGaussProjection p;
    p.SetAll(6, s.a, s.f, 31.41416832, 111.47248974, 0, 0);
    p.ZoneFromL();
    p.BLToXY();
    EXPECT_EQ(X, p.m_X); // reads back to the very same doubles
    EXPECT_EQ(Y, p.m_Y);

    Settings inv = Make(Operation::Inverse, 6, AngleFormat::Dms);
    inv.precision = 2;
    EXPECT_EQ(ConvertOne(inv, "3386902.25 18399692.74").out, "30:35:53.77 103:57:14.75\n");
}

} // namespace
