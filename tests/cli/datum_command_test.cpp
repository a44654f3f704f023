// gkconv's datum, plane and fit commands and forward's and inverse's --datum and --plane: the
// published examples of the shared case file through the program, the chained datum change
// and projection against PROJ's pipeline, round trips that return the height, the fit of the
// example files, and refusals with their exit statuses.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "conversion/parameter_file.h"
#include "engine/geocentric.h"
#include "tests/cli/test_files.h"
#include "tests/support/case_file.h"

namespace {

const std::string kExamples = std::string(GK_SOURCE_DIR) + "/examples/datum/";

// The published geocentric examples through gkconv datum: each geocentric point is taken to
// B L H on one ellipsoid, changed, and compared back as geocentric coordinates; the plane
// example through gkconv plane.
TEST(GkconvDatum, PublishedExamplesThroughTheProgram) {
    const Geocentric g(Wgs1984().ellipsoid());
    int run = 0;
    for (const cases::TransformCase& c : cases::ReadTransforms()) {
        if (c.roundTrip) {
            continue;
        }
        SCOPED_TRACE(c.Where());
        const std::vector<double>& p = c.settings.parameters;
        std::vector<double> got;
        if (c.settings.transform == "plane4") {
            const ProcessResult r = Gkconv("plane --exact --similarity " + Text(p[0]) + "," +
                                               Text(p[1]) + "," + Text(p[2]) + "," + Text(p[3]),
                                           Text(c.in[0]) + "," + Text(c.in[1]) + "\n");
            ASSERT_EQ(r.status, 0) << r.err;
            got = Numbers(r.out);
        } else {
            std::string helmert = "--helmert ";
            for (std::size_t k = 0; k < p.size(); ++k) {
                helmert += (k ? "," : "") + Text(p[k]);
            }
            const GeodeticPoint in = g.Inverse({c.in[0], c.in[1], c.in[2]});
            const ProcessResult r =
                Gkconv("datum --exact --angles deg --columns B,L,H --from-ellipsoid wgs84 "
                       "--to-ellipsoid wgs84 --convention " +
                           c.settings.convention + " " + helmert,
                       Text(in.lat) + "," + Text(in.lon) + "," + Text(in.h) + "\n");
            ASSERT_EQ(r.status, 0) << r.err;
            const std::vector<double> out = Numbers(r.out);
            ASSERT_EQ(out.size(), 3u);
            const GeocentricPoint x = g.Forward({out[0], out[1], out[2]});
            got = {x.X, x.Y, x.Z};
        }
        ASSERT_EQ(got.size(), c.out.size());
        for (std::size_t k = 0; k < got.size(); ++k) {
            EXPECT_NEAR(got[k], c.out[k], c.tolerance);
        }
        ++run;
    }
    EXPECT_EQ(run, 4);
}

// forward --datum FILE --method krueger against PROJ's cart → helmert → inv cart → tmerc on
// random points and parameter sets, both conventions, small-angle and exact; and inverse
// with the same file returns B, L and H.
TEST(GkconvDatum, ForwardWithDatumAgreesWithProjsPipeline) {
    std::mt19937_64 random(1954);
    std::uniform_real_distribution<double> t(-200, 200), r(-5, 5), s(-10, 10), lat(20, 50),
        dlon(-1.4, 1.4), h(-50, 3000);
    double worst = 0.0;
    for (int set = 0; set < 4; ++set) {
        DatumParameters parameters;
        parameters.model = FitModel::Helmert7;
        parameters.helmert = {
            t(random),
            t(random),
            t(random),
            r(random),
            r(random),
            r(random),
            s(random),
            set % 2 ? RotationConvention::CoordinateFrame : RotationConvention::PositionVector,
            set >= 2};
        parameters.source = EllipsoidFromText("wgs84");
        parameters.target = EllipsoidFromText("beijing54");
        const std::string file = TempPath("params.json");
        ASSERT_TRUE(WriteParameterFile(file, parameters));
        std::string points;
        std::string projPoints;
        for (int i = 0; i < 50; ++i) {
            const double B = lat(random), L = 114.0 + dlon(random), H = h(random);
            points +=
                "P" + std::to_string(i) + "," + Text(B) + "," + Text(L) + "," + Text(H) + "\n";
            projPoints += Text(L) + " " + Text(B) + " " + Text(H) + "\n";
        }
        const ProcessResult ours =
            Gkconv("forward -w 3 --central-meridian 114 --method krueger --angles deg --exact "
                   "--columns name,B,L,H --datum " +
                       file,
                   points);
        ASSERT_EQ(ours.status, 0) << ours.err;
        const std::string projIn = TempPath("proj-in.txt");
        std::ofstream(projIn) << projPoints;
        const std::string command = "cct -d 8 " + ProjString(parameters) +
                                    " +step +proj=tmerc +lon_0=114 +x_0=38500000 +a=6378245 "
                                    "+rf=298.3 " +
                                    projIn;
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::istringstream lines(ours.out);
        std::string line;
        char buffer[512];
        int compared = 0;
        while (std::getline(lines, line) && std::fgets(buffer, sizeof buffer, pipe)) {
            std::vector<double> x = Numbers(line.substr(line.find(',') + 1));
            double e = 0, n = 0, z = 0;
            std::istringstream(buffer) >> e >> n >> z;
            const double d = std::hypot(x[0] - n, x[1] - e);
            worst = std::max(worst, d);
            EXPECT_LT(d, 1e-4) << line << " | " << buffer;
            EXPECT_NEAR(x[2], z, 1e-4);
            ++compared;
        }
        pclose(pipe);
        EXPECT_EQ(compared, 50);

        const ProcessResult back =
            Gkconv("inverse -w 3 --central-meridian 114 --method krueger --angles deg --exact "
                   "--columns name,X,Y,H --datum " +
                       file,
                   ours.out);
        ASSERT_EQ(back.status, 0) << back.err;
        std::istringstream original(points), returned(back.out);
        std::string a, b;
        while (std::getline(original, a) && std::getline(returned, b)) {
            const std::vector<double> va = Numbers(a.substr(a.find(',') + 1));
            const std::vector<double> vb = Numbers(b.substr(b.find(',') + 1));
            EXPECT_NEAR(va[0], vb[0], 1e-10);
            EXPECT_NEAR(va[1], vb[1], 1e-10);
            EXPECT_NEAR(va[2], vb[2], 1e-6);
        }
        std::remove(file.c_str());
        std::remove(projIn.c_str());
    }
    std::printf("forward --datum against PROJ's pipeline: %.3g m\n", worst);
}

// The height: read and written where --columns names it, changed by the datum, passed as it
// is by a projection without one, and returned by the inverse change.
TEST(GkconvDatum, HeightFollowsItsColumn) {
    const std::string helmert = "--helmert 15.8,-154.4,-82.3,-0.5,1.2,-0.8,2.5 --convention "
                                "position_vector --from-ellipsoid wgs84 --to-ellipsoid beijing54 "
                                "--angles deg";
    const ProcessResult noHeight = Gkconv("datum " + helmert, "P1,30.5,114.3,rest\n");
    ASSERT_EQ(noHeight.status, 0) << noHeight.err;
    EXPECT_NE(noHeight.out.find(",rest\n"), std::string::npos) << noHeight.out;
    EXPECT_EQ(Numbers(noHeight.out.substr(3, noHeight.out.rfind(',') - 3)).size(), 2u);
    const ProcessResult there =
        Gkconv("datum " + helmert + " --columns H,name,B,L", "25.5,P1,30.5,114.3\n");
    ASSERT_EQ(there.status, 0) << there.err;
    EXPECT_EQ(there.out.rfind("-235.8814,P1,30.5000232602,114.3000784368", 0), 0u) << there.out;
    const ProcessResult home =
        Gkconv("datum --inverse " + helmert + " --columns H,name,B,L", there.out);
    EXPECT_EQ(home.out, "25.5000,P1,30.5000000000,114.3000000000\n");
    const ProcessResult plain =
        Gkconv("forward -w 3 --angles deg --columns name,B,L,H", "P1,30.5,114.3,25.5\n");
    EXPECT_EQ(plain.out.substr(plain.out.rfind(',')), ",25.5000\n");
}

// forward --plane is forward and then plane; inverse --plane undoes both; an --ellipsoid that
// is not the datum file's target is refused.
TEST(GkconvDatum, PlaneAfterProjectingAndEllipsoidOfTheDatumFile) {
    const std::string plane = TempPath("plane.json");
    std::ofstream(plane) << R"({"model": "plane4", "dx_m": -208.185, "dy_m": -129.549,
                                "theta_arcsec": 1.56504, "scale_ppm": 1.5504})";
    const std::string points = "P1,30.5012345,114.3123456\nP2,31.2,113.6\n";
    const ProcessResult projected = Gkconv("forward -w 3 --angles deg --exact", points);
    const ProcessResult moved = Gkconv("plane --exact --params " + plane, projected.out);
    const ProcessResult chained =
        Gkconv("forward -w 3 --angles deg --exact --plane " + plane, points);
    ASSERT_EQ(chained.status, 0) << chained.err;
    EXPECT_EQ(chained.out, moved.out);
    const ProcessResult back = Gkconv("inverse -w 3 --angles deg --plane " + plane, chained.out);
    EXPECT_EQ(back.out, "P1,30.5012345000,114.3123456000\nP2,31.2000000000,113.6000000000\n");

    DatumParameters datum;
    datum.model = FitModel::Helmert3;
    datum.helmert.tx = 15.8;
    datum.source = EllipsoidFromText("wgs84");
    datum.target = EllipsoidFromText("beijing54");
    const std::string file = TempPath("datum.json");
    ASSERT_TRUE(WriteParameterFile(file, datum));
    const ProcessResult wrong = Gkconv("forward -w 3 -e wgs84 --datum " + file, "30 114\n");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("target ellipsoid"), std::string::npos) << wrong.err;
    const ProcessResult right = Gkconv("forward -w 3 -e beijing54 --datum " + file, "30 114\n");
    EXPECT_EQ(right.status, 0) << right.err;
    std::remove(plane.c_str());
    std::remove(file.c_str());
}

