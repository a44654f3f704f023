// The classical Gauss-Krüger series, the method the desktop program has always computed with
// (Method::Series). The plane coordinates are power series in m = l cos B, the longitude
// difference scaled to the parallel: x to m⁶ on top of the meridian arc, y to m⁵. The inverse
// starts from the footpoint latitude, the latitude whose meridian arc equals the northing, and
// corrects it by series in n = y / N to n⁶ (latitude) and n⁵ (longitude difference).
//
// Source: the classical transverse Mercator series as given by P. D. Thomas, "Conformal
// Projections in Geodesy and Cartography", U.S. Coast and Geodetic Survey Special Publication 251
// (1952), and in the standard geodesy textbooks that teach the Gauss projection; the meridian arc
// is the binomial expansion of its integral to e¹⁰ (the coefficients, as exact fractions, are
// derived in engine/detail/series_kernel.h).
//
// Accuracy: a tenth of a millimetre within 1° of the central meridian; the truncated series loses
// millimetres 4° out (see the README's table). Krüger's series (engine/krueger_method.h) is the
// exact method for anything wider.
//
// Every formula is evaluated in one fixed order, one statement per step where rounding order
// matters, so that the same inputs give the same bits on every build (fp-contract is off).
//
// Symbols: a semi-major axis, f flattening, e2 = e², ep2 = e'², B latitude and l longitude
// difference (radians), t = tan B, c = cos B, eta2 = η² = e'² cos² B, N radius of curvature in
// the prime vertical, m = l cos B, X northing in metres, Bf footpoint latitude, y easting from the
// central meridian, n = y / N; s(B) the meridian arc, s0 ... s10 its terms (metres).
//
// The kernels themselves live in engine/detail/series_kernel.h; Projection is the way to use
// them. What is declared here serves the tests and benchmarks that look at the arc itself.
#pragma once

#include "engine/ellipsoid.h"

// The meridian arc from the equator to latitude B (radians), metres.
double MeridianArcLength(const Ellipsoid& ellipsoid, double B);

// The footpoint latitude (radians) of a northing X (metres).
double FootpointLatitude(const Ellipsoid& ellipsoid, double X);
