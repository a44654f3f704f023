// gkconv describe --params FILE: the printed PROJ pipeline, run by cct, moves points as
// gkconv datum and plane do with the same file; and what describe refuses beside the file.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "conversion/parameter_file.h"
#include "tests/cli/test_files.h"

namespace {

constexpr double kDegree = M_PI / 180.0;
constexpr double kEarthRadius = 6378137.0; // enough to turn angles into metres of difference

std::vector<std::vector<double>> Lines(const std::string& text, char delimiter) {
    std::vector<std::vector<double>> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(Numbers(line, delimiter));
    }
    return lines;
}

// cct with its options and the pipeline on these lines of blank-separated numbers.
std::string Cct(const std::string& options, const std::string& pipeline, const std::string& input) {
    const std::string in = TempPath("cct-in.txt");
    const std::string out = TempPath("cct-out.txt");
    std::ofstream(in) << input;
    const std::string command = "cct -d 12 " + options + " " + pipeline + " " + in + " > " + out;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::string text = ReadFile(out);
    std::remove(in.c_str());
    std::remove(out.c_str());
    return text;
}

DatumParameters Helmert(FitModel model, RotationConvention convention, bool exact,
                        const char* source, const char* target) {
    DatumParameters p;
    p.model = model;
    p.helmert = {-15.415, 157.025, 94.74, 1.465, -0.286, -2.832, 0.68, convention, exact};
    if (model == FitModel::Helmert3) {
        p.helmert.rx = p.helmert.ry = p.helmert.rz = p.helmert.s = 0.0;
        p.helmert.convention.reset();
    }
    p.source = EllipsoidFromText(source);
    p.target = EllipsoidFromText(target);
    return p;
}

DatumParameters Plane() {
    DatumParameters p;
    p.model = FitModel::Plane4;
    p.plane = {-208.185, -129.549, 1.56504, 1.5504};
    return p;
}

// Points spread over China, with heights from below the ellipsoid to a mountain's.
const char* const kGeodetic = "18.25,109.5,-30\n30.5,114.25,52.5\n39.907,116.391,1200\n"
                              "45.75,126.625,150\n29.65,91.1,3650\n43.8,87.6,800\n";
const char* const kPlane = "3376206.1835,620003.3093\n4419012.5,38500123.25\n"
                           "2535000,19400000\n5072000.75,441250.5\n";

TEST(GkconvDescribeParams, CctRunsThePipelineAsGkconvRunsTheFile) {
    struct Case {
        const char* name;
        DatumParameters parameters;
    };
    const Case cases[] = {
        {"helmert7 position_vector", Helmert(FitModel::Helmert7, RotationConvention::PositionVector,
                                             false, "wgs84", "beijing54")},
        {"helmert7 coordinate_frame exact",
         Helmert(FitModel::Helmert7, RotationConvention::CoordinateFrame, true, "xian80",
                 "cgcs2000")},
        {"helmert3, an ellipsoid of one's own",
         Helmert(FitModel::Helmert3, RotationConvention::PositionVector, false, "6378140.5,298.25",
                 "wgs84")},
        {"plane4", Plane()},
    };
    double worst = 0.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = TempPath("params.json");
        ASSERT_TRUE(WriteParameterFile(file, c.parameters));
        const ProcessResult described = Gkconv("describe --params " + file, "");
        ASSERT_EQ(described.status, 0) << described.err;
        const std::string pipeline = described.out.substr(0, described.out.find('\n'));
        ASSERT_EQ(pipeline.rfind("+proj=pipeline ", 0), 0u) << described.out;

        const bool helmert = IsHelmert(c.parameters.model);
        const std::string input = helmert ? kGeodetic : kPlane;
        std::string blanks = input;
        std::replace(blanks.begin(), blanks.end(), ',', ' ');
        const ProcessResult ours =
            Gkconv(std::string(helmert ? "datum --angles deg --columns B,L,H" : "plane") +
                       " --exact --params " + file,
                   input);
        ASSERT_EQ(ours.status, 0) << ours.err;
        const auto expected = Lines(ours.out, ',');
        // Without a height cct needs to be told it is 0, as gkconv takes it.
        const auto got = Lines(Cct(helmert ? "" : "-z 0", pipeline, blanks), ' ');
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_GE(got[i].size(), expected[i].size());
            double d = 0.0;
            if (helmert) {
                const double north = (got[i][0] - expected[i][0]) * kDegree * kEarthRadius;
                const double east = (got[i][1] - expected[i][1]) * kDegree * kEarthRadius *
                                    std::cos(expected[i][0] * kDegree);
                d = std::max(std::hypot(north, east), std::fabs(got[i][2] - expected[i][2]));
            } else {
                d = std::hypot(got[i][0] - expected[i][0], got[i][1] - expected[i][1]);
            }
            EXPECT_LT(d, 1e-4) << "line " << i + 1;
            worst = std::max(worst, d);
        }
        std::remove(file.c_str());
    }
    std::printf("describe --params: cct against gkconv, worst %.3g m\n", worst);
}

TEST(GkconvDescribeParams, PrintsThePlanePipelineInGkconvsOrder) {
    const std::string file = TempPath("plane.json");
    ASSERT_TRUE(WriteParameterFile(file, Plane()));
    const ProcessResult r = Gkconv("describe --params " + file, "");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "+proj=pipeline +step +proj=axisswap +order=2,1 +step +proj=helmert "
                     "+x=-129.549 +y=-208.185 +theta=1.56504 +s=1.0000015504 +step "
                     "+proj=axisswap +order=2,1\n"
                     "order: X Y (northing, easting in metres), as gkconv plane; cct -z 0 "
                     "for X Y alone\n");
    std::remove(file.c_str());
}

TEST(GkconvDescribeParams, RefusesWhatTheFileLeavesNoRoomFor) {
    const std::string file = TempPath("params.json");
    ASSERT_TRUE(WriteParameterFile(file, Plane()));
    const std::string broken = TempPath("broken.json");
    std::ofstream(broken) << "{\"model\": \"helmert9\"}";
    struct Case {
        std::string args;
        int status;
        const char* says; // in stderr
    };
    const Case cases[] = {
        {"--params " + file + " -w 3", 2, "--zone-width"},
        {"--params " + file + " --inverse", 2, "--inverse"},
        {"--params " + file + " points.txt", 2, "files"},
        {"-w 3 --helmert 1,2,3", 2, "--helmert"},
        {"-w 3 --datum " + file, 2, "--datum"},
        {"--params " + TempPath("missing.json"), 3, "missing.json"},
        {"--params " + broken, 2, "broken.json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv("describe " + c.args, "");
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    std::remove(file.c_str());
    std::remove(broken.c_str());
}

} // namespace