TEST(GkconvDatum, RefusalsAndTheirExitStatus) {
    const std::string badJson = TempPath("bad.json");
    std::ofstream(badJson) << "{\"model\": \"helmert7\"";
    const std::string planeJson = TempPath("plane.json");
    std::ofstream(planeJson) << R"({"model": "plane4", "dx_m": 1, "dy_m": 2, "theta_arcsec": 3,
                                    "scale_ppm": 4})";
    struct Case {
        std::string args;
        int status;
        const char* words; // in stderr
    };
    const Case cases[] = {
        {"datum --helmert 1,2,3,4,5,6,7 --from-ellipsoid wgs84 --to-ellipsoid beijing54", 2,
         "rotations need their convention"},
        {"datum --helmert 1,2 --from-ellipsoid wgs84 --to-ellipsoid beijing54", 2, "--helmert"},
        {"datum --helmert 1,2,3 --from-ellipsoid mars --to-ellipsoid beijing54", 2,
         "--from-ellipsoid"},
        {"datum --helmert 1,2,3 --to-ellipsoid beijing54", 2, "--from-ellipsoid"},
        {"datum --params /nonexistent.json", 3, "cannot read /nonexistent.json"},
        {"datum --params " + badJson, 2, "not JSON"},
        {"datum --params " + planeJson, 2, "plane4"},
        {"plane --similarity 1,2,3", 2, "--similarity"},
        {"plane --params " + planeJson + " --similarity 1,2,3,4", 2, "one of them"},
        {"forward -w 3 --plane " + planeJson + " --datum " + planeJson, 2, "plane4"},
        {"forward -w 3 -e wgs84 --datum " + planeJson, 2, "plane4"},
        {"adjacent -w 3 --plane " + planeJson, 2, "belongs to forward and inverse"},
        {"forward -w 3 --helmert 1,2,3", 2, "belongs to the datum and plane"},
        {"forward -w 3 --columns B,L,Z", 2, "H"},
        {"adjacent -w 3 --columns X,Y,H", 2, "not a column"},
        {"fit", 2, "fit needs its model"},
        {"fit helmert9 --source a --target b", 2, "fit needs its model"},
        {"fit plane4 --source " + planeJson, 2, "--target"},
        {"fit helmert7 --source a --target b --from-ellipsoid wgs84 --to-ellipsoid wgs84", 2,
         "--convention"},
        {"fit plane4 --source /nonexistent --target /nonexistent", 3, "cannot read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv(c.args, "1,2\n");
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.words), std::string::npos) << r.err;
    }
    std::remove(badJson.c_str());
    std::remove(planeJson.c_str());
}

