// Zone transforms over the projection value: inverse in the source zone, forward in the target.
#include "engine/zone_transform.h"

ZonedPoint ToAdjacentZone(const Ellipsoid& ellipsoid, ZoneSystem system, Method method,
                          PlanePoint from) {
    const Zone source = system.ZoneOfEasting(from.y);
    const GeoPoint geo =
        Projection::ForZone(ellipsoid, system, source.number, method).Inverse(from.x, from.y);
    const int number =
        geo.lon - source.centralMeridian >= 0.0 ? source.number + 1 : source.number - 1;
    const Zone target{number, system.CentralMeridian(number)};
    const PlanePoint plane =
        Projection::ForZone(ellipsoid, system, number, method).Forward(geo.lat, geo.lon);
    return {plane, geo, target};
}

ZonedPoint ToZoneSystem(const Ellipsoid& ellipsoid, ZoneSystem from, ZoneSystem to, Method method,
                        PlanePoint point) {
    const Zone source = from.ZoneOfEasting(point.y);
    const GeoPoint geo =
        Projection::ForZone(ellipsoid, from, source.number, method).Inverse(point.x, point.y);
    const Zone target = to.ZoneOfLongitude(geo.lon);
    const PlanePoint plane =
        Projection::ForZone(ellipsoid, to, target.number, method).Forward(geo.lat, geo.lon);
    return {plane, geo, target};
}
