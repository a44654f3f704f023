// gkconv's --crs, --zone-rule and describe, as a user runs them.
#include <string>

#include <gtest/gtest.h>

#include "tests/cli/test_files.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(GkconvCrs, ACodeIsTheProjectionItNames) {
    struct Case {
        const char* crs;
        const char* same; // the options that say the same
    };
    const Case cases[] = {
        {"--crs EPSG:4547", "-w 3 -e cgcs2000 --central-meridian 114 --no-prefix"},
        {"--crs epsg:4526", "-w 3 -e cgcs2000 --zone 38"},
        {"--crs EPSG:2345", "-w 6 -e xian80 --central-meridian 117 --no-prefix"},
        {"--crs EPSG:4795", "-w 3 -e beijing54 --central-meridian 114 --no-prefix"},
    };
    const std::string points = "P1,30.5,115.25\nP2,31.0,112.75\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.crs);
        // --exact, so that the way back is not held to the 0.1 mm of four decimals.
        const ProcessResult byCode =
            Gkconv(std::string("forward --exact --angles deg --method krueger ") + c.crs, points);
        const ProcessResult byOptions =
            Gkconv(std::string("forward --exact --angles deg --method krueger ") + c.same, points);
        ASSERT_EQ(byCode.status, 0) << byCode.err;
        EXPECT_EQ(byCode.out, byOptions.out);
        EXPECT_EQ(byCode.err, "");
        const ProcessResult back =
            Gkconv(std::string("inverse --angles deg --method krueger ") + c.crs, byCode.out);
        ASSERT_EQ(back.status, 0) << back.err;
        EXPECT_EQ(back.out, "P1,30.5000000000,115.2500000000\nP2,31.0000000000,112.7500000000\n");
    }
}

