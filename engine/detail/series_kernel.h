// The classical series' working parts: the meridian arc's coefficients, the footpoint latitude,
// and the two directions as inline kernels over them. Only Projection and the series' own
// functions use these; everyone else goes through Projection (engine/projection.h).
//
// The method, its sources and its symbols are described in engine/series_method.h.
//
// The kernels are defined here in the header so that a caller who builds a projection per call,
// as the desktop program's adapter does, gets the constructors folded into its own code.
// Inlining keeps each statement and its rounding as written, provided the caller too is compiled
// with contraction off, as every target of this build is (gk_engine passes the flag on).
#pragma once

#include <cmath>

#include "engine/ellipsoid.h"

namespace detail {

// The meridian arc s(B) = s0 B + s2 sin 2B + s4 sin 4B + ... + s10 sin 10B (metres), with the
// sums A ... F it is built from (the footpoint iteration scales those sums rather than the s's).
//
// The arc is the integral of the meridian's radius of curvature M = a (1 - e²) (1 - e² sin²
// B)^-3/2. Expanding the power by the binomial series to e¹⁰ and writing each sinᵏ B as a sum of
// cosines of multiple angles gives M = p (A - Bc cos 2B + C cos 4B - D cos 6B + E cos 8B - F cos
// 10B), p = a (1 - e²), whose coefficients are exact fractions (powers of two below), written here
// as such so that each can be checked against the expansion; each is exactly representable, so the
// folded constant is the very double the program has always used:
//   A  = 1 + 3/4 e² + 45/64 e⁴ + 175/256 e⁶ + 11025/16384 e⁸ + 43659/65536 e¹⁰
//   Bc =     3/4 e² + 15/16 e⁴ + 525/512 e⁶ +  2205/2048  e⁸ + 72765/65536 e¹⁰
//   C  =              15/64 e⁴ + 105/256 e⁶ +  2205/4096  e⁸ + 10395/16384 e¹⁰
//   D  =                          35/512 e⁶ +   315/2048  e⁸ + 31185/131072 e¹⁰
//   E  =                                        315/16384 e⁸ +  3465/65536 e¹⁰
//   F  =                                                          693/131072 e¹⁰
// Integrating term by term: s0 = p A, s2 = -p Bc / 2, s4 = p C / 4, s6 = -p D / 6,
// s8 = p E / 8, s10 = -p F / 10.
struct MeridianArc {
    explicit MeridianArc(const Ellipsoid& ellipsoid);

    // Arc length from the equator to latitude B (radians), in metres. The terms are added from
    // the smallest (s10) to the largest (s0 B), the order the forward projection uses, so that a
    // point on the central meridian gets exactly s(B) as its northing.
    double Length(double B) const;

    double a;
    double e2;
    double ep2;
    double p; // a (1 - e²)
    double A, Bc, C, D, E, F;
    double s0, s2, s4, s6, s8, s10; // arc terms, metres (s0 per radian)
};

inline MeridianArc::MeridianArc(const Ellipsoid& ellipsoid)
    : a(ellipsoid.a()), e2(ellipsoid.e2()), ep2(ellipsoid.ep2()) {
    p = a * (1.0 - e2);
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e6 * e2;
    const double e10 = e8 * e2;
    A = 1.0 + (3.0 / 4.0) * e2 + (45.0 / 64.0) * e4 + (175.0 / 256.0) * e6 +
        (11025.0 / 16384.0) * e8 + (43659.0 / 65536.0) * e10;
    Bc = (3.0 / 4.0) * e2 + (15.0 / 16.0) * e4 + (525.0 / 512.0) * e6 + (2205.0 / 2048.0) * e8 +
         (72765.0 / 65536.0) * e10;
    C = (15.0 / 64.0) * e4 + (105.0 / 256.0) * e6 + (2205.0 / 4096.0) * e8 +
        (10395.0 / 16384.0) * e10;
    D = (35.0 / 512.0) * e6 + (315.0 / 2048.0) * e8 + (31185.0 / 131072.0) * e10;
    E = (315.0 / 16384.0) * e8 + (3465.0 / 65536.0) * e10;
    F = (693.0 / 131072.0) * e10;
    s0 = p * A;
    s2 = -p * Bc / 2.0;
    s4 = p * C / 4.0;
    s6 = -p * D / 6.0;
    s8 = p * E / 8.0;
    s10 = -p * F / 10.0;
}

// Geodetic X converges in at most 6 passes. Beyond |X| ≈ 2.6e10 m doubles can no longer resolve
// 1e-12 rad and the passes may alternate between two neighbours forever; the cap ends them.
inline constexpr int kFootpointMaxPasses = 50;

// The footpoint latitude Bf (radians) whose meridian arc equals a northing X: s(Bf) = X solved
// as Bf = X / s0 - (s2 sin 2Bf + ... + s10 sin 10Bf) / s0 by fixed-point iteration from Bf = 0
// until two passes agree to 1e-12 rad.
struct Footpoint {
    explicit Footpoint(const MeridianArc& arc);
    double Latitude(double X) const;

