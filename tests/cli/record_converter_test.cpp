// One record at a time: every operation on the worked examples, names, passed-through fields,
// delimiters and every kind of bad record.
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "cli/english_words.h"
#include "conversion/record_converter.h"
#include "engine/gauss_projection.h"

namespace {

Settings Make(Operation op, int width, AngleFormat angles = AngleFormat::Packed) {
    Settings s;
    s.operation = op;
    s.zoneWidth = width;
    s.angles = angles;
    return s;
}

// A column list the test knows to be sound.
ColumnLayout Columns(const char* list, Operation op) {
    const Result<ColumnLayout> layout = ParseColumns(list, op);
    EXPECT_TRUE(layout) << list;
    return layout ? *layout : ColumnLayout{};
}

struct Outcome {
    RecordConverter::Outcome result;
    std::string out;
    std::string error;
    int field;
};

Outcome ConvertOne(const Settings& s, const std::string& line) {
    RecordConverter converter(s);
    Outcome o;
    Problem problem;
    o.result = converter.Convert(line, o.out, problem);
    o.error = problem ? English(problem) : "";
    o.field = problem.field;
    return o;
}

struct Refusal {
    Operation op;
    int width;
    AngleFormat angles;
    const char* in;
    const char* error;
};

void ExpectRefused(const std::vector<Refusal>& cases) {
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.in);
        const Outcome o = ConvertOne(Make(c.op, c.width, c.angles), c.in);
        EXPECT_EQ(o.result, RecordConverter::Outcome::Failed);
        EXPECT_EQ(o.error, c.error);
        EXPECT_EQ(o.out, "");
    }
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
         "3508294.4784 19574920.4101"},
        {Operation::Forward, 3, A::Packed, "30.3015 114.2030", "3376053.2931 38532798.3303"},
        {Operation::Forward, 3, A::Dms, "30:30:15 114:20:30", "3376053.2931 38532798.3303"},
        {Operation::Forward, 3, A::Dms, "30°30′15″ 114°20′30″", "3376053.2931 38532798.3303"},
        {Operation::Forward, 6, A::Degrees, "45 108", "4989325.2348 18736540.6424"},
        {Operation::Inverse, 6, A::Packed, "3386902.25 18399692.74",
         "30.3553774691 103.5714746507"},
        {Operation::Inverse, 3, A::Packed, "3386902.25 18399692.74", "30.3553774691 52.5714746507"},
        {Operation::Inverse, 6, A::Degrees, "3386902.25 18399692.74",
         "30.5982707474 103.9540962521"},
        {Operation::Inverse, 6, A::Dms, "3386902.25 18399692.74",
         "30:35:53.774691 103:57:14.746507"},
        {Operation::Adjacent, 6, A::Packed, "3508294.4784 19574920.4101",
         "3519848.2121 20005784.2053"},
        {Operation::Adjacent, 3, A::Packed, "3376053.2931 38532798.3303",
         "3379010.4799 39244769.0210"},
        {Operation::ThreeToSix, 0, A::Packed, "3376053.2931 38532798.3303",
         "3380756.7150 19820871.5419"},
        {Operation::SixToThree, 0, A::Packed, "3380756.7150 19820871.5419",
         "3376053.2931 38532798.3309"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const Outcome o = ConvertOne(Make(c.op, c.width, c.angles), c.in);
        EXPECT_EQ(o.result, RecordConverter::Outcome::Converted) << o.error;
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
        {0, "P1 30.3015 114.2030", "P1 3376053.2931 38532798.3303"},
        {0, "  P1   30.3015  114.2030  h=12  note  ",
         "  P1   3376053.2931  38532798.3303  h=12  note  "},
        {0, "P1,30.3015, 114.2030,h=12, x", "P1,3376053.2931, 38532798.3303,h=12, x"},
        {0, "P1\t30.3015\t114.2030\t\tcol5", "P1\t3376053.2931\t38532798.3303\t\tcol5"},
        {0, "30.3015,114.2030,", "3376053.2931,38532798.3303,"},
        {0, "P 1\t30.3015\t114.2030", "P 1\t3376053.2931\t38532798.3303"},
        {';', "Station 7;30.3015;114.2030;ok", "Station 7;3376053.2931;38532798.3303;ok"},
        {'|', "30.3015 | 114.2030", "3376053.2931 | 38532798.3303"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        Settings s = Make(Operation::Forward, 3);
        s.delimiter = c.delimiter;
        const Outcome o = ConvertOne(s, c.in);
        EXPECT_EQ(o.result, RecordConverter::Outcome::Converted) << o.error;
        EXPECT_EQ(o.out, c.out);
    }
}

