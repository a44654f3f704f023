// Datum parameter files: what is written reads back to the same doubles, every refusal names
// its key, hostile files (truncated, huge, deeply nested, binary) are refused without harm,
// the PROJ string does what the parameters do (run through cct), and the fit report.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "conversion/fit_report.h"
#include "conversion/parameter_file.h"
#include "engine/datum_change.h"
#include "tests/cli/test_files.h"

namespace {

DatumParameters Helmert7Example() {
    DatumParameters p;
    p.model = FitModel::Helmert7;
    p.helmert = {-15.415, 157.025, 94.74, 1.465,
                 -0.312,  -0.08,   0.114, RotationConvention::CoordinateFrame,
                 true};
    p.source = EllipsoidFromText("wgs84");
    p.target = EllipsoidFromText("6378245,298.3");
    return p;
}

DatumParameters Parameters(const ParameterFileOutcome& outcome) {
    if (!outcome) {
        ADD_FAILURE() << "refused: code " << static_cast<int>(outcome.problem().code) << " key '"
                      << outcome.problem().other << "'";
        return {};
    }
    return *outcome;
}

TEST(ParameterFile, WhatIsWrittenReadsBackExactly) {
    DatumParameters helmert3;
    helmert3.model = FitModel::Helmert3;
    helmert3.helmert.tx = 84.87;
    helmert3.helmert.ty = 96.49 + 1e-13;
    helmert3.helmert.tz = -116.95;
    helmert3.source = EllipsoidFromText("xian80");
    helmert3.target = EllipsoidFromText("6378137,0");
    DatumParameters plane;
    plane.model = FitModel::Plane4;
    plane.plane = {-208.185, -129.549, 1.56504, 1.0 / 3.0};
    for (const DatumParameters& written : {Helmert7Example(), helmert3, plane}) {
        SCOPED_TRACE(ModelName(written.model));
        const ParameterFileOutcome outcome = ParseParameterText(ParameterText(written));
        const DatumParameters read = Parameters(outcome);
        EXPECT_EQ(read.model, written.model);
        EXPECT_EQ(read.helmert.tx, written.helmert.tx);
        EXPECT_EQ(read.helmert.ty, written.helmert.ty);
        EXPECT_EQ(read.helmert.tz, written.helmert.tz);
        EXPECT_EQ(read.helmert.rx, written.helmert.rx);
        EXPECT_EQ(read.helmert.rz, written.helmert.rz);
        EXPECT_EQ(read.helmert.s, written.helmert.s);
        EXPECT_EQ(read.helmert.convention, written.helmert.convention);
        EXPECT_EQ(read.helmert.exactRotation, written.helmert.exactRotation);
        EXPECT_EQ(read.plane.theta, written.plane.theta);
        EXPECT_EQ(read.plane.s, written.plane.s);
        EXPECT_EQ(read.source.has_value(), written.source.has_value());
        if (read.source && written.source) {
            EXPECT_EQ(read.source->key, written.source->key);
            EXPECT_EQ(read.target->ellipsoid.a(), written.target->ellipsoid.a());
            EXPECT_EQ(read.target->ellipsoid.f(), written.target->ellipsoid.f());
        }
    }
}

TEST(ParameterFile, EveryRefusalNamesItsKey) {
    using Code = ProblemCode;
    const std::string h7 = R"("model": "helmert7", "convention": "position_vector",
        "tx_m": 1, "ty_m": 2, "tz_m": 3, "rx_arcsec": 0.1, "ry_arcsec": 0.2, "rz_arcsec": 0.3,
        "scale_ppm": 1.5, "source_ellipsoid": "wgs84", "target_ellipsoid": "beijing54")";
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = "{" + h7 + "}";
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    struct Case {
        std::string text;
        Code code;
        std::string key;
    };
    const Case cases[] = {
        {"", Code::ParameterFileMalformed, ""},
        {"{" + h7, Code::ParameterFileMalformed, ""},
        {"[1, 2]", Code::ParameterFileNotObject, ""},
        {"\"helmert7\"", Code::ParameterFileNotObject, ""},
        {with("\"helmert7\"", "\"helmert9\""), Code::ParameterUnknownModel, "model"},
        {with("\"model\": \"helmert7\",", ""), Code::ParameterKeyMissing, "model"},
        {with("\"model\": \"helmert7\"", "\"model\": 7"), Code::ParameterNotText, "model"},
        {with("\"tx_m\": 1,", ""), Code::ParameterKeyMissing, "tx_m"},
        {with("\"ty_m\": 2", "\"ty_m\": \"2\""), Code::ParameterNotNumber, "ty_m"},
        {with("\"tz_m\": 3", "\"tz_m\": null"), Code::ParameterNotNumber, "tz_m"},
        {with("\"rz_arcsec\": 0.3", "\"rz_arcsec\": [0.3]"), Code::ParameterNotNumber, "rz_arcsec"},
        {with("\"scale_ppm\": 1.5", "\"scale_ppm\": -1000000"), Code::DatumScaleNotPositive,
         "scale_ppm"},
        {with("\"convention\": \"position_vector\",", ""), Code::RotationWithoutConvention,
         "convention"},
        {with("position_vector", "position"), Code::ParameterUnknownConvention, "convention"},
        {with("\"wgs84\"", "\"mars\""), Code::ParameterUnknownEllipsoid, "source_ellipsoid"},
        {with("\"beijing54\"", "{\"a_m\": 6378245}"), Code::ParameterKeyMissing,
         "target_ellipsoid.inverse_flattening"},
        {with("\"beijing54\"", "{\"a_m\": -1, \"inverse_flattening\": 298.3}"),
         Code::ParameterOutOfRange, "target_ellipsoid.a_m"},
        {with("\"beijing54\"", "{\"a_m\": 6378245, \"inverse_flattening\": 0.5}"),
         Code::ParameterOutOfRange, "target_ellipsoid.inverse_flattening"},
        {with("\"beijing54\"", "12"), Code::ParameterEllipsoidForm, "target_ellipsoid"},
        {with("\"target_ellipsoid\": \"beijing54\"", "\"x\": 1"), Code::ParameterKeyMissing,
         "target_ellipsoid"},
        {"{\"model\": \"plane4\", \"dx_m\": 1, \"dy_m\": 2, \"theta_arcsec\": 3}",
         Code::ParameterKeyMissing, "scale_ppm"},
        {with("\"tx_m\": 1", "\"tx_m\": 1e999"), Code::ParameterFileMalformed, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ParameterFileOutcome outcome = ParseParameterText(c.text);
        ASSERT_FALSE(outcome);
        EXPECT_EQ(outcome.problem().code, c.code);
        EXPECT_EQ(outcome.problem().other, c.key);
    }
    EXPECT_TRUE(ParseParameterText("{" + h7 + "}"));
}

// Every prefix of a sound file, a file of ten thousand brackets, one beyond the size limit,
// and random bytes: each refused with a problem, none crashing.
TEST(ParameterFile, HostileFilesAreRefusedWithoutHarm) {
    const std::string sound = ParameterText(Helmert7Example());
    for (std::size_t n = 0; n < sound.size() - 2; ++n) {
        EXPECT_FALSE(ParseParameterText(sound.substr(0, n))) << n;
    }
    const std::string deep(100000, '[');
    EXPECT_EQ(ParseParameterText(deep + std::string(100000, ']')).problem().code,
              ProblemCode::ParameterFileTooDeep);
    // Brackets inside a string are text, not nesting.
    EXPECT_EQ(ParseParameterText("{\"model\": \"" + deep + "\"}").problem().code,
              ProblemCode::ParameterUnknownModel);

    const std::string huge = TempPath("huge.json");
    {
        std::ofstream out(huge, std::ios::binary);
        out << "{\"model\": \"plane4\", \"pad\": \"";
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 17; ++i) {
            out << block;
        }
        out << "\"}";
    }
    EXPECT_EQ(ReadParameterFile(huge).problem().code, ProblemCode::ParameterFileTooLarge);
    std::remove(huge.c_str());

    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        std::string bytes(1 + random() % 2000, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        if (trial % 2 == 0) {
            bytes = sound.substr(0, sound.size() / 2) + bytes;
        }
        EXPECT_FALSE(ParseParameterText(bytes));
    }
    // Invalid UTF-8 inside a string of an otherwise sound file.
    std::string badText = sound;
    badText.replace(badText.find("wgs84"), 5, "\xff\xfe\x80gs");
    EXPECT_EQ(ParseParameterText(badText).problem().code, ProblemCode::ParameterFileMalformed);

