// Numbers and angles as text.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "packed_angle.h"
#include "text_number.h"

namespace {

TEST(ParseNumber, AcceptsWholeFieldsOnly) {
    struct Case {
        const char* text;
        ParseStatus status;
        double value;
    };
    const Case cases[] = {
        {"3386902.25", ParseStatus::Ok, 3386902.25}, {"+12.5", ParseStatus::Ok, 12.5},
        {"-0.5e3", ParseStatus::Ok, -500.0},         {"12A", ParseStatus::NotANumber, 0},
        {"1,5", ParseStatus::NotANumber, 0},         {"", ParseStatus::NotANumber, 0},
        {"+-1", ParseStatus::NotANumber, 0},         {"0x10", ParseStatus::NotANumber, 0},
        {"inf", ParseStatus::NotFinite, 0},          {"nan", ParseStatus::NotFinite, 0},
        {"1e400", ParseStatus::NotFinite, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double value = 0.0;
        EXPECT_EQ(ParseNumber(c.text, value), c.status);
        if (c.status == ParseStatus::Ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(ParseAngle, DmsJoinsLikeTheForm) {
    struct Case {
        const char* text;
        ParseStatus status;
        double D, M, S;
    };
    const Case cases[] = {
        {"31:41:41.6832", ParseStatus::Ok, 31, 41, 41.6832},
        {"31°41′41.6832″", ParseStatus::Ok, 31, 41, 41.6832},
        {"31°41'41.6832\"", ParseStatus::Ok, 31, 41, 41.6832},
        {"-30:30:15", ParseStatus::Ok, -30, -30, -15},
        {"114:20", ParseStatus::Ok, 114, 20, 0},
        {"45", ParseStatus::Ok, 45, 0, 0},
        {"30.5:10:00", ParseStatus::NotWhole, 0, 0, 0},
        {"30:10.5", ParseStatus::NotWhole, 0, 0, 0},
        {"30:61:00", ParseStatus::SixtyOrMore, 0, 0, 0},
        {"30:10:60", ParseStatus::SixtyOrMore, 0, 0, 0},
        {"30:10:10:10", ParseStatus::NotANumber, 0, 0, 0},
        {"30:x:10", ParseStatus::NotANumber, 0, 0, 0},
        {"", ParseStatus::NotANumber, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double packed = 0.0;
        EXPECT_EQ(ParseAngle(c.text, AngleFormat::Dms, packed), c.status);
        if (c.status == ParseStatus::Ok) {
            EXPECT_EQ(packed, JoinPacked(c.D, c.M, c.S)); // bit for bit
        }
    }
}

TEST(ParseAngle, DecimalDegreesBecomePacked) {
    double packed = 0.0;
    ASSERT_EQ(ParseAngle("30.25", AngleFormat::Degrees, packed), ParseStatus::Ok);
    EXPECT_EQ(packed, DegreesToPacked(30.25));
    ASSERT_EQ(ParseAngle("31.41416832", AngleFormat::Packed, packed), ParseStatus::Ok);
    EXPECT_EQ(packed, 31.41416832);
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out;
        AppendAngle(out, c.packed, c.format, c.decimals);
        EXPECT_EQ(out, c.text);
    }
}

} // namespace
