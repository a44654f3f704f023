// Projection: one Gauss-Krüger (transverse Mercator) coordinate system as a value: ellipsoid,
// central meridian (any longitude), scale on the central meridian k0, false easting and
// northing, the zone number carried in the millions of the easting or not, and the method.
// Its coefficients are computed once when it is built; Forward and Inverse are pure functions
// of the value, safe to call from many threads at once.
//
// Angles are decimal degrees (latitude north, longitude east of Greenwich), plane coordinates
// metres: x the northing, y the easting.
#pragma once

#include <optional>
#include <string_view>

#include "engine/ellipsoid.h"
#include "engine/krueger_method.h"
#include "engine/problem.h"
#include "engine/series_method.h"
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

    // Whether params make a projection: a finite central meridian and false origin, a positive
    // finite k0.
    static Result<void> Check(const ProjectionParams& params);

    PlanePoint Forward(double lat, double lon) const;
    GeoPoint Inverse(double x, double y) const;

    const ProjectionParams& Params() const { return m_params; }

private:
    ProjectionParams m_params;
    double m_prefix; // zone prefix in metres, 0 without one
    MeridianArc m_arc;
    Footpoint m_footpoint;
    KruegerTerms m_krueger;
};