// The example files: the point with a 7 cm error is flagged and no other, points on one side
// only are listed, --exclude takes the flagged one out, and the written file converts.
TEST(GkconvFit, ExampleFilesFromReportToConversion) {
    const std::string common = "fit helmert7 --source " + kExamples + "common-wgs84.txt --target " +
                               kExamples +
                               "common-beijing54.txt --from-ellipsoid wgs84 "
                               "--to-ellipsoid beijing54 --convention position_vector "
                               "--angles deg --columns name,B,L,H";
    const ProcessResult first = Gkconv(common, "");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("left out: GPS05 (in the source only)"), std::string::npos);
    EXPECT_NE(first.out.find("left out: BM12 (in the target only)"), std::string::npos);
    EXPECT_NE(first.out.find("redundancy 14"), std::string::npos) << first.out;
    std::istringstream lines(first.out);
    std::vector<std::string> flagged;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("GROSS ERROR?") != std::string::npos) {
            flagged.push_back(line.substr(0, 5));
        }
    }
    EXPECT_EQ(flagged, std::vector<std::string>{"GPS06"});

    const std::string params = TempPath("fit.json");
    const ProcessResult second = Gkconv(common + " --exclude GPS06 -o " + params, "");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("no point flagged"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("left out: GPS06 (excluded)"), std::string::npos);
    const ProcessResult converted =
        Gkconv("datum --params " + params + " --angles deg --columns name,B,L,H",
               "GPS01,30.525276138,114.395873418,58.341\n");
    ASSERT_EQ(converted.status, 0) << converted.err;
    // Back within the residual the report gives the point (a few millimetres).
    const std::vector<double> got = Numbers(converted.out.substr(6));
    EXPECT_NEAR(got[0], 30.525300288, 1e-7);
    EXPECT_NEAR(got[1], 114.395954368, 1e-7);
    EXPECT_NEAR(got[2], -202.971, 0.02);

    const ProcessResult twice = Gkconv(common + " --exclude GPS99", "");
    EXPECT_EQ(twice.status, 2);
    EXPECT_NE(twice.err.find("GPS99"), std::string::npos);
    std::remove(params.c_str());
}

TEST(GkconvFit, PointsTwiceOrTooFewAreRefused) {
    const std::string a = TempPath("a.txt");
    const std::string b = TempPath("b.txt");
    std::ofstream(b) << "K1,4500000,300000\nK2,4501000,300000\n";
    struct Case {
        const char* source;
        std::string error; // a part of stderr
    };
    const Case cases[] = {
        {"K1,4500000,300000\nK2,4501000,300000\nK1,4502000,300000\n",
         "point K1 is in " + a + " twice (lines 1 and 3)"},
        {"K1,4500000,300000\nK3,4501000,300000\n",
         "too few common points: 1, the model needs at least 2"},
        {"K1,4500000,300000\nK2,4501000,30x000\n", a + ":2: easting '30x000' is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        std::ofstream(a) << c.source;
        const ProcessResult r = Gkconv("fit plane4 --source " + a + " --target " + b, "");
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
    std::remove(a.c_str());
    std::remove(b.c_str());
}

} // namespace