    EXPECT_EQ(ReadParameterFile(testing::TempDir()).problem().code, ProblemCode::CannotRead);
    EXPECT_EQ(ReadParameterFile(TempPath("none.json")).problem().code, ProblemCode::CannotRead);
}

TEST(ParameterFile, WritingIsAtomicAndLeavesAReadOnlyFileAlone) {
    const std::string path = TempPath("params.json");
    ASSERT_TRUE(WriteParameterFile(path, Helmert7Example()));
    EXPECT_TRUE(ReadParameterFile(path));
    std::ofstream(path, std::ios::binary) << "old";
    chmod(path.c_str(), 0444);
    const Result<void> written = WriteParameterFile(path, Helmert7Example());
    ASSERT_FALSE(written);
    EXPECT_EQ(written.problem().code, ProblemCode::CannotWrite);
    EXPECT_EQ(ReadFile(path), "old");
    chmod(path.c_str(), 0644);
    std::remove(path.c_str());
}

// The PROJ string, run by cct, moves points as the engine does with the same parameters.
TEST(ParameterFile, ProjStringDoesWhatTheParametersDo) {
    DatumParameters helmert = Helmert7Example();
    helmert.helmert.exactRotation = false;
    DatumParameters plane;
    plane.model = FitModel::Plane4;
    plane.plane = {-208.185, -129.549, 1.56504, 1.5504};
    EXPECT_EQ(ProjString(plane), "+proj=helmert +x=-129.549 +y=-208.185 +theta=1.56504 "
                                 "+s=1.0000015504");
    const std::string input = TempPath("cct-in.txt");
    std::ofstream(input) << "116.391 39.907 52.5\n";
    const std::string output = TempPath("cct-out.txt");
    const std::string command = "cct -d 10 " + ProjString(helmert) + " " + input + " > " + output;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    double lon = 0, lat = 0, h = 0;
    std::istringstream(ReadFile(output)) >> lon >> lat >> h;
    const DatumChange change(helmert.source->ellipsoid, helmert.helmert, helmert.target->ellipsoid);
    const GeodeticPoint ours = change.Forward({39.907, 116.391, 52.5});
    EXPECT_NEAR(lat, ours.lat, 1e-9);
    EXPECT_NEAR(lon, ours.lon, 1e-9);
    EXPECT_NEAR(h, ours.h, 1e-4);

    std::ofstream(input) << "300000 4500000 0 0\n";
    const std::string planeCommand = "cct -d 6 " + ProjString(plane) + " " + input + " > " + output;
    ASSERT_EQ(std::system(planeCommand.c_str()), 0);
    double e = 0, n = 0;
    std::istringstream(ReadFile(output)) >> e >> n;
    const PlanePoint p = PlaneSimilarity(plane.plane).Forward({4500000, 300000});
    EXPECT_NEAR(e, p.y, 1e-5);
    EXPECT_NEAR(n, p.x, 1e-5);
    std::remove(input.c_str());
    std::remove(output.c_str());
}

