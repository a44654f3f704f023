// PlaneSimilarity: the four-parameter similarity transformation of plane coordinates (EPSG
// method 9621), with x the northing and y the easting:
//   x' = Δx + m (x cos θ - y sin θ),   y' = Δy + m (x sin θ + y cos θ),   m = 1 + s·10⁻⁶,
// θ in arc-seconds (positive θ turns points clockwise as seen with east to the right), s in
// ppm; and its exact inverse.
//
// Eastings carry zone millions (38 548 244 m), so the result is formed as the point plus a
// small correction, x' = x + (Δx + c x - ms y) with c = m cos θ - 1 computed as
// s·10⁻⁶ cos θ - 2 sin²(θ/2) and ms = m sin θ, instead of as m cos θ · x: no step
// subtracts two large numbers, and the result carries only the rounding of the last sum.
#pragma once

#include <optional>

#include "engine/problem.h"
#include "engine/projection.h"

struct PlaneSimilarityParams {
    double dx = 0.0;    // metres, added to the northing
    double dy = 0.0;    // metres, added to the easting
    double theta = 0.0; // arc-seconds
    double s = 0.0;     // ppm
};

class PlaneSimilarity {
public:
    // Whether params make a transformation: every value finite and a positive scale factor.
    // The problem names the parameter (dx, dy, theta, s).
    static Result<void> Check(const PlaneSimilarityParams& params);

    // Takes params that Check accepts; ProblemError otherwise.
    explicit PlaneSimilarity(const PlaneSimilarityParams& params);

    PlanePoint Forward(const PlanePoint& source) const;
    PlanePoint Inverse(const PlanePoint& target) const;

    const PlaneSimilarityParams& Params() const { return m_params; }

private:
    PlaneSimilarityParams m_params;
    double m_m;    // 1 + s·10⁻⁶
    double m_c;    // m cos θ - 1
    double m_ms;   // m sin θ
    double m_cinv; // cos θ / m - 1
    double m_sinv; // sin θ / m
};
