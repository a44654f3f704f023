// PROJ strings of projections.
#include "engine/proj_string.h"

#include <charconv>
#include <cmath>

namespace {

// The shortest fixed-point text that reads back to the same double (never an exponent, which
// PROJ reads but people do not expect in 25500000).
std::string Fixed(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

struct ProjEllps {
    const char* name;
    double a;
    double rf;
};

// PROJ's ellipsoids of the presets' sizes (proj -le).
constexpr ProjEllps kProjEllipsoids[] = {
    {"GRS80", 6378137.0, 298.257222101},
    {"IAU76", 6378140.0, 298.257},
    {"krass", 6378245.0, 298.3},
    {"WGS84", 6378137.0, 298.257223563},
};

// An inverse flattening whose reciprocal PROJ takes back to exactly f: 1/f, or a neighbour of
// it where 1/f's reciprocal rounds to another double.
double InverseFlattening(double f) {
    double rf = 1.0 / f;
    for (int step = 0; step < 4 && 1.0 / rf != f; ++step) {
        rf = std::nextafter(rf, 1.0 / rf > f ? INFINITY : 0.0);
    }
    return rf;
}

} // namespace

std::string ProjEllipsoid(const Ellipsoid& ellipsoid) {
    if (ellipsoid.f() == 0.0) {
        return "+R=" + Fixed(ellipsoid.a());
    }
    for (const ProjEllps& e : kProjEllipsoids) {
        if (ellipsoid.a() == e.a && ellipsoid.f() == 1.0 / e.rf) {
            return std::string("+ellps=") + e.name;
        }
    }
    return "+a=" + Fixed(ellipsoid.a()) + " +rf=" + Fixed(InverseFlattening(ellipsoid.f()));
}

std::string ProjString(const ProjectionParams& params) {
    const double x0 = params.falseEasting + (params.zonePrefix ? *params.zonePrefix * 1e6 : 0.0);
    return "+proj=tmerc +lat_0=0 +lon_0=" + Fixed(params.centralMeridian) +
           " +k=" + Fixed(params.k0) + " +x_0=" + Fixed(x0) +
           " +y_0=" + Fixed(params.falseNorthing) + " " + ProjEllipsoid(params.ellipsoid) +
           " +units=m +no_defs";
}