// The report of the five-point fit with one blunder: the parameters, m0 and each point, the
// blunder's line flagged and no other, and the parameter file carries the same.
TEST(FitReport, ShowsParametersPointsAndTheFlaggedOne) {
    const PlaneSimilarity truth({-208.185, -129.549, 1.56504, 1.5504});
    std::vector<CommonPoint> points;
    const double corners[5][2] = {
        {-5000, -5000}, {-5000, 5000}, {5000, 5000}, {5000, -5000}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        const PlanePoint s{3386902.25 + corners[i][0], 38548244.0 + corners[i][1]};
        const PlanePoint t = truth.Forward(s);
        points.push_back({"K" + std::to_string(i + 1), {s.x, s.y, 0}, {t.x, t.y, 0}});
    }
    points[2].target[1] += 0.10;
    DatumParameters parameters;
    parameters.model = FitModel::Plane4;
    const CommonPointFit fit = *FitPlane4(points);
    parameters.plane = fit.plane;
    parameters.fit = FitRecord{fit, {{"K9", LeftOutPoint::Why::SourceOnly}}};
    const std::string report = FitReport(parameters);
    EXPECT_NE(report.find("plane4, from 5 common points"), std::string::npos) << report;
    EXPECT_NE(report.find("left out: K9 (in the source only)"), std::string::npos);
    EXPECT_NE(report.find("redundancy 6, m0 "), std::string::npos);
    EXPECT_NE(report.find("F(2, 4) at 0.1 % = 61.25"), std::string::npos) << report;
    std::istringstream lines(report);
    int flaggedLines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("GROSS ERROR?") != std::string::npos) {
            ++flaggedLines;
            EXPECT_EQ(line.rfind("K3", 0), 0u) << line;
        }
    }
    EXPECT_EQ(flaggedLines, 1);
    EXPECT_NE(report.find("1 point flagged"), std::string::npos);
    const std::string text = ParameterText(parameters);
    EXPECT_NE(text.find("\"points_left_out\""), std::string::npos);
    EXPECT_NE(text.find("\"flagged\": true"), std::string::npos);
    EXPECT_TRUE(ParseParameterText(text));
}

} // namespace
