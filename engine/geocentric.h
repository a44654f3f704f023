// Geocentric: geodetic latitude, longitude and ellipsoidal height on one ellipsoid and the
// Earth-centred Cartesian coordinates X, Y, Z of the same point, both ways.
//
// Forward: X = (N + h) cos B cos L, Y = (N + h) cos B sin L, Z = (N (1 - e²) + h) sin B with
// N = a / √(1 - e² sin² B) the radius of curvature in the prime vertical.
//
// Inverse: Vermeille's closed form ("Direct transformation from geocentric coordinates to
// geodetic coordinates", J. Geodesy 76 (2002)), which solves the quartic of the foot point in
// one pass, exact to rounding for every point outside the ellipsoid's evolute (more than about
// a·e² ≈ 43 km from the centre: every height from -10 km to far beyond 20 000 km).
//
// Symbols: B latitude, L longitude, h height; P = √(X² + Y²) the distance from the axis;
// p = P² / a², q = (1 - e²) Z² / a², r = (p + q - e⁴) / 6; s, t, u, v, w, k the paper's
// intermediate quantities, and D = k P / (k + e²), the point's distance from the axis shortened
// so that (D, Z) points along the ellipsoid's normal: B = atan2(Z, D) and
// h = (k + e² - 1) / k · √(D² + Z²).
//
// Departures from the paper:
// - the longitude is atan2(Y, X), not the half-angle form, for the same accuracy with one call;
// - the latitude is atan2(Z, D) rather than 2 atan(Z / (D + √(D² + Z²))): equally exact,
//   and at D = Z = 0 gives 0 instead of dividing by zero;
// - P and √(D² + Z²) are plain square roots, not hypot: geocentric magnitudes neither overflow
//   nor underflow, and hypot's care would cost a fifth of the inverse;
// - inside the evolute (the formula takes the square root of a negative number there) the
//   latitude comes from a short fixed-point iteration instead, so that any finite input gives
//   a finite answer; geodesy has no use for such points, whose foot point is not unique.
#pragma once

#include "engine/ellipsoid.h"

struct GeodeticPoint {
    double lat; // degrees, north positive
    double lon; // degrees, east of Greenwich
    double h;   // metres above the ellipsoid
};

struct GeocentricPoint {
    double X; // metres, towards latitude 0, longitude 0
    double Y; // metres, towards latitude 0, longitude 90° east
    double Z; // metres, towards the north pole
};

class Geocentric {
public:
    explicit Geocentric(const Ellipsoid& ellipsoid);

    GeocentricPoint Forward(const GeodeticPoint& point) const;
    // The longitude lies in (-180°, 180°]; at the poles it is atan2(Y, X), 0 on the axis.
    GeodeticPoint Inverse(const GeocentricPoint& point) const;

    const Ellipsoid& ellipsoid() const { return m_ellipsoid; }

private:
    Ellipsoid m_ellipsoid;
    double m_a;
    double m_e2;
    double m_e4;
};
