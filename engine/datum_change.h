// DatumChange: geodetic coordinates on one datum to another: the source ellipsoid's geocentric
// coordinates, the Helmert transformation, and the target ellipsoid's geodetic coordinates.
// A point given without a height is taken at height 0.
#pragma once

#include "engine/geocentric.h"
#include "engine/helmert.h"

class DatumChange {
public:
    // params must be accepted by Helmert::Problem.
    DatumChange(const Ellipsoid& source, const HelmertParams& params, const Ellipsoid& target);

    GeodeticPoint Forward(const GeodeticPoint& source) const;
    // Undoes Forward: target ellipsoid, inverse Helmert, source ellipsoid.
    GeodeticPoint Inverse(const GeodeticPoint& target) const;

    const Geocentric& SourceGeocentric() const { return m_source; }
    const Geocentric& TargetGeocentric() const { return m_target; }
    const Helmert& Transformation() const { return m_helmert; }

private:
    Geocentric m_source;
    Helmert m_helmert;
    Geocentric m_target;
};
