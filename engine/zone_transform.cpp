// Zone transforms over the projection value: inverse in the source zone, forward in the target.
#include "engine/zone_transform.h"

#include "engine/packed_angle.h"

namespace {

// The point as it reaches the target zone, in the units the zone rule and the side test read:
// decimal degrees, or packed angles (whose whole degrees the zone rule reads alike).
struct Carried {
    GeoPoint rule;    // what the side test and the zone rule read
    GeoPoint forward; // what the forward projection takes, decimal degrees
};

Carried Carry(const GeoPoint& geo, ZoneCarry carry) {
    if (carry == ZoneCarry::Degrees) {
        return {geo, geo};
    }
    const GeoPoint packed{DegreesToPacked(geo.lat), DegreesToPacked(geo.lon)};
    return {packed, {PackedToDegrees(packed.lat), PackedToDegrees(packed.lon)}};
}

} // namespace

ZonedPoint ToAdjacentZone(const Ellipsoid& ellipsoid, ZoneSystem system, Method method,
                          PlanePoint from, ZoneCarry carry) {
    const Zone source = system.ZoneOfEasting(from.y);
    const GeoPoint geo =
        Projection::ForZone(ellipsoid, system, source.number, method).Inverse(from.x, from.y);
    const Carried point = Carry(geo, carry);
    // The central meridian is whole degrees, so a packed difference has the true sign too.
    const int number = point.rule.lon - source.centralMeridian >= 0.0 ? source.number + 1
                                                                      : source.number - 1;
    const Zone target{number, system.CentralMeridian(number)};
    const PlanePoint plane = Projection::ForZone(ellipsoid, system, number, method)
                                 .Forward(point.forward.lat, point.forward.lon);
    return {plane, geo, target};
}

ZonedPoint ToZoneSystem(const Ellipsoid& ellipsoid, ZoneSystem from, ZoneSystem to, Method method,
                        PlanePoint point, ZoneCarry carry) {
    const Zone source = from.ZoneOfEasting(point.y);
    const GeoPoint geo =
        Projection::ForZone(ellipsoid, from, source.number, method).Inverse(point.x, point.y);
    const Carried carried = Carry(geo, carry);
    const Zone target = to.ZoneOfLongitude(carried.rule.lon);
    const PlanePoint plane = Projection::ForZone(ellipsoid, to, target.number, method)
                                 .Forward(carried.forward.lat, carried.forward.lon);
    return {plane, geo, target};
}
