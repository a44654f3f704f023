// The projection options: the method, a chosen central meridian or zone, the easting without a
// zone prefix, scale and false origin; how they combine, what they refuse, and that whatever
// forward writes with them inverse reads back with the same.
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "cli/english_words.h"
#include "conversion/record_converter.h"
#include "tests/cli/test_files.h"

namespace {

Settings Make(Operation op, int width, const std::function<void(Settings&)>& change = {}) {
    Settings s;
    s.operation = op;
    s.zoneWidth = width;
    if (change) {
        change(s);
    }
    return s;
}

// The converted line, or gkconv's words for the problem after "error: ".
std::string ConvertOne(const Settings& s, const std::string& line) {
    RecordConverter converter(s);
    std::string out;
    Problem problem;
    if (converter.Convert(line, out, problem) == RecordConverter::Outcome::Failed) {
        return "error: " + English(problem);
    }
    return out;
}

TEST(CheckProjection, SettingsMustDescribeOneProjection) {
    struct Case {
        const char* what;
        Operation op;
        std::function<void(Settings&)> change;
        const char* problem; // a part of the message; "" when the settings are sound
    };
    const Case cases[] = {
        {"defaults", Operation::Forward, [](Settings&) {}, ""},
        {"a zone's own meridian keeps its prefix", Operation::Forward,
         [](Settings& s) { s.centralMeridian = 111.0; }, ""},
        {"zone and its meridian together", Operation::Inverse,
         [](Settings& s) {
             s.centralMeridian = 111.0;
             s.zone = 19;
         },
         ""},
        {"own meridian without prefix", Operation::Inverse,
         [](Settings& s) {
             s.centralMeridian = 114.5;
             s.prefix = false;
         },
         ""},
        {"own meridian with a prefix", Operation::Forward,
         [](Settings& s) { s.centralMeridian = 114.5; }, "for a meridian of your own"},
        {"a zone centred elsewhere", Operation::Forward,
         [](Settings& s) {
             s.centralMeridian = 117.0;
             s.zone = 19;
         },
         "centred on another meridian"},
        {"no prefix and nothing to find the zone", Operation::Inverse,
         [](Settings& s) { s.prefix = false; }, "--no-prefix needs"},
        {"a meridian beyond a turn", Operation::Inverse,
         [](Settings& s) {
             s.centralMeridian = 365.0;
             s.prefix = false;
         },
         "from -180° to below 360°"},
        {"zone 0", Operation::Forward, [](Settings& s) { s.zone = 0; }, "not a zone of the 6°"},
        {"zone 61", Operation::Forward, [](Settings& s) { s.zone = 61; }, "(1 to 60)"},
        {"zone 120 of the 6° system", Operation::Inverse, [](Settings& s) { s.zone = 120; },
         "(1 to 60)"},
        {"a false easting the millions cannot hold", Operation::Forward,
         [](Settings& s) { s.falseEasting = 1000000.0; }, "--false-easting"},
        {"a negative false easting without prefix", Operation::Forward,
         [](Settings& s) {
             s.zone = 19;
             s.prefix = false;
             s.falseEasting = -100.0;
         },
         ""},
        {"scale 0", Operation::Forward, [](Settings& s) { s.k0 = 0.0; }, "scale factor"},
        {"scale not finite", Operation::Forward, [](Settings& s) { s.k0 = INFINITY; },
         "scale factor"},
        {"a false northing not finite", Operation::Inverse,
         [](Settings& s) { s.falseNorthing = NAN; }, "false easting and northing"},
        {"a zone transform about another meridian", Operation::Adjacent,
         [](Settings& s) { s.zone = 19; }, "forward and inverse only"},
        {"a zone transform with another scale", Operation::ThreeToSix,
         [](Settings& s) { s.k0 = 0.9996; }, "forward and inverse only"},
        {"a zone transform by Krüger's series", Operation::SixToThree,
         [](Settings& s) { s.method = Method::Krueger; }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Settings s = Make(c.op, 6, c.change);
        const Result<void> check = CheckProjection(s);
        if (*c.problem == '\0') {
            EXPECT_TRUE(check) << English(check.problem());
            EXPECT_NO_THROW(RecordConverter{s});
        } else {
            ASSERT_FALSE(check);
            const std::string problem = English(check.problem());
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
            EXPECT_THROW(RecordConverter{s}, ProblemError);
        }
    }
}

// The option reads in the run's angle form, so that 114.30 means in the option what it means
// in the file; D:M:S reads in every run, and a plain number in a D:M:S run is decimal.
TEST(ParseCentralMeridian, InTheRunsAngleFormOrDms) {
    constexpr AngleFormat P = AngleFormat::Packed;
    constexpr AngleFormat G = AngleFormat::Degrees;
    constexpr AngleFormat D = AngleFormat::Dms;
    struct Case {
        const char* text;
        AngleFormat angles;
        double degrees; // NAN when refused
    };
    const Case cases[] = {
        {"114.5", G, 114.5},  {"114.30", P, 114.5}, {"114.30", G, 114.3},  {"114.5", D, 114.5},
        {"114:30", P, 114.5}, {"114:30", G, 114.5}, {"114°30′", P, 114.5}, {"-3", P, 357.0},
        {"-3", G, 357.0},     {"0", P, 0.0},        {"359.9", G, 359.9},   {"359.5400", P, 359.9},
        {"114.60", P, NAN},   {"360", G, NAN},      {"-180.5", G, NAN},    {"0x72", G, NAN},
        {"114 30", P, NAN},   {"inf", G, NAN},      {"", P, NAN},          {"114:60", D, NAN},
        {"114.5:30", G, NAN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as " + std::to_string(static_cast<int>(c.angles)));
        const Result<double> degrees = ParseCentralMeridian(c.text, c.angles);
        if (std::isnan(c.degrees)) {
            ASSERT_FALSE(degrees);
            EXPECT_EQ(degrees.problem().code, ProblemCode::CentralMeridianText);
            EXPECT_EQ(degrees.problem().text, c.text);
        } else {
            ASSERT_TRUE(degrees);
            EXPECT_NEAR(*degrees, c.degrees, 1e-12);
        }
    }
}

// The first forward reference example (31°41′41.6832″, 111°47′24.8974″, zone 19 by the rule:
// 3508294.4784 19574920.4101) under each option.
TEST(ProjectionOptions, EachOptionChangesWhatItSays) {
    struct Case {
        const char* what;
        std::function<void(Settings&)> change;
        const char* out;
    };
    const Case cases[] = {
        {"the rule's own zone named", [](Settings& s) { s.zone = 19; },
         "3508294.4784 19574920.4101"},
        {"the zone's own meridian named", [](Settings& s) { s.centralMeridian = 111.0; },
         "3508294.4784 19574920.4101"},
        {"no prefix", [](Settings& s) { s.zone = 19, s.prefix = false; },
         "3508294.4784 574920.4101"},
        {"Krüger's series, 0.1 mm from the series here",
         [](Settings& s) { s.method = Method::Krueger; }, "3508294.4784 19574920.4101"},
        {"false origin",
         [](Settings& s) {
             s.zone = 19;
             s.prefix = false;
             s.falseEasting = 0.0;
             s.falseNorthing = -3000000.0;
         },
         "508294.4784 74920.4101"},
        // k0 scales the series' northing and offset: 3508294.4784 × 0.9996, 74920.4101 × 0.9996.
        {"scale", [](Settings& s) { s.k0 = 0.9996; }, "3506891.1606 19574890.4420"},
        // 0.47° east of zone 18's reach, over 500 km at 31° north: the millions would say 19.
        {"the neighbouring zone named", [](Settings& s) { s.zone = 18; },
         "error: longitude '111.47248974' lies 6.7902° from the central meridian, beyond the 6° "
         "a chosen meridian or zone takes"},
        {"a meridian 7° away",
         [](Settings& s) {
             s.centralMeridian = 104.75;
             s.prefix = false;
         },
         "error: longitude '111.47248974' lies 7.0402° from the central meridian, beyond the 6° a "
         "chosen meridian or zone takes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertOne(Make(Operation::Forward, 6, c.change), "31.41416832 111.47248974"),
                  c.out);
    }
    // Within 6° of zone 18's meridian but over 500 km out near the equator: the millions
    // would name zone 19.
    EXPECT_EQ(ConvertOne(Make(Operation::Forward, 6, [](Settings& s) { s.zone = 18; }), "1 109.36"),
              "error: longitude '109.36' puts the point more than 500 km from the central "
              "meridian of zone 18, beyond what its easting can carry");
}

TEST(ProjectionOptions, InverseRefusesEastingsTheProjectionDidNotWrite) {
    struct Case {
        const char* what;
        std::function<void(Settings&)> change;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        // The desktop program's inverse of its rounded forward example, as without --zone.
        {"the chosen zone's prefix", [](Settings& s) { s.zone = 19; }, "3508294.4784 19574920.4101",
         "31.4141683201 111.4724897398"},
        {"another zone's prefix", [](Settings& s) { s.zone = 18; }, "3508294.4784 19574920.4101",
         "error: easting '19574920.4101' has zone prefix 19, not the chosen zone 18"},
        {"no prefix read as none", [](Settings& s) { s.zone = 19, s.prefix = false; },
         "3508294.4784 574920.4101", "31.4141683201 111.4724897398"},
        {"an offset beyond 6°",
         [](Settings& s) {
             s.centralMeridian = 111.0;
             s.prefix = false;
         },
         "3508294.4784 1300000",
         "error: easting '1300000' puts the point more than 6° from the central meridian, "
         "farther than a chosen meridian or zone takes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertOne(Make(Operation::Inverse, 6, c.change), c.in), c.out);
    }
}

// Whatever forward writes with these options, inverse with the same options reads back to the
// point: Krüger's series to 1e-9°, the series within 3° of its meridian to 1e-4″.
TEST(ProjectionOptions, WhateverForwardWritesInverseReadsBack) {
    struct Case {
        const char* what;
        int width;
        std::function<void(Settings&)> change;
        double west;  // longitudes drawn from here
        double east;  // to here
        double limit; // degrees
    };
    const auto krueger = [](Settings& s) { s.method = Method::Krueger; };
    const Case cases[] = {
        {"own meridian, no prefix, Krüger", 6,
         [&](Settings& s) {
             krueger(s);
             s.centralMeridian = 114.5;
             s.prefix = false;
         },
         108.5, 120.5, 1e-9},
        {"own meridian, series", 6,
         [](Settings& s) {
             s.centralMeridian = 114.5;
             s.prefix = false;
         },
         111.5, 117.5, 1e-4 / 3600.0},
        {"across Greenwich", 6,
         [&](Settings& s) {
             krueger(s);
             s.centralMeridian = 1.5;
             s.prefix = false;
             s.k0 = 0.9996;
             s.falseNorthing = 10000000.0;
         },
         -4.5, 7.5, 1e-9},
        {"3° zone 1 held, west of the rule's first zone", 3,
         [&](Settings& s) {
             krueger(s);
             s.zone = 1;
         },
         0.0, 6.0, 1e-9},
        {"6° zone 60 held, its prefix and a false easting", 6,
         [&](Settings& s) {
             krueger(s);
             s.zone = 60;
             s.falseEasting = 600000.0;
         },
         353.0, 360.0, 1e-9},
        {"a zone's meridian named, series", 3, [](Settings& s) { s.centralMeridian = 114.0; },
         112.0, 116.0, 1e-4 / 3600.0},
    };
    std::mt19937_64 random(4242);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Settings forward = Make(Operation::Forward, c.width, c.change);
        Settings inverse = forward;
        inverse.operation = Operation::Inverse;
        Settings fwdDeg = forward;
        fwdDeg.angles = AngleFormat::Degrees;
        fwdDeg.exact = true;
        inverse.angles = AngleFormat::Degrees;
        inverse.exact = true;
        RecordConverter there(fwdDeg);
        RecordConverter back(inverse);
        std::uniform_real_distribution<double> lat(-70.0, 70.0);
        std::uniform_real_distribution<double> lon(c.west, c.east);
        int converted = 0;
        for (int i = 0; i < 200; ++i) {
            const double B = lat(random);
            const double L = std::fmod(lon(random) + 360.0, 360.0);
            char line[64];
            std::snprintf(line, sizeof line, "%.12f %.12f", B, L);
            std::string xy;
            std::string bl;
            Problem problem;
            if (there.Convert(line, xy, problem) != RecordConverter::Outcome::Converted) {
                // Only a point the easting's millions cannot carry may be refused.
                EXPECT_NE(English(problem).find("easting"), std::string::npos) << English(problem);
                continue;
            }
            ASSERT_EQ(back.Convert(xy, bl, problem), RecordConverter::Outcome::Converted)
                << line << " -> " << xy << ": " << English(problem);
            double B2 = 0.0;
            double L2 = 0.0;
            ASSERT_EQ(std::sscanf(bl.c_str(), "%lf %lf", &B2, &L2), 2);
            EXPECT_GE(L2, 0.0);
            EXPECT_LT(L2, 360.0);
            EXPECT_NEAR(B2, B, c.limit) << line;
            EXPECT_NEAR(std::remainder(L2 - L, 360.0), 0.0, c.limit) << line;
            ++converted;
        }
        EXPECT_GT(converted, 150);
    }
}

TEST(Gkconv, ProjectionOptionsAreCheckedTogether) {
    struct Case {
        const char* args;
        int status;
        const char* message; // a part of stderr's first line; "" when stderr is empty
    };
    const Case cases[] = {
        {"forward -w 6 --method krueger", 0, ""},
        {"forward --central-meridian 114:30 --no-prefix", 0, ""},
        {"forward -w 3 --central-meridian 114", 0, ""},
        {"forward --central-meridian 114.5", 2, "needs the zone width"},
        {"forward -w 6 --central-meridian 114.5", 2, "give --no-prefix"},
        {"forward -w 6 --central-meridian 0x72 --no-prefix", 2, "--central-meridian must be"},
        {"forward -w 6 --no-prefix", 2, "--no-prefix needs --central-meridian or --zone"},
        {"inverse -w 6 --no-prefix", 2, "--no-prefix needs --central-meridian or --zone"},
        {"forward -w 6 --zone 61", 2, "--zone 61 is not a zone of the 6° system"},
        {"forward -w 3 --zone 19.5", 2, "--zone must be a whole zone number"},
        {"forward -w 6 --zone 20 --central-meridian 111", 2, "centred on another meridian"},
        {"adjacent -w 6 --central-meridian 111", 2, "forward and inverse only"},
        {"6to3 --no-prefix --zone 19", 2, "forward and inverse only"},
        {"3to6 --method krueger", 0, ""},
        {"forward -w 6 --method gauss", 2, "--method"},
        {"forward -w 6 --scale -1", 2, "scale factor"},
        {"forward -w 6 --scale 1e", 2, "--scale must be a decimal number"},
        {"forward -w 6 --false-easting 2e6", 2, "--false-easting must lie"},
        {"forward -w 6 --zone 19 --no-prefix --false-easting 2e6", 0, ""},
        {"forward -w 6 --false-northing nan", 2, "must be decimal numbers of metres"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const std::string input = std::string(c.args).find("3to6") != std::string::npos
                                      ? "3376053.2931 38532798.3303\n"
                                      : "30.3015 114.2030\n";
        const ProcessResult r = Gkconv(c.args, input);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (*c.message == '\0') {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_NE(r.err.substr(0, r.err.find('\n')).find(c.message), std::string::npos)
                << r.err;
        }
    }
}

} // namespace
