// Krüger's series for the transverse Mercator projection in the third flattening n, carried to
// n⁶ (the form Karney gives it in "Transverse Mercator with an accuracy of a few nanometers",
// J. Geodesy 85 (2011)). Within 6° of the central meridian it is exact to a few nanometres, far
// below a micrometre; the classical series loses millimetres there.
//
// Symbols: phi latitude, lam longitude difference (radians); tau = tan phi; taup = tan of the
// conformal latitude chi; xip, etap the spherical transverse Mercator coordinates of the
// conformal sphere (ξ', η'); xi, eta the ellipsoid's, in units of the rectifying radius A;
// alpha[j], beta[j] the forward and inverse coefficients, gamma[j] and delta[j] those of the
// geodetic to conformal latitude and back.
//
// Departures from the paper, each for speed with no loss of accuracy (a point costs one
// library sine and cosine each way; the rest is products and a few divisions):
// - the trigonometric sums are taken as sin 2ζ times a polynomial in cos 2ζ (complex ζ), so
//   they need the sine and cosine of 2ζ alone instead of six of each, and the polynomial is
//   evaluated by Estrin's scheme rather than Clenshaw's recurrence, for a shorter chain;
// - the conformal latitude comes from its own n-series (gamma) to n⁶, and the inverse returns
//   from it by another (delta), instead of tau' = tau sqrt(1 + sigma²) - sigma sqrt(1 + tau²) and
//   Newton's iteration on tau; both series are exact to far below a nanometre at n⁶;
// - the forward step takes η' as atanh(cos chi sin lam), not asinh of tan, and the double
//   angles of ξ' and η' from chi and lam over the one divisor 1 / cosh² η', with no square root
//   and no division by cos phi, so the poles need no special case;
// - ξ' and chi differ by a small angle whose tangent has an exact closed form, so within 7° of
//   the central meridian each is found from the other through that angle, not by atan2;
// - sin and cos of lam, sinh and cosh of eta, atanh for η', atan for lam and for those small
//   angles, and the sines of the series' corrections come from Taylor's series, cut where
//   less than 3e-17 rad (0.2 nm) is left out over the range they are used in; outside that
//   range (beyond 7°, or a flattening no real ellipsoid has) the library's functions.
#pragma once

#include <array>

#include "engine/ellipsoid.h"

struct KruegerTerms {
    explicit KruegerTerms(const Ellipsoid& ellipsoid);

    double A;                    // rectifying radius, metres
    std::array<double, 7> alpha; // [1..6]; [0] unused
    std::array<double, 7> beta;
    std::array<double, 7> gamma; // geodetic to conformal latitude
    std::array<double, 7> delta;
    // The same sums as polynomials in cos 2θ (see krueger_method.cpp).
    std::array<double, 6> alphaP, betaP, gammaP, deltaP;
};

// Northing x and easting y from the central meridian (metres, scale 1 on it) of the point at
// latitude phi and longitude difference lam (radians).
struct KruegerPlane {
    double x;
    double y;
};
KruegerPlane KruegerForward(const KruegerTerms& terms, double phi, double lam);

// Latitude phi and longitude difference lam (radians) of the point at northing x and easting y
// from the central meridian (metres, scale 1 on it).
struct KruegerAngles {
    double phi;
    double lam;
};
KruegerAngles KruegerInverse(const KruegerTerms& terms, double x, double y);
