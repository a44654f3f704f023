// Projection: one Gauss-Krüger (transverse Mercator) coordinate system as a value: ellipsoid,
// central meridian (any longitude), scale on the central meridian k0, false easting and
// northing, the zone number carried in the millions of the easting or not, and the method.
// Its coefficients are computed once when it is built; Forward and Inverse are pure functions
// of the value, safe to call from many threads at once.
//
// Angles are decimal degrees (latitude north, longitude east of Greenwich), plane coordinates
// metres: x the northing, y the easting.
//
// Domain, checked here for every caller:
// - Forward takes the longitude difference lon - central meridian modulo 360° into
//   (-180°, 180°], so a longitude written east or west of Greenwich, or past 360°, gives the same
//   point; a difference already in that range is used exactly as it comes.
// - Forward of a latitude beyond ±90° (or not a number) gives NaN for both coordinates.
// - Inverse gives NaN for both angles where the plane point lies beyond a pole: a latitude more
//   than kPoleSlack past ±90°; one within the slack, a rounding step past the pole, is the pole.
//   The longitude comes back as the central meridian plus the difference, not reduced: a zone's
//   longitudes stay continuous where it straddles 0° or 360°.
#pragma once

#include <optional>
#include <string_view>

#include "engine/detail/series_kernel.h"
#include "engine/ellipsoid.h"
#include "engine/krueger_method.h"
#include "engine/problem.h"
#include "engine/zone_system.h"

enum class Method {
    Series,  // the classical series the desktop program has always computed
    Krueger, // Krüger's n⁶ series: exact to well under a micrometre up to 6° out
};

// "series" or "krueger", or nothing.
std::optional<Method> MethodByName(std::string_view name);

struct ProjectionParams {
    Ellipsoid ellipsoid;
    double centralMeridian = 0.0; // degrees
    double k0 = 1.0;
    double falseEasting = 500000.0;
    double falseNorthing = 0.0;
    std::optional<int> zonePrefix; // zone number written in the millions of y, if any
    Method method = Method::Series;
};

struct GeoPoint {
    double lat;
    double lon;
};

struct PlanePoint {
    double x; // northing
    double y; // easting
};

class Projection {
public:
    // Refuses what Check refuses with a ProblemError.
    explicit Projection(const ProjectionParams& params);

    // The zone's own system: its central meridian, k0 1, false easting 500000 m, and the zone
    // number in the easting.
    static Projection ForZone(const Ellipsoid& ellipsoid, ZoneSystem system, int zone,
                              Method method = Method::Series);

    // How far past a pole (degrees) an inverse latitude may come out and still be the pole.
    static constexpr double kPoleSlack = 1e-5;

    // Whether params make a projection: a finite central meridian and false origin, a positive
    // finite k0.
    static Result<void> Check(const ProjectionParams& params);

    PlanePoint Forward(double lat, double lon) const;
    GeoPoint Inverse(double x, double y) const;

    const ProjectionParams& Params() const { return m_params; }

private:
    ProjectionParams m_params;
    double m_prefix; // zone prefix in metres, 0 without one
    detail::MeridianArc m_arc;
    detail::Footpoint m_footpoint;
    std::optional<KruegerTerms> m_krueger; // for Method::Krueger only
};