TEST(GkconvCrs, RefusesWhatTheCodeContradicts) {
    struct Case {
        const char* args;
        int status;
        const char* says; // in stderr
    };
    const Case cases[] = {
        {"forward --crs EPSG:4547 -w 6", 2, "--zone-width"},
        {"forward --crs EPSG:4547 -e wgs84", 2, "--ellipsoid"},
        {"forward --crs EPSG:4547 --a 6378137 --alfa 298.257223563", 2, "--a"},
        {"forward --crs EPSG:4547 --central-meridian 114.5", 2, "--central-meridian"},
        {"forward --crs EPSG:4526 --no-prefix", 2, "--no-prefix"},
        {"forward --crs EPSG:4526 --zone 39", 2, "--zone"},
        {"forward --crs EPSG:4547 --scale 0.9996", 2, "--scale"},
        {"forward --crs EPSG:4547 --false-easting 0", 2, "--false-easting"},
        {"forward --crs EPSG:4547 --false-northing 1", 2, "--false-northing"},
        {"forward --crs EPSG:4555", 2, "EPSG:4554, EPSG:4553, EPSG:4552"},
        {"forward --crs EPSG:4326", 2, "EPSG:4491"},
        {"forward --crs 45x7", 2, "'45x7'"},
        {"adjacent --crs EPSG:4526", 2, "adjacent"},
        {"3to6 --crs EPSG:4547", 2, "6-degree"},
        {"6to3 --crs EPSG:4509", 2, "3-degree"},
        {"3to6 --crs EPSG:4498 -e wgs84", 2, "--ellipsoid"},
        // What agrees with the code may be said again.
        {"forward --crs EPSG:4547 -w 3 -e cgcs2000 --central-meridian 114:00 --no-prefix", 0, ""},
        {"forward --crs EPSG:4526 -w 3 --zone 38 --scale 1 --false-easting 500000", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv(std::string(c.args) + " --angles deg", "30.5 114.25\n");
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(Contains(r.err, c.says)) << r.err;
    }
}

TEST(GkconvCrs, AZoneChangeWritesIntoTheCodesZone) {
    // 30°30′N 114°30′E on CGCS2000 in 3° zone 38; PROJ puts it at these places in the 6° codes.
    const std::string point = "3375648.0326 38547999.7613\n";
    struct Case {
        const char* args;
        const char* out;
    };
    const Case cases[] = {
        {"3to6 -e cgcs2000", "3380755.9592 19836098.3053\n"},     // the form's rule: 19
        {"3to6 --crs EPSG:4498", "3378200.6390 20259965.4835\n"}, // zone 20
        {"3to6 --crs EPSG:4509", "3378200.6390 259965.4835\n"},   // CM 117E, no prefix
        {"3to6 --crs EPSG:4497", "3380755.9592 19836098.3053\n"}, // zone 19 again
        {"3to6 --crs EPSG:4491", ""},                             // 500 km and more out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv(c.args, point);
        EXPECT_EQ(r.status, *c.out ? 0 : 1) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(GkconvCrs, TakesADeprecatedCodeAndNamesItsReplacement) {
    const ProcessResult old = Gkconv("forward --angles deg --crs EPSG:21473", "40 76\n");
    const ProcessResult current = Gkconv("forward --angles deg --crs EPSG:21453", "40 76\n");
    EXPECT_EQ(old.status, 0);
    EXPECT_EQ(old.out, current.out);
    EXPECT_TRUE(Contains(old.err, "EPSG:21473")) << old.err;
    EXPECT_TRUE(Contains(old.err, "EPSG:21453")) << old.err;
    EXPECT_EQ(current.err, "");
}

TEST(GkconvZoneRule, StandardRuleMovesTheZoneBoundaries) {
    struct Case {
        const char* args;
        const char* point;
        const char* form;     // the zone prefix by the whole-degree rule
        const char* standard; // and by the standard division
    };
    const Case cases[] = {
        {"forward -w 6", "30:30 114:30", "19", "20"}, {"forward -w 6", "30:30 113:59", "19", "19"},
        {"forward -w 3", "30:30 112:30", "37", "38"}, {"forward -w 3", "30:30 115:45", "38", "39"},
        {"forward -w 3", "30:30 114:30", "38", "38"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.args) + " " + c.point);
        const std::string args = std::string(c.args) + " --angles dms";
        const ProcessResult form = Gkconv(args, std::string(c.point) + "\n");
        const ProcessResult explicitForm =
            Gkconv(args + " --zone-rule form", std::string(c.point) + "\n");
        const ProcessResult standard =
            Gkconv(args + " --zone-rule standard", std::string(c.point) + "\n");
        ASSERT_EQ(form.status, 0) << form.err;
        ASSERT_EQ(standard.status, 0) << standard.err;
        EXPECT_EQ(form.out, explicitForm.out);
        EXPECT_EQ(form.out.substr(form.out.find(' ') + 1, 2), c.form);
        EXPECT_EQ(standard.out.substr(standard.out.find(' ') + 1, 2), c.standard);
    }
    // The zone change takes the target zone by the rule too.
    const ProcessResult three = Gkconv("forward -w 3 --angles dms", "30:30 114:30\n");
    const ProcessResult form = Gkconv("3to6", three.out);
    const ProcessResult standard = Gkconv("3to6 --zone-rule standard", three.out);
    EXPECT_EQ(form.out.substr(form.out.find(' ') + 1, 2), "19");
    EXPECT_EQ(standard.out.substr(standard.out.find(' ') + 1, 2), "20");
    EXPECT_EQ(Gkconv("forward -w 6 --zone-rule nearest", "").status, 2);
}

TEST(GkconvDescribe, PrintsThePROJStringAndTheCodes) {
    struct Case {
        const char* args;
        const char* out;
    };
    const Case cases[] = {
        {"--crs EPSG:4547",
         "+proj=tmerc +lat_0=0 +lon_0=114 +k=1 +x_0=500000 +y_0=0 +ellps=GRS80 +units=m "
         "+no_defs\nEPSG:4547  CGCS2000 / 3-degree Gauss-Kruger CM 114E\n"},
        {"-w 6 -e xian80 --zone 20",
         "+proj=tmerc +lat_0=0 +lon_0=117 +k=1 +x_0=20500000 +y_0=0 +ellps=IAU76 +units=m "
         "+no_defs\nEPSG:2334  Xian 1980 / Gauss-Kruger zone 20\n"},
        {"-w 3 -e beijing54 --central-meridian 114 --no-prefix",
         "+proj=tmerc +lat_0=0 +lon_0=114 +k=1 +x_0=500000 +y_0=0 +ellps=krass +units=m "
         "+no_defs\nEPSG:2435  Beijing 1954 / 3-degree Gauss-Kruger CM 114E\n"
         "EPSG:4795  New Beijing / 3-degree Gauss-Kruger CM 114E\n"},
        {"--central-meridian 114:30 --no-prefix --scale 0.9999 --false-northing 1000",
         "+proj=tmerc +lat_0=0 +lon_0=114.5 +k=0.9999 +x_0=500000 +y_0=1000 +a=6378137 "
         "+rf=298.2572235635 +units=m +no_defs\nno EPSG code has this projection\n"},
        {"-w 6 -e wgs84",
         "each point in its own 6-degree zone, by the whole-degree rule (--zone-rule form); "
         "one line per zone:\nno EPSG codes on this ellipsoid; --zone N gives zone N's PROJ "
         "string\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ProcessResult r = Gkconv(std::string("describe ") + c.args, "");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    const ProcessResult zones = Gkconv("describe -w 3 -e cgcs2000 --zone-rule standard", "");
    EXPECT_TRUE(Contains(zones.out, "by the standard division")) << zones.out;
    EXPECT_TRUE(Contains(zones.out, "zone 38  EPSG:4526  +proj=tmerc +lat_0=0 +lon_0=114 +k=1 "
                                    "+x_0=38500000 +y_0=0 +ellps=GRS80 +units=m +no_defs\n"))
        << zones.out;
    EXPECT_EQ(Gkconv("describe --crs EPSG:4555", "").status, 2);
}

} // namespace
