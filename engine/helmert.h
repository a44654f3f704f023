// Helmert: the seven-parameter similarity transformation of geocentric coordinates (EPSG
// methods 9606 and 9607), V_T = T + (1 + s·10⁻⁶) · R · V_S, forward and its exact inverse.
// The three-parameter transformation is its translations alone.
//
// Symbols: T = (tx, ty, tz) the translation (m); rx, ry, rz the rotations about the X, Y, Z
// axes (arc-seconds in the parameters, radians inside); s the scale difference (ppm), and
// m = 1 + s·10⁻⁶ the scale factor; R the rotation matrix.
//
// The two conventions differ in the sign of the rotations only: position vector (9606) turns
// the point, coordinate frame (9607) turns the axes. In the coordinate frame convention
//   small angles (Bursa–Wolf): R = | 1   rz -ry |   exact: R = R3(rz) · R2(ry) · R1(rx), each
//                                  |-rz  1   rx |   Ri the frame rotation about axis i, whose
//                                  | ry -rx  1  |   first-order terms are the matrix beside;
// in the position vector convention R is the transpose of that. The small-angle matrix is
// the usual one (the default); the exact one is orthogonal and agrees with it to second order.
//
// The inverse undoes the forward exactly (to rounding): V_S = R⁻¹ (V_T - T) / m, with
// R⁻¹ = Rᵀ for the exact rotation and, for the small-angle one, R = I + K (K skew with axial
// vector ω): R⁻¹ = (I - K + ω ωᵀ) / (1 + |ω|²). The usual "reverse the signs" inverse is
// an approximation, off by millimetres at rotations of a few arc-seconds.
#pragma once

#include <array>
#include <optional>

#include "engine/geocentric.h"
#include "engine/problem.h"

enum class RotationConvention {
    PositionVector,  // EPSG 9606
    CoordinateFrame, // EPSG 9607
};

struct HelmertParams {
    double tx = 0.0, ty = 0.0, tz = 0.0; // metres
    double rx = 0.0, ry = 0.0, rz = 0.0; // arc-seconds
    double s = 0.0;                      // ppm
    // Needed as soon as a rotation is not zero.
    std::optional<RotationConvention> convention;
    bool exactRotation = false;

    bool HasRotation() const { return rx != 0.0 || ry != 0.0 || rz != 0.0; }
};

class Helmert {
public:
    // Whether params make a transformation: every value finite, a positive scale factor, and
    // a convention for rotations. The problem names the parameter (tx … rz, s).
    static Result<void> Check(const HelmertParams& params);

    // Takes params that Check accepts; ProblemError otherwise.
    explicit Helmert(const HelmertParams& params);

    GeocentricPoint Forward(const GeocentricPoint& source) const;
    GeocentricPoint Inverse(const GeocentricPoint& target) const;

    const HelmertParams& Params() const { return m_params; }

private:
    using Matrix = std::array<std::array<double, 3>, 3>;

    HelmertParams m_params;
    double m_m;    // scale factor 1 + s·10⁻⁶
    Matrix m_K;    // R - I: the rotation's departure from the identity
    Matrix m_Kinv; // R⁻¹ - I
};

// The rotation matrix of rx, ry, rz (radians) in the coordinate frame convention, small-angle
// or exact; the position vector matrix is its transpose. Shared with the estimation.
std::array<std::array<double, 3>, 3> HelmertRotation(double rx, double ry, double rz, bool exact);