    double s0;
    double q2, q4, q6, q8, q10; // s2 / s0, ..., s10 / s0
};

inline Footpoint::Footpoint(const MeridianArc& arc)
    : s0(arc.s0), q2(arc.p * arc.Bc / (s0 * -2.0)), q4(arc.p * arc.C / (s0 * 4.0)),
      q6(arc.p * arc.D / (s0 * -6.0)), q8(arc.p * arc.E / (s0 * 8.0)),
      q10(arc.p * arc.F / (s0 * -10.0)) {}

inline double Footpoint::Latitude(double X) const {
    const double q = X / s0;
    double B = 0.0;
    double Bn = B;
    for (int pass = 0; pass < kFootpointMaxPasses; ++pass) {
        Bn = q - q2 * std::sin(2.0 * B);
        Bn -= q4 * std::sin(4.0 * B);
        Bn -= q6 * std::sin(6.0 * B);
        Bn -= q8 * std::sin(8.0 * B);
        Bn -= q10 * std::sin(10.0 * B);
        // Written as "not >=" so that a NaN difference also ends the iteration.
        if (!(std::fabs(B - Bn) >= 1e-12)) {
            break;
        }
        B = Bn;
    }
    return Bn;
}

// Northing x (meridian arc included) and easting y from the central meridian, metres, of the
// point at latitude B, longitude difference l (radians):
//   x = s(B) + N t (m²/2 + (5 - t² + 9η² + 4η⁴) m⁴/24 + (61 - 58t² + t⁴) m⁶/720)
//   y = N (m + (1 - t² + η²) m³/6 + (5 - 18t² + t⁴ + 14η² - 58η²t²) m⁵/120)
struct SeriesPlane {
    double x;
    double y;
};
inline SeriesPlane SeriesForward(const MeridianArc& arc, double B, double l) {
    const double t = std::tan(B);
    const double c = std::cos(B);
    const double sinB = std::sin(B);
    const double eta2 = c * c * arc.ep2;
    const double N = arc.a / std::sqrt(1.0 - arc.e2 * (sinB * sinB));
    const double m = l * c;

    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double eta4 = eta2 * eta2;
    const double m2 = m * m;
    const double m3 = m2 * m;
    const double m4 = m2 * m2;
    const double m5 = m4 * m;
    const double m6 = m4 * m2;

    const double x2 = m2 / 2.0;
    const double x4 = (5.0 - t2 + 9.0 * eta2 + 4.0 * eta4) * m4 * (1.0 / 24.0);
    const double x6 = (61.0 - 58.0 * t2 + t4) * m6 * (1.0 / 720.0);
    double x = N * t * (x2 + x4 + x6);
    x += arc.s10 * std::sin(10.0 * B);
    x += arc.s8 * std::sin(8.0 * B);
    x += arc.s6 * std::sin(6.0 * B);
    x += arc.s4 * std::sin(4.0 * B);
    x += arc.s2 * std::sin(2.0 * B);
    x += arc.s0 * B;

    const double y3 = (1.0 - t2 + eta2) * m3 * (1.0 / 6.0);
    const double y5 = (5.0 - 18.0 * t2 + t4 + 14.0 * eta2 - 58.0 * eta2 * t2) * m5 * (1.0 / 120.0);
    const double y = N * (m + y3 + y5);
    return {x, y};
}

// Latitude B and longitude difference l (radians) of the point at northing X and easting y
// from the central meridian (metres), with Bf the footpoint latitude of X, t, η, N taken at Bf,
// V² = 1 + η² and n = y / N:
//   B = Bf - V² t y² / (2N²) + V² t n⁴ (5 + 3t² + η² - 9η²t²) / 24 - V² t n⁶ (61 + 90t² + 45t⁴) /
//   720 l = (n - n³ (1 + 2t² + η²) / 6 + n⁵ (5 + 28t² + 24t⁴ + 6η² + 8η²t²) / 120) / cos Bf
struct SeriesAngles {
    double B;
    double l;
};
inline SeriesAngles SeriesInverse(const MeridianArc& arc, const Footpoint& footpoint, double X,
                                  double y) {
    const double Bf = footpoint.Latitude(X);

    const double t = std::tan(Bf);
    const double c = std::cos(Bf);
    const double sinBf = std::sin(Bf);
    const double eta2 = c * c * arc.ep2;
    const double V2 = eta2 + 1.0;
    const double N = arc.a / std::sqrt(1.0 - arc.e2 * (sinBf * sinBf));

    const double n = y / N;

    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double n2 = n * n;
    const double n3 = n2 * n;
    const double n4 = n2 * n2;
    const double n5 = n4 * n;
    const double n6 = n4 * n2;

    const double b2 = V2 * t * y * y * 0.5 / (N * N);
    const double b4 = n4 * (5.0 + 3.0 * t2 + eta2 - 9.0 * eta2 * t2) * V2 * t * (1.0 / 24.0);
    const double b6 = n6 * (61.0 + 90.0 * t2 + 45.0 * t4) * V2 * t * (1.0 / 720.0);
    double B = Bf - b2;
    B += b4;
    B -= b6;

    const double l1 = y / (c * N);
    const double l3 = n3 * (1.0 + 2.0 * t2 + eta2) / (6.0 * c);
    const double l5 =
        n5 * (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * eta2 + 8.0 * eta2 * t2) / (120.0 * c);
    double l = l1 - l3;
    l += l5;
    return {B, l};
}

} // namespace detail