TEST(RecordConverter, CommentsAndBlankLinesPassUnchanged) {
    for (const char* line : {"", "   ", "# header, with commas", "  # indented", "\t"}) {
        SCOPED_TRACE(line);
        const Outcome o = ConvertOne(Make(Operation::Forward, 6), line);
        EXPECT_EQ(o.result, RecordConverter::Outcome::PassedThrough);
        EXPECT_EQ(o.out, line);
    }
}

TEST(RecordConverter, BadRecordsSayWhatIsWrong) {
    using A = AngleFormat;
    ExpectRefused({
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
         "easting '1e300' has zone prefix 1e+294, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 6, A::Packed, "3386902.25 2147483648",
         "easting '2147483648' has zone prefix 2147, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 6, A::Packed, "-inf 18399692.74",
         "northing '-inf' is not a finite number"},
        {Operation::SixToThree, 0, A::Packed, "3380756.715 98820871.5",
         "easting '98820871.5' has zone prefix 98, not a 6° zone (1 to 60)"},
        {Operation::Inverse, 6, A::Packed, "1e308 18399692.74",
         "northing '1e308' lies beyond the pole"},
        {Operation::Inverse, 6, A::Packed, "-10002000 18399692.74",
         "northing '-10002000' lies beyond the pole"},
        {Operation::Forward, 6, A::Packed, "30 1e308", "longitude '1e308' is outside 0° to 360°"},
    });
}

TEST(RecordConverter, PrecisionAndExactOutput) {
    Settings s = Make(Operation::Forward, 6);
    s.precision = 1;
    EXPECT_EQ(ConvertOne(s, "31.41416832 111.47248974").out, "3508294.5 19574920.4");
    s.precision = -1;
    s.exact = true;
    const std::string exact = ConvertOne(s, "31.41416832 111.47248974").out;
    double X = 0;
    double Y = 0;
    ASSERT_EQ(std::sscanf(exact.c_str(), "%lf %lf", &X, &Y), 2);
    CGaussProjection p;
    p.SetAll(6, s.ellipsoid.a(), s.ellipsoid.f(), 31.41416832, 111.47248974, 0, 0);
    p.ZoneFromL();
    p.BLToXY();
    EXPECT_EQ(X, p.m_X); // reads back to the very same doubles
    EXPECT_EQ(Y, p.m_Y);

    Settings inv = Make(Operation::Inverse, 6, AngleFormat::Dms);
    inv.precision = 2;
    EXPECT_EQ(ConvertOne(inv, "3386902.25 18399692.74").out, "30:35:53.77 103:57:14.75");
}

