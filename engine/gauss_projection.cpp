// CGaussProjection over the engine's core: packed angles in and out at this edge, the zone rule
// from ZoneSystem, the classical series from series_method. Every step keeps the order of
// rounding the form has always had, so each operation gives the same bits as before.
//
// Departures taken for robustness, none of which changes a result for real coordinates:
// - zone numbers are taken from doubles by a saturating conversion (NaN gives zone 0);
// - the zone prefix and central meridians are formed in double, so no int can overflow;
// - a zone width other than 3 follows the 6° rules, so nothing divides by a zero width.
#include "engine/gauss_projection.h"

#include <cmath>

#include "engine/packed_angle.h"
#include "engine/series_method.h"
#include "engine/zone_system.h"

namespace {

const double kPi = std::acos(-1.0);

// Any width other than 3 follows the 6° rules, as the form's engine always has. Each branch
// names its system outright, so the rule is compiled for a known width: its divisions by the
// width become multiplications.
Zone ZoneOfLongitude(int nZoneWidth, double L) {
    return nZoneWidth == 3 ? ZoneSystem::Three().ZoneOfLongitude(L)
                           : ZoneSystem::Six().ZoneOfLongitude(L);
}

Zone ZoneOfEasting(int nZoneWidth, double Y) {
    return nZoneWidth == 3 ? ZoneSystem::Three().ZoneOfEasting(Y)
                           : ZoneSystem::Six().ZoneOfEasting(Y);
}

} // namespace

void CGaussProjection::SetAll(int nZoneWidth, double a, double f, double B, double L, double X,
                              double Y) {
    m_nZoneWidth = nZoneWidth;
    m_a = a;
    m_f = f;
    m_B = B;
    m_L = L;
    m_X = X;
    m_Y = Y;
    m_L0 = 0.0;
}

void CGaussProjection::ZoneFromL() {
    const Zone zone = ZoneOfLongitude(m_nZoneWidth, m_L);
    m_nZone = zone.number;
    m_L0 = zone.centralMeridian;
}

void CGaussProjection::ZoneFromY() {
    const Zone zone = ZoneOfEasting(m_nZoneWidth, m_Y);
    m_nZone = zone.number;
    m_L0 = zone.centralMeridian;
}

void CGaussProjection::BLToXY() {
    const MeridianArc arc(m_a, m_f);
    const double Bdeg = PackedToDegrees(m_B);
    const double Ldeg = PackedToDegrees(m_L);
    const double B = Bdeg * kPi * (1.0 / 180.0);
    const double l = (Ldeg - m_L0) * kPi * (1.0 / 180.0);
    const SeriesPlane plane = SeriesForward(arc, B, l);
    double Y = plane.y;
    Y += static_cast<double>(m_nZone) * 1000000.0;
    Y += 500000.0;
    m_X = plane.x;
    m_Y = Y;
}

void CGaussProjection::XYToBL() {
    const MeridianArc arc(m_a, m_f);
    const double y = (m_Y - static_cast<double>(m_nZone) * 1000000.0) - 500000.0;
    const SeriesAngles angles = SeriesInverse(arc, Footpoint(arc), m_X, y);
    const double Bdeg = angles.B * 180.0 / kPi;
    const double Ldeg = angles.l * 180.0 / kPi + m_L0;
    m_B = DegreesToPacked(Bdeg);
    m_L = DegreesToPacked(Ldeg);
}

namespace {

void AdjacentZone(CGaussProjection& p, int nWidth) {
    p.m_nZoneWidth = nWidth;
    p.ZoneFromY();
    p.XYToBL();
    // The central meridian is whole degrees, so the packed difference has the true sign.
    if (p.m_L - p.m_L0 >= 0.0) {
        p.m_nZone = p.m_nZone + 1;
        p.m_L0 = p.m_L0 + p.m_nZoneWidth;
    } else {
        p.m_nZone = p.m_nZone - 1;
        p.m_L0 = p.m_L0 - p.m_nZoneWidth;
    }
    p.BLToXY();
}

void ZoneToZone(CGaussProjection& p, int nFrom, int nTo) {
    p.m_nZoneWidth = nFrom;
    p.ZoneFromY();
    p.XYToBL();
    p.m_nZoneWidth = nTo;
    p.ZoneFromL();
    p.BLToXY();
}

} // namespace

void CGaussProjection::AdjacentZone3() {
    AdjacentZone(*this, 3);
}
void CGaussProjection::AdjacentZone6() {
    AdjacentZone(*this, 6);
}
void CGaussProjection::Zone3To6() {
    ZoneToZone(*this, 3, 6);
}
void CGaussProjection::Zone6To3() {
    ZoneToZone(*this, 6, 3);
}
