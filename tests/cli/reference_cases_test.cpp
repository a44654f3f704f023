// Runs every case of tests/data/reference.cases through the gkconv program, each as one line
// of input with the options the block's settings translate to, written with --exact.
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/packed_angle.h"
#include "tests/cli/test_files.h"
#include "tests/support/case_file.h"

namespace {

// The command line of a block's settings for one operation. A central meridian without a zone
// has no zone number in the easting.
std::string Options(const cases::Settings& s, const std::string& operation, bool anglesIn) {
    std::string args = operation;
    if (s.zoneRule != "form") {
        args += " --zone-rule " + s.zoneRule;
    }
    if (s.crs != 0) {
        // The code sets the zone width and the ellipsoid.
        args += " --crs EPSG:" + std::to_string(s.crs);
    } else {
        if (operation != "3to6" && operation != "6to3") {
            args += " -w " + std::to_string(s.width);
        }
        args += s.ellipsoidKey.empty() ? " --a=" + Text(s.a) + " --alfa=" + Text(s.alfa)
                                       : " -e " + s.ellipsoidKey;
    }
    args += " --method " + s.method + " --exact";
    // Angles come out as decimal degrees; they go in as the block writes them.
    args += anglesIn && s.packed ? " --angles packed" : " --angles deg";
    if (s.centralMeridian) {
        // The option reads in the run's angle form.
        const double meridian = *s.centralMeridian;
        args += " --central-meridian=" +
                Text(anglesIn && s.packed ? DegreesToPacked(meridian) : meridian);
        if (!s.zone) {
            args += " --no-prefix";
        }
    }
    if (s.zone) {
        args += " --zone " + std::to_string(*s.zone);
    }
    if (s.k0 != 1.0) {
        args += " --scale " + Text(s.k0);
    }
    if (s.falseEasting != 500000.0) {
        args += " --false-easting=" + Text(s.falseEasting);
    }
    if (s.falseNorthing != 0.0) {
        args += " --false-northing=" + Text(s.falseNorthing);
    }
    return args;
}

struct GkconvRun {
    int status;
    double out[2];
    std::string err;
};

// gkconv's longitudes run from 0° to 360°: a western one goes in as its eastern equal.
GkconvRun RunGkconv(const cases::Settings& s, const std::string& operation, double a, double b) {
    const bool anglesIn = operation == "forward";
    if (anglesIn && b < 0.0) {
        b = (s.packed ? DegreesToPacked(PackedToDegrees(b) + 360.0) : b + 360.0);
    }
    const ProcessResult r = Gkconv(Options(s, operation, anglesIn), Text(a) + " " + Text(b) + "\n");
    GkconvRun run{r.status, {0.0, 0.0}, r.err};
    if (r.status == 0 && std::sscanf(r.out.c_str(), "%lf %lf", &run.out[0], &run.out[1]) != 2) {
        run.status = -1;
        run.err = "unreadable output: " + r.out;
    }
    return run;
}

double Degrees(const cases::Settings& s, double angle) {
    return s.packed ? PackedToDegrees(angle) : angle;
}

// The same longitude, taken to within half a turn of the one it is compared with.
double NearLongitude(double lon, double near) {
    return lon - 360.0 * std::round((lon - near) / 360.0);
}

TEST(ReferenceCases, GkconvGivesEveryExpectedResult) {
    int run = 0;
    for (const cases::Case& c : cases::Read()) {
        SCOPED_TRACE(c.Where());
        const cases::Settings& s = c.settings;
        ++run;
        switch (c.kind) {
        case cases::Case::Kind::Failure: {
            const GkconvRun r = RunGkconv(s, s.operation, 30.0, 111.0);
            EXPECT_EQ(r.status, 2) << c.why << ": " << r.err;
            break;
        }
        case cases::Case::Kind::Expect: {
            const GkconvRun r = RunGkconv(s, s.operation, c.in[0], c.in[1]);
            if (c.zone && !s.AnglesOut() && std::trunc(c.out[1] / 1e6) != *c.zone) {
                // An easting that carries the neighbour's prefix would read back in the wrong
                // zone: gkconv refuses to write it.
                EXPECT_EQ(r.status, 1) << r.err;
                break;
            }
            ASSERT_EQ(r.status, 0) << r.err;
            if (s.AnglesOut()) {
                const double lat = Degrees(s, c.out[0]);
                const double lon = Degrees(s, c.out[1]);
                EXPECT_NEAR(r.out[0], lat, c.tolerance);
                EXPECT_NEAR(NearLongitude(r.out[1], lon), lon, c.tolerance);
            } else {
                EXPECT_NEAR(r.out[0], c.out[0], c.tolerance);
                EXPECT_NEAR(r.out[1], c.out[1], c.tolerance);
                if (c.zone) {
                    EXPECT_EQ(std::trunc(r.out[1] / 1e6), *c.zone);
                }
            }
            break;
        }
        case cases::Case::Kind::RoundTrip: {
            // There and back with the same options, as a user reads back gkconv's output.
            const bool forward = s.operation == "forward";
            const GkconvRun there = RunGkconv(s, s.operation, c.in[0], c.in[1]);
            ASSERT_EQ(there.status, 0) << there.err;
            cases::Settings back = s;
            back.packed = false;
            const GkconvRun home =
                RunGkconv(back, forward ? "inverse" : "forward", there.out[0], there.out[1]);
            ASSERT_EQ(home.status, 0) << home.err;
            const double in0 = forward ? Degrees(s, c.in[0]) : c.in[0];
            const double in1 = forward ? Degrees(s, c.in[1]) : c.in[1];
            EXPECT_NEAR(home.out[0], in0, c.tolerance);
            EXPECT_NEAR(forward ? NearLongitude(home.out[1], in1) : home.out[1], in1, c.tolerance);
            break;
        }
        }
    }
    EXPECT_GT(run, 50);
}

} // namespace
