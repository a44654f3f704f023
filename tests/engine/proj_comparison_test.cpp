// Geocentric coordinates and the Helmert transformation against PROJ's cct, an independent
// implementation, on random points and parameter sets: both conventions, small-angle and
// exact rotations.
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "engine/helmert.h"

namespace {

using Triple = std::array<double, 3>;

// Runs cct with the operation on the points (one per line) and returns its first three
// columns per line.
std::vector<Triple> Cct(const std::string& operation, const std::vector<Triple>& points,
                        bool inverse = false) {
    char name[] = "/tmp/gk-cct-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) {
        ADD_FAILURE() << "no temporary file";
        return {};
    }
    close(fd);
    {
        std::ofstream file(name);
        file.precision(17);
        for (const Triple& p : points) {
            file << p[0] << ' ' << p[1] << ' ' << p[2] << " 0\n";
        }
    }
    const std::string command =
        std::string(GK_CCT) + " -d 12 " + (inverse ? "-I " : "") + operation + " " + name;
    std::vector<Triple> out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, pipe)) {
            std::istringstream in(line);
            Triple t{};
            if (in >> t[0] >> t[1] >> t[2]) {
                out.push_back(t);
            }
        }
        pclose(pipe);
    }
    std::remove(name);
    EXPECT_EQ(out.size(), points.size()) << command;
    return out;
}

std::string Ellps(const Ellipsoid& e) {
    std::ostringstream s;
    s.precision(17);
    s << "+a=" << e.a() << " +rf=" << 1.0 / e.f();
    return s.str();
}

const double kDegree = std::acos(-1.0) / 180.0;

TEST(AgainstProj, GeocentricBothWaysWithinAHundredthOfAMillimetre) {
    std::mt19937_64 random(2000);
    std::uniform_real_distribution<double> lat(-90.0, 90.0), lon(-180.0, 180.0),
        low(-10000.0, 10000.0), high(-10000.0, 2.0e7);
    double worstForward = 0.0;
    double worstInverse = 0.0;
    for (const EllipsoidPreset& preset : EllipsoidPresets()) {
        const Ellipsoid e = preset.ellipsoid();
        const Geocentric g(e);
        std::vector<Triple> geodetic;
        for (int i = 0; i < 500; ++i) {
            geodetic.push_back({lon(random), lat(random), i % 2 ? low(random) : high(random)});
        }
        geodetic.push_back({0.0, 90.0, 0.0});
        geodetic.push_back({45.0, -90.0, -10000.0});
        const std::vector<Triple> proj = Cct("+proj=cart " + Ellps(e), geodetic);
        std::vector<Triple> ours;
        for (std::size_t i = 0; i < proj.size(); ++i) {
            const GeocentricPoint x = g.Forward({geodetic[i][1], geodetic[i][0], geodetic[i][2]});
            ours.push_back({x.X, x.Y, x.Z});
            worstForward = std::max(
                worstForward, std::hypot(x.X - proj[i][0], x.Y - proj[i][1], x.Z - proj[i][2]));
        }
        // Back through both, compared as positions: each inverse taken forward again by ours.
        // Only the points within 10 km of the ellipsoid: PROJ's inverse is Bowring's one-step
        // formula, which drifts by decimetres at thousands of kilometres up (ours returns every
        // height to a nanometre, see the round trip in datum_test.cpp).
        const std::vector<Triple> back = Cct("+proj=cart " + Ellps(e), ours, true);
        for (std::size_t i = 0; i < back.size(); ++i) {
            if (std::fabs(geodetic[i][2]) > 10000.0) {
                continue;
            }
            const GeodeticPoint q = g.Inverse({ours[i][0], ours[i][1], ours[i][2]});
            const GeocentricPoint a = g.Forward(q);
            const GeocentricPoint b = g.Forward({back[i][1], back[i][0], back[i][2]});
            worstInverse = std::max(worstInverse, std::hypot(a.X - b.X, a.Y - b.Y, a.Z - b.Z));
            // Angles to a tenth of a millimetre's arc, and the height.
            EXPECT_NEAR(q.lat, back[i][1], 1e-5 / 6.4e6 / kDegree);
            EXPECT_NEAR(q.h, back[i][2], 1e-5);
        }
    }
    EXPECT_LT(worstForward, 1e-5);
    EXPECT_LT(worstInverse, 1e-5);
    RecordProperty("worst_forward_m", std::to_string(worstForward));
    RecordProperty("worst_inverse_m", std::to_string(worstInverse));
    std::printf("geocentric against cct: forward %.3g m, inverse %.3g m\n", worstForward,
                worstInverse);
}

TEST(AgainstProj, HelmertForwardWithinAHundredthOfAMillimetre) {
    std::mt19937_64 random(7606);
    std::uniform_real_distribution<double> t(-500.0, 500.0), r(-10.0, 10.0), s(-30.0, 30.0),
        lat(-89.0, 89.0), lon(-180.0, 180.0), h(-100.0, 9000.0);
    const Geocentric g(Wgs1984().ellipsoid());
    double worst = 0.0;
    for (int set = 0; set < 16; ++set) {
        const RotationConvention convention =
            set % 2 ? RotationConvention::CoordinateFrame : RotationConvention::PositionVector;
        const bool exact = set % 4 >= 2;
        // Every fourth set has large rotations, where small-angle and exact differ by metres.
        const double big = set % 8 >= 4 ? 1000.0 : 1.0;
        const HelmertParams params{t(random),       t(random),       t(random),
                                   r(random) * big, r(random) * big, r(random) * big,
                                   s(random),       convention,      exact};
        std::ostringstream op;
        op.precision(17);
        op << "+proj=helmert +x=" << params.tx << " +y=" << params.ty << " +z=" << params.tz
           << " +rx=" << params.rx << " +ry=" << params.ry << " +rz=" << params.rz
           << " +s=" << params.s << " +convention="
           << (convention == RotationConvention::PositionVector ? "position_vector"
                                                                : "coordinate_frame")
           << (exact ? " +exact" : "");
        std::vector<Triple> points;
        for (int i = 0; i < 100; ++i) {
            const GeocentricPoint x = g.Forward({lat(random), lon(random), h(random)});
            points.push_back({x.X, x.Y, x.Z});
        }
        const std::vector<Triple> proj = Cct(op.str(), points);
        const Helmert helmert(params);
        for (std::size_t i = 0; i < proj.size(); ++i) {
            SCOPED_TRACE(op.str());
            const GeocentricPoint y = helmert.Forward({points[i][0], points[i][1], points[i][2]});
            const double d = std::hypot(y.X - proj[i][0], y.Y - proj[i][1], y.Z - proj[i][2]);
            EXPECT_LT(d, 1e-5);
            worst = std::max(worst, d);
        }
    }
    std::printf("helmert forward against cct: %.3g m\n", worst);
}

} // namespace
