// The classical Gauss-Krüger series: the meridian arc to sin 10B, the plane coordinates as
// series in the longitude difference to its sixth power for x and its fifth for y, and the
// inverse through the footpoint latitude. Accurate to a tenth of a millimetre within 1° of the
// central meridian; its error grows to millimetres 4° out (see the README's table).
//
// These kernels take a and f unchecked and validate nothing, so that the form's engine can run
// them on whatever the user typed; Projection checks its ellipsoid before it uses them.
//
// Every formula is evaluated in one fixed order, one statement per step where rounding order
// matters, so that the same inputs give the same bits on every build (fp-contract is off).
//
// The kernels are defined here in the header so that a caller that builds its MeridianArc per
// call, as the form's engine does, gets the constructors folded into its own code and computes
// only the terms it uses. Inlining keeps each statement and its rounding as written, provided the
// caller too is compiled with contraction off, as every target of this build is.
//
// Symbols: a semi-major axis, f flattening, b semi-minor axis, e2 = e², ep2 = e'²,
// B latitude and l longitude difference (radians), t = tan B, c = cos B, eta2 = η² = e'² cos² B,
// N radius of curvature in the prime vertical, m = l cos B, X northing in metres,
// Bf footpoint latitude, y easting from the central meridian, n = y / N.
#pragma once

#include <cmath>

// b, e² and e'² from a and f.
struct EllipsoidTerms {
    double b;
    double e2;
    double ep2;
};
inline EllipsoidTerms DeriveEllipsoid(double a, double f) {
    const double b = a - f * a;
    const double a2 = a * a;
    const double b2 = b * b;
    const double e2 = (a2 - b2) / a2;
    const double ep2 = (a2 - b2) / b2;
    return {b, e2, ep2};
}

// Meridian arc s(B) = k0 B + k2 sin 2B + ... + k10 sin 10B, with the sums it is built from
// (the footpoint iteration scales those sums rather than the k's).
struct MeridianArc {
    MeridianArc(double a, double f);

    // Arc length from the equator to latitude B (radians), in metres. The terms are added from
    // the smallest (k10) to the largest (k0 B), the order the forward projection uses, so that a
    // point on the central meridian gets exactly s(B) as its northing.
    double Length(double B) const;

    double a;
    double e2;
    double ep2;
    double p; // a (1 - e²)
    double A, Bc, C, D, E, F;
    double k0, k2, k4, k6, k8, k10;
};

inline MeridianArc::MeridianArc(double a_, double f) : a(a_) {
    const EllipsoidTerms ell = DeriveEllipsoid(a, f);
    e2 = ell.e2;
    ep2 = ell.ep2;
    p = a * (1.0 - e2);
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e6 * e2;
    const double e10 = e8 * e2;
    A = 1.0 + 0.75 * e2 + 0.703125 * e4 + 0.68359375 * e6 + 0.67291259765625 * e8 +
        0.6661834716796875 * e10;
    Bc = 0.75 * e2 + 0.9375 * e4 + 1.025390625 * e6 + 1.07666015625 * e8 + 1.1103057861328125 * e10;
    C = 0.234375 * e4 + 0.41015625 * e6 + 0.538330078125 * e8 + 0.63446044921875 * e10;
    D = 0.068359375 * e6 + 0.15380859375 * e8 + 0.23792266845703125 * e10;
    E = 0.01922607421875 * e8 + 0.0528717041015625 * e10;
    F = 0.00528717041015625 * e10;
    k0 = p * A;
    k2 = -p * Bc / 2.0;
    k4 = p * C / 4.0;
    k6 = -p * D / 6.0;
    k8 = p * E / 8.0;
    k10 = -p * F / 10.0;
}

// The footpoint latitude Bf (radians) whose meridian arc equals a northing X, by fixed-point
// iteration from B = 0 until two passes agree to 1e-12 rad.
struct Footpoint {
    explicit Footpoint(const MeridianArc& arc);
    double Latitude(double X) const;

    double k0;
    double q2, q4, q6, q8, q10; // k2 / k0, ..., k10 / k0
};

double FootpointLatitude(double a, double f, double X);

// Geodetic X converges in at most 6 passes. Beyond |X| ≈ 2.6e10 m doubles can no longer resolve
// 1e-12 rad and the passes may alternate between two neighbours forever; the cap ends them.
inline constexpr int kFootpointMaxPasses = 50;

inline Footpoint::Footpoint(const MeridianArc& arc)
    : k0(arc.k0), q2(arc.p * arc.Bc / (k0 * -2.0)), q4(arc.p * arc.C / (k0 * 4.0)),
      q6(arc.p * arc.D / (k0 * -6.0)), q8(arc.p * arc.E / (k0 * 8.0)),
      q10(arc.p * arc.F / (k0 * -10.0)) {}

inline double Footpoint::Latitude(double X) const {
    const double q = X / k0;
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
// point at latitude B, longitude difference l (radians).
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
    x += arc.k10 * std::sin(10.0 * B);
    x += arc.k8 * std::sin(8.0 * B);
    x += arc.k6 * std::sin(6.0 * B);
    x += arc.k4 * std::sin(4.0 * B);
    x += arc.k2 * std::sin(2.0 * B);
    x += arc.k0 * B;

    const double y3 = (1.0 - t2 + eta2) * m3 * (1.0 / 6.0);
    const double y5 = (5.0 - 18.0 * t2 + t4 + 14.0 * eta2 - 58.0 * eta2 * t2) * m5 * (1.0 / 120.0);
    const double y = N * (m + y3 + y5);
    return {x, y};
}

// Latitude B and longitude difference l (radians) of the point at northing X and easting y
// from the central meridian (metres).
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
