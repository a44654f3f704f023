// Datum change over geocentric coordinates.
#include "engine/datum_change.h"

DatumChange::DatumChange(const Ellipsoid& source, const HelmertParams& params,
                         const Ellipsoid& target)
    : m_source(source), m_helmert(params), m_target(target) {}

GeodeticPoint DatumChange::Forward(const GeodeticPoint& source) const {
    return m_target.Inverse(m_helmert.Forward(m_source.Forward(source)));
}

GeodeticPoint DatumChange::Inverse(const GeodeticPoint& target) const {
    return m_source.Inverse(m_helmert.Inverse(m_target.Forward(target)));
}
