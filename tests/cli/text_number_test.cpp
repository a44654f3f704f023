// Numbers and angles as text.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "cli/english_words.h"
#include "conversion/angle_parsing.h"
#include "conversion/angle_writing.h"
#include "conversion/number_text.h"
#include "conversion/problem_words.h"
#include "engine/packed_angle.h"

namespace {

// What a parse gave: its problem's code, and the value when there is none.
ProblemCode Parsed(const Result<double>& result, double& value) {
    if (result) {
        value = *result;
    }
    return result.problem().code;
}

TEST(ParseNumber, AcceptsWholeFieldsOnly) {
    struct Case {
        const char* text;
        ProblemCode status;
        double value;
    };
    const Case cases[] = {
        {"3386902.25", ProblemCode::None, 3386902.25},
        {"+12.5", ProblemCode::None, 12.5},
        {"-0.5e3", ProblemCode::None, -500.0},
        {"12A", ProblemCode::NotANumber, 0},
        {"1,5", ProblemCode::NotANumber, 0},
        {"", ProblemCode::NotANumber, 0},
        {"+-1", ProblemCode::NotANumber, 0},
        {"0x10", ProblemCode::NotANumber, 0},
        {"inf", ProblemCode::NotFinite, 0},
        {"nan", ProblemCode::NotFinite, 0},
        {"1e400", ProblemCode::NotFinite, 0},
        {"-1e400", ProblemCode::NotFinite, 0},
        {"1e-400", ProblemCode::None, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double value = 0.0;
        EXPECT_EQ(Parsed(ParseNumber(c.text), value), c.status);
        if (c.status == ProblemCode::None) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(ParseNumber, LongZeroRunsAreNumbers) {
    const std::string zeros(2000, '0');
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {zeros + "114.2030", 114.2030},
        {"0." + zeros + "1", 0.0}, // below the smallest double: zero, not "not finite"
        {"-0." + zeros + "1e5", 0.0},
        {"30." + zeros + "1", 30.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 8) + "..." + c.text.substr(c.text.size() - 8));
        double value = -1.0;
        EXPECT_EQ(Parsed(ParseNumber(c.text), value), ProblemCode::None);
        EXPECT_EQ(value, c.value);
    }
    double value = 0.0;
    EXPECT_EQ(Parsed(ParseNumber("1" + zeros), value), ProblemCode::NotFinite);
}

TEST(ParseAngle, DmsJoinsLikeTheForm) {
    struct Case {
        const char* text;
        ProblemCode status;
        double D, M, S;
    };
    const Case cases[] = {
        {"31:41:41.6832", ProblemCode::None, 31, 41, 41.6832},
        {"31°41′41.6832″", ProblemCode::None, 31, 41, 41.6832},
        {"31°41'41.6832\"", ProblemCode::None, 31, 41, 41.6832},
        {"-30:30:15", ProblemCode::None, -30, -30, -15},
        {"114:20", ProblemCode::None, 114, 20, 0},
        {"45", ProblemCode::None, 45, 0, 0},
        {"30.5:10:00", ProblemCode::DegreesMinutesNotWhole, 0, 0, 0},
        {"30:10.5", ProblemCode::DegreesMinutesNotWhole, 0, 0, 0},
        {"30:61:00", ProblemCode::SixtyOrMore, 0, 0, 0},
        {"30:10:60", ProblemCode::SixtyOrMore, 0, 0, 0},
        {"30:10:10:10", ProblemCode::NotDmsAngle, 0, 0, 0},
        // marks are read by what they mean, not by where they stand
        {"30°15″", ProblemCode::None, 30, 0, 15},
        {"15′", ProblemCode::None, 0, 15, 0},
        {"15''", ProblemCode::None, 0, 0, 15},
        {"-30°20.5\"", ProblemCode::None, -30, 0, -20.5},
        {"30°15", ProblemCode::None, 30, 15, 0}, // an unmarked last number is the next unit
        {"30° 15′ 20.5″", ProblemCode::None, 30, 15, 20.5},
        {"30″30′15°", ProblemCode::MarksOutOfOrder, 0, 0, 0},
        {"30°30°", ProblemCode::MarksOutOfOrder, 0, 0, 0},
        {"30′15′", ProblemCode::MarksOutOfOrder, 0, 0, 0},
        {"30:15″", ProblemCode::NotDmsAngle, 0, 0, 0}, // colons and marks are not mixed
        {"30°15:20", ProblemCode::NotDmsAngle, 0, 0, 0},
        {"30:", ProblemCode::NotDmsAngle, 0, 0, 0},
        {"30 30 15", ProblemCode::NotDmsAngle, 0, 0, 0},
        {"30°60′", ProblemCode::SixtyOrMore, 0, 0, 0},
        {"30:x:10", ProblemCode::NotDmsAngle, 0, 0, 0},
        {"", ProblemCode::NotDmsAngle, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double packed = 0.0;
        EXPECT_EQ(Parsed(ParseAngle(c.text, AngleFormat::Dms), packed), c.status);
        if (c.status == ProblemCode::None) {
            EXPECT_EQ(packed, JoinPacked(c.D, c.M, c.S)); // bit for bit
        }
    }
}

TEST(ParseAngle, DecimalDegreesBecomePacked) {
    double packed = 0.0;
    ASSERT_EQ(Parsed(ParseAngle("30.25", AngleFormat::Degrees), packed), ProblemCode::None);
    EXPECT_EQ(packed, DegreesToPacked(30.25));
    ASSERT_EQ(Parsed(ParseAngle("31.41416832", AngleFormat::Packed), packed), ProblemCode::None);
    EXPECT_EQ(packed, 31.41416832);
}

TEST(ParseAngle, PackedMinutesAndSecondsStayBelowSixty) {
    struct Case {
        const char* text;
        ProblemCode status;
    };
    const Case cases[] = {
        {"30.5959999", ProblemCode::None},       {"30.59", ProblemCode::None},
        {"-114.2030", ProblemCode::None},        {"30", ProblemCode::None},
        {"30.9999", ProblemCode::SixtyOrMore},   {"30.6", ProblemCode::SixtyOrMore},
        {"-30.0060", ProblemCode::SixtyOrMore},  {"30.00605", ProblemCode::SixtyOrMore},
        {"3.09999e1", ProblemCode::SixtyOrMore}, {"3.05959e1", ProblemCode::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double packed = 0.0;
        EXPECT_EQ(Parsed(ParseAngle(c.text, AngleFormat::Packed), packed), c.status);
    }
    double degrees = 0.0;
    EXPECT_EQ(Parsed(ParseAngle("30.9999", AngleFormat::Degrees), degrees), ProblemCode::None);
}

TEST(AppendNumber, FixedShortestAndNoNegativeZero) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {3508294.47843, 4, "3508294.4784"},
        {-0.00001, 4, "0.0000"},
        {-0.5, 0, "0"}, // rounds to even, to zero, and zero has no sign
        {-12.25, 1, "-12.2"},
        {0.1, -1, "0.1"},
        {3508294.478433193, -1, "3508294.478433193"},
        // The shortest text is fixed too: a person reads 1.09 in 1.0949463558063144e-07.
        {1.0949463558063144e-07, -1, "0.00000010949463558063144"},
        {1e21, -1, "1000000000000000000000"},
        {-2.5e-5, -1, "-0.000025"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out;
        AppendNumber(out, c.value, c.decimals);
        EXPECT_EQ(out, c.text);
    }
}

TEST(AppendAngle, WritesEachFormat) {
    struct Case {
        double packed;
        AngleFormat format;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {30.3553774691, AngleFormat::Packed, 10, "30.3553774691"},
        {30.15, AngleFormat::Degrees, 10, "30.2500000000"},
        {30.3553774691, AngleFormat::Dms, 6, "30:35:53.774691"},
        {-30.0502, AngleFormat::Dms, 2, "-30:05:02.00"},
        // 59.9999999" rounds up into the next minute, and that into the next degree
        {30.5959999999, AngleFormat::Dms, 3, "31:00:00.000"},
        {-0.0030, AngleFormat::Dms, 0, "-0:00:30"},
        // 60 seconds or minutes after rounding carry into the next unit at every precision
        {89.59599999999999, AngleFormat::Packed, 10, "90.0000000000"},
        {89.59599999999999, AngleFormat::Packed, 4, "90.0000"},
        {89.59599999999999, AngleFormat::Packed, 3, "90.000"},
        {89.59599999999999, AngleFormat::Packed, 2, "90.00"},
        {89.59599999999999, AngleFormat::Packed, 1, "90.0"},
        {89.59599999999999, AngleFormat::Packed, 0, "90"},
        {89.59599999999999, AngleFormat::Dms, 6, "90:00:00.000000"},
        {-89.59599999999999, AngleFormat::Packed, 10, "-90.0000000000"},
        {359.5959999999999, AngleFormat::Packed, 6, "360.000000"},
        {9.2959999999999, AngleFormat::Packed, 8, "9.30000000"},
        {30.0059999999, AngleFormat::Packed, 6, "30.010000"},
        {30.0059999999, AngleFormat::Packed, 3, "30.010"},
        {30.555, AngleFormat::Packed, 1, "31.0"},
        {30.3553774691, AngleFormat::Packed, 4, "30.3554"},
        // --exact: the shortest fixed text that reads back to the same double, and the carry.
        // A packed value a rounding step short of 134°05′ has the shortest text 134.046, which
        // says 60 seconds.
        {DegreesToPacked(134.0 + 5.0 / 60.0), AngleFormat::Packed, -1, "134.05"},
        {0.006, AngleFormat::Packed, -1, "0.01"},
        {0.6, AngleFormat::Packed, -1, "1"},
        {30.3553774691, AngleFormat::Packed, -1, "30.3553774691"},
        {JoinPacked(18.0, 0.0, 1.0949463558063144e-07), AngleFormat::Dms, -1,
         "18:00:00.00000010949463558063144"},
        {30.25, AngleFormat::Degrees, -1, "30.416666666666668"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out;
        AppendAngle(out, c.packed, c.format, c.decimals);
        EXPECT_EQ(out, c.text);
    }
}

TEST(AppendQuoted, EscapesControlsAndCutsBetweenCharacters) {
    struct Case {
        std::string text;
        const char* quoted;
    };
    const Case cases[] = {
        {"30x", "'30x'"},
        {std::string("a\tb\x01"
                     "c\x7f\\",
                     7),
         "'a\\tb\\x01c\\x7f\\\\'"},
        {std::string("\0\n", 2), "'\\x00\\x0a'"},
        {std::string(41, '7'), "'7777777777777777777777777777777777777777...'"},
        // 14 three-byte characters: 40 bytes would end inside the 14th, so 13 are shown
        {"北京北京北京北京北京北京北京", "'北京北京北京北京北京北京北...'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quoted);
        std::string out;
        AppendQuoted(out, c.text);
        EXPECT_EQ(out, c.quoted);
    }
}

} // namespace
