// CGaussProjection over the engine's core: packed angles in and out at this edge, the zone rule
// from ZoneSystem, every projection and zone transform from Projection and the core's zone
// transforms with the series method. The form has always carried a point between zones as
// packed angles; the core's transforms do so when asked (ZoneCarry::PackedAngles).
//
// The form validates nothing and every call must return, so what the core refuses comes out
// as non-numbers here: an ellipsoid that is not one (a not a positive length, f outside [0, 1))
// or a central meridian that is not finite gives NaN coordinates.
//
// Departures taken for robustness, none of which changes a result for real coordinates:
// - zone numbers are taken from doubles by a saturating conversion (NaN gives zone 0);
// - the zone prefix and central meridians are formed in double, so no int can overflow;
// - a zone width other than 3 follows the 6° rules, so nothing divides by a zero width.
#include "engine/gauss_projection.h"

#include <cmath>
#include <limits>
#include <optional>

#include "engine/packed_angle.h"
#include "engine/projection.h"
#include "engine/zone_system.h"
#include "engine/zone_transform.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Any width other than 3 follows the 6° rules, as the form's engine always has.
ZoneSystem SystemOfWidth(int nZoneWidth) {
    return nZoneWidth == 3 ? ZoneSystem::Three() : ZoneSystem::Six();
}

std::optional<Ellipsoid> EllipsoidOf(double a, double f) {
    if (!Ellipsoid::Check(a, f)) {
        return std::nullopt;
    }
    return Ellipsoid(a, f);
}

// Whether the core takes the form's members as a projection: an ellipsoid, and a finite
// central meridian (the rest of the form's projection is fixed and valid).
bool Projectable(const CGaussProjection& p) {
    return Ellipsoid::Check(p.m_a, p.m_f) && std::isfinite(p.m_L0);
}

// The projection the form's members describe: its central meridian m_L0 and its zone prefix
// m_nZone, each as set, whether or not they belong together. Built in place by the caller, so
// that nothing but the projection's own terms is computed per call.
ProjectionParams ParamsOf(const CGaussProjection& p) {
    return {Ellipsoid(p.m_a, p.m_f), p.m_L0, 1.0, 500000.0, 0.0, p.m_nZone, Method::Series};
}

void Store(CGaussProjection& p, const ZonedPoint& to, int nWidth) {
    p.m_nZoneWidth = nWidth;
    p.m_nZone = to.zone.number;
    p.m_L0 = to.zone.centralMeridian;
    p.m_B = DegreesToPacked(to.geo.lat);
    p.m_L = DegreesToPacked(to.geo.lon);
    p.m_X = to.plane.x;
    p.m_Y = to.plane.y;
}

// The zone transforms on an ellipsoid that is not one: the zones are found as the form always
// found them (the source zone from the easting; a NaN longitude counts as west of the central
// meridian and lies in zone 0), and nothing else is a number.
void StoreNothing(CGaussProjection& p, int nFrom, int nTo, bool adjacent) {
    p.m_nZoneWidth = nFrom;
    p.ZoneFromY();
    p.m_B = kNaN;
    p.m_L = kNaN;
    p.m_X = kNaN;
    p.m_Y = kNaN;
    if (adjacent) {
        p.m_nZone = p.m_nZone - 1;
        p.m_L0 = SystemOfWidth(nFrom).CentralMeridian(p.m_nZone);
    } else {
        p.m_nZoneWidth = nTo;
        p.ZoneFromL();
    }
}

void AdjacentZone(CGaussProjection& p, int nWidth) {
    const std::optional<Ellipsoid> ellipsoid = EllipsoidOf(p.m_a, p.m_f);
    if (!ellipsoid) {
        StoreNothing(p, nWidth, nWidth, true);
        return;
    }
    Store(p,
          ToAdjacentZone(*ellipsoid, SystemOfWidth(nWidth), Method::Series, {p.m_X, p.m_Y},
                         ZoneCarry::PackedAngles),
          nWidth);
}

void ZoneToZone(CGaussProjection& p, int nFrom, int nTo) {
    const std::optional<Ellipsoid> ellipsoid = EllipsoidOf(p.m_a, p.m_f);
    if (!ellipsoid) {
        StoreNothing(p, nFrom, nTo, false);
        return;
    }
    Store(p,
          ToZoneSystem(*ellipsoid, SystemOfWidth(nFrom), SystemOfWidth(nTo), Method::Series,
                       {p.m_X, p.m_Y}, ZoneCarry::PackedAngles),
          nTo);
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
    const Zone zone = SystemOfWidth(m_nZoneWidth).ZoneOfLongitude(m_L);
    m_nZone = zone.number;
    m_L0 = zone.centralMeridian;
}

void CGaussProjection::ZoneFromY() {
    const Zone zone = SystemOfWidth(m_nZoneWidth).ZoneOfEasting(m_Y);
    m_nZone = zone.number;
    m_L0 = zone.centralMeridian;
}

void CGaussProjection::BLToXY() {
    if (!Projectable(*this)) {
        m_X = kNaN;
        m_Y = kNaN;
        return;
    }
    const Projection projection(ParamsOf(*this));
    const PlanePoint plane = projection.Forward(PackedToDegrees(m_B), PackedToDegrees(m_L));
    m_X = plane.x;
    m_Y = plane.y;
}

void CGaussProjection::XYToBL() {
    if (!Projectable(*this)) {
        m_B = kNaN;
        m_L = kNaN;
        return;
    }
    const Projection projection(ParamsOf(*this));
    const GeoPoint geo = projection.Inverse(m_X, m_Y);
    m_B = DegreesToPacked(geo.lat);
    m_L = DegreesToPacked(geo.lon);
}

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
