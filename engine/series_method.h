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
// Symbols: a semi-major axis, f flattening, b semi-minor axis, e2 = e², ep2 = e'²,
// B latitude and l longitude difference (radians), t = tan B, c = cos B, eta2 = η² = e'² cos² B,
// N radius of curvature in the prime vertical, m = l cos B, X northing in metres,
// Bf footpoint latitude, y easting from the central meridian, n = y / N.
#pragma once

// b, e² and e'² from a and f.
struct EllipsoidTerms {
    double b;
    double e2;
    double ep2;
};
EllipsoidTerms DeriveEllipsoid(double a, double f);

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

// Northing x (meridian arc included) and easting y from the central meridian, metres, of the
// point at latitude B, longitude difference l (radians).
struct SeriesPlane {
    double x;
    double y;
};
SeriesPlane SeriesForward(const MeridianArc& arc, double B, double l);

// Latitude B and longitude difference l (radians) of the point at northing X and easting y
// from the central meridian (metres).
struct SeriesAngles {
    double B;
    double l;
};
SeriesAngles SeriesInverse(const MeridianArc& arc, const Footpoint& footpoint, double X, double y);