TEST(RecordConverter, ColumnsNameEveryFieldAndResultsTakeTheirPlace) {
    struct Case {
        Operation op;
        const char* columns;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        // a field book: point, code, east, north, height
        {Operation::Inverse, "name,-,Y,X,-", "P1,c7,18399692.74,3386902.25,12.5",
         "P1,c7,103.5714746507,30.3553774691,12.5"},
        // a numeric point number is a name when the layout says so
        {Operation::Inverse, "name,X,Y", "1001 3386902.25 18399692.74",
         "1001 30.3553774691 103.5714746507"},
        {Operation::Forward, "name,B,L", "45 30.3015 114.2030", "45 3380756.7150 19820871.5419"},
        {Operation::Forward, "L,B", "114.2030;30.3015;x", "19820871.5419;3380756.7150;x"},
        {Operation::Adjacent, "-,-,X,Y", "a,,3508294.4784,19574920.4101,h",
         "a,,3519848.2121,20005784.2053,h"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        Settings s = Make(c.op, 6);
        s.delimiter = std::string_view(c.in).find(';') != std::string_view::npos ? ';' : 0;
        s.columns = Columns(c.columns, c.op);
        const Outcome o = ConvertOne(s, c.in);
        EXPECT_EQ(o.result, RecordConverter::Outcome::Converted) << o.error;
        EXPECT_EQ(o.out, c.out);
    }

    Settings s = Make(Operation::Inverse, 6);
    s.columns = Columns("name,-,Y,X", Operation::Inverse);
    const Outcome shortLine = ConvertOne(s, "P1,c7,18399692.74");
    EXPECT_EQ(shortLine.error, "expected 4 fields, found 3");
    EXPECT_EQ(shortLine.field, 4);
}

TEST(ParseColumns, RefusesListsThatDoNotNameBothInputs) {
    struct Case {
        Operation op;
        const char* list;
        const char* error; // "" when accepted
    };
    const Case cases[] = {
        {Operation::Forward, "name,-,L,B,-", ""},
        {Operation::Forward, "name,X,Y",
         "--columns: 'X' is not a column of this operation; use "
         "name, B, L, H or -"},
        {Operation::Inverse, "X,X,Y", "--columns names 'X' twice"},
        {Operation::Inverse, "name,X", "--columns must name both X and Y"},
        {Operation::SixToThree, "X,Y,name,name", "--columns names 'name' twice"},
        {Operation::Inverse, "X,,Y",
         "--columns: '' is not a column of this operation; use name, "
         "X, Y, H or -"},
        {Operation::Adjacent, "X,Y,H",
         "--columns: 'H' is not a column of this operation; use name, X, Y or -"},
        {Operation::Datum, "name,B,L,H", ""},
        {Operation::Datum, "name,B,L,H,H", "--columns names 'H' twice"},
        {Operation::Plane, "name,X,Y,H",
         "--columns: 'H' is not a column of this operation; use name, X, Y or -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const Result<ColumnLayout> layout = ParseColumns(c.list, c.op);
        EXPECT_EQ(layout ? "" : English(layout.problem()), c.error);
    }
}

TEST(RecordConverter, EmptyFieldsKeepTheirPlace) {
    struct Case {
        const char* in;
        const char* out;   // "" when the record fails
        const char* error; // "" when it converts
        int field;
    };
    const Case cases[] = {
        {",30.3015,114.2030,note", ",3376053.2931,38532798.3303,note", "", 0},
        {"30.3015,,114.2030", "", "longitude '' is not a number", 2},
        {"P1,,30.3015,114.2030", "", "latitude '' is not a number", 2},
        {"P1,30.3015", "", "expected two coordinates after the point name 'P1'", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const Outcome o = ConvertOne(Make(Operation::Forward, 3), c.in);
        EXPECT_EQ(o.out, c.out);
        EXPECT_EQ(o.error, c.error);
        EXPECT_EQ(o.field, c.field);
    }
}

TEST(RecordConverter, WritesOnlyWhatItReadsBack) {
    using A = AngleFormat;
    ExpectRefused({
        {Operation::Forward, 6, A::Packed, "30 -0.0001",
         "longitude '-0.0001' is outside 0° to 360°"},
        {Operation::Forward, 6, A::Degrees, "30 360", "longitude '360' is outside 0° to 360°"},
        {Operation::Forward, 6, A::Packed, "30 0.5959",
         "longitude '0.5959' lies in zone 0 of the 6° system, which has no zone prefix (zones 1 "
         "to 60)"},
        {Operation::Forward, 3, A::Packed, "30 1.5959",
         "longitude '1.5959' lies in zone 0 of the 3° system, which has no zone prefix (zones 1 "
         "to 120)"},
        {Operation::Forward, 6, A::Packed, "30.9999 114",
         "latitude '30.9999': minutes and "
         "seconds must be below 60"},
        {Operation::Forward, 6, A::Packed, "30 114.0060",
         "longitude '114.0060': minutes and "
         "seconds must be below 60"},
        {Operation::Forward, 6, A::Dms, "30″30′15° 114",
         "latitude '30″30′15°': degree, minute and second marks must each come once, in that "
         "order"},
        {Operation::Forward, 6, A::Dms, "P,30 30 15,114",
         "latitude '30 30 15' is not a D:M:S angle"},
        {Operation::Forward, 6, A::Packed, "P 30\x01x 114", "latitude '30\\x01x' is not a number"},
        // the neighbour beyond the last zone or before the first has no prefix
        {Operation::Adjacent, 6, A::Packed, "3386902.25 60600000",
         "easting '60600000' leads to zone 61, not a 6° zone (1 to 60)"},
        {Operation::Adjacent, 6, A::Packed, "3386902.25 1400000",
         "easting '1400000' leads to zone 0, not a 6° zone (1 to 60)"},
        {Operation::Adjacent, 3, A::Packed, "3386902.25 120600000",
         "easting '120600000' leads to zone 121, not a 3° zone (1 to 120)"},
        {Operation::ThreeToSix, 0, A::Packed, "3386902.25 120600000",
         "easting '120600000' leads to zone 61, not a 6° zone (1 to 60)"},
        {Operation::SixToThree, 0, A::Packed, "3386902.25 1300000",
         "easting '1300000' leads to zone 0, not a 3° zone (1 to 120)"},
        // more than 500 km west of zone 18's meridian the easting would read as zone 19
        {Operation::Adjacent, 6, A::Packed, "3376187.9539 19436802.7210",
         "easting '19436802.7210' puts the point more than 500 km from the central meridian of "
         "zone 18, beyond what its easting can carry"},
        {Operation::Adjacent, 6, A::Packed, "20000000 19500000",
         "northing '20000000' lies beyond the pole"},
        {Operation::ThreeToSix, 0, A::Packed, "-1e300 38500000",
         "northing '-1e300' lies beyond the pole"},
        {Operation::Inverse, 6, A::Packed, "10001975.73 19500000",
         "northing '10001975.73' lies beyond the pole"},
    });
}

TEST(RecordConverter, ThePoleReadsBackAsNinetyDegrees) {
    struct Case {
        AngleFormat angles;
        int precision;
        const char* in;
        const char* out;
    };
    // 10001965.7293 is the pole on WGS1984; a northing written with fewer decimals than it
    // was computed to may lie a little beyond it and is still the pole.
    const Case cases[] = {
        {AngleFormat::Packed, -1, "10001965.7293 19500000", "90.0000000000 111.0000000000"},
        {AngleFormat::Packed, 2, "10001965.7293 19500000", "90.00 111.00"},
        {AngleFormat::Packed, 0, "10001966 19500000", "90 111"},
        {AngleFormat::Dms, -1, "10001965.7293 19500000", "90:00:00.000000 111:00:00.000000"},
        {AngleFormat::Degrees, -1, "-10001966.2 19500000", "-90.0000000000 111.0000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        Settings s = Make(Operation::Inverse, 6, c.angles);
        s.precision = c.precision;
        const Outcome o = ConvertOne(s, c.in);
        EXPECT_EQ(o.result, RecordConverter::Outcome::Converted) << o.error;
        EXPECT_EQ(o.out, c.out);
    }
}

TEST(RecordConverter, NonFiniteResultsAreRefused) {
    Settings s = Make(Operation::Forward, 6);
    s.ellipsoid = Ellipsoid(1.7e308, 1.0 / 298.3); // a² overflows
    const Outcome o = ConvertOne(s, "30 114");
    EXPECT_EQ(o.result, RecordConverter::Outcome::Failed);
    EXPECT_EQ(o.error, "the coordinates give no finite result");
}

TEST(RecordConverter, SplitGivesEachFieldItsRole) {
    using R = FieldRole;
    struct Case {
        Operation op;
        const char* columns; // "" for the default rule
        const char* line;
        std::vector<R> roles;
    };
    const Case cases[] = {
        {Operation::Forward, "", "P1 30.3015 114.2030 h", {R::Name, R::B, R::L, R::Other}},
        {Operation::Forward, "", "30.3015,114.2030,,x", {R::B, R::L, R::Other, R::Other}},
        {Operation::Inverse, "", ",1,2", {R::Name, R::X, R::Y}},
        {Operation::Inverse,
         "name,-,Y,X,-",
         "P1,c,1,2,3,4",
         {R::Name, R::Other, R::Y, R::X, R::Other, R::Other}},
        {Operation::Inverse, "", "# comment, 1, 2", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Settings s = Make(c.op, 6);
        if (*c.columns) {
            s.columns = Columns(c.columns, c.op);
        }
        const std::vector<SplitField> fields = RecordConverter(s).Split(c.line);
        ASSERT_EQ(fields.size(), c.roles.size());
        for (std::size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ(fields[i].role, c.roles[i]) << i;
        }
    }
    const std::vector<SplitField> fields =
        RecordConverter(Make(Operation::Forward, 6)).Split(" P1 ,30.3015, 114.2030");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].text, "P1");
    EXPECT_EQ(fields[2].text, "114.2030");
}

// One converter serves several threads at once: each call works on its own fields, and the
// converter is never changed by converting, whatever zone, layout or fault a line brings.
TEST(RecordConverter, ConvertsFromSeveralThreadsAtOnce) {
    struct Case {
        Operation op;
        const char* columns;
    };
    const Case cases[] = {{Operation::Forward, ""},
                          {Operation::Inverse, ""},
                          {Operation::Adjacent, ""},
                          {Operation::Forward, "L,B,name"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.op));
        Settings s = Make(c.op, 3);
        if (*c.columns) {
            s.columns = Columns(c.columns, c.op);
        }
        std::vector<std::string> lines;
        for (int i = 0; i < 400; ++i) {
            char line[96];
            if (c.op == Operation::Forward) {
                // Every zone of the system, and now and then a latitude beyond the pole.
                const int B = i % 7 == 0 ? 95 : 20 + i % 40;
                const int L = 1 + (i * 7) % 358;
                if (*c.columns) {
                    std::snprintf(line, sizeof line, "%d.30,%d.%02d,P%d", L, B, i % 60, i);
                } else {
                    std::snprintf(line, sizeof line, "P%d %d.%02d %d.30", i, B, i % 60, L);
                }
            } else {
                // Zones 1 to 121: the last has no prefix in the 3° system.
                std::snprintf(line, sizeof line, "P%d %d.5 %d%06d.25", i, 2000000 + i * 7919,
                              1 + i % 121, 200000 + i * 1013 % 600000);
            }
            lines.emplace_back(line);
        }
        const RecordConverter converter(s);
        std::vector<std::string> serial;
        for (const std::string& line : lines) {
            std::string out;
            Problem problem;
            converter.Convert(line, out, problem);
            serial.push_back(out + "|" + (problem ? English(problem) : ""));
        }
        constexpr int kThreads = 4;
        std::vector<std::vector<std::string>> parallel(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                std::vector<FieldSpan> fields;
                for (int round = 0; round < 5; ++round) {
                    parallel[t].clear();
                    // Each thread starts elsewhere, so that different lines meet at once.
                    for (std::size_t k = 0; k < lines.size(); ++k) {
                        const std::size_t i = (k + static_cast<std::size_t>(t) * 97) % lines.size();
                        std::string out;
                        Problem problem;
                        ReadState state; // each line on its own, as in the serial run
                        converter.Convert(lines[i], out, problem, fields, state);
                        parallel[t].push_back(std::to_string(i) + ":" + out + "|" +
                                              (problem ? English(problem) : ""));
                    }
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        int failed = 0;
        for (int t = 0; t < kThreads; ++t) {
            ASSERT_EQ(parallel[t].size(), lines.size());
            for (const std::string& result : parallel[t]) {
                const std::size_t colon = result.find(':');
                const std::size_t i = std::stoul(result.substr(0, colon));
                EXPECT_EQ(result.substr(colon + 1), serial[i]) << lines[i];
                failed += result.back() != '|';
            }
        }
        // The lines bring both converted records and faults.
        EXPECT_GT(failed, 0);
        EXPECT_LT(failed, kThreads * static_cast<int>(lines.size()));
    }
}

} // namespace
