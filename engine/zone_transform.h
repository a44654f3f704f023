// Plane coordinates from one zone into another without the user giving latitude and longitude:
// into the neighbouring zone of the same system on the point's side of its central meridian, or
// into the zone the other system's rule (whole-degree or standard) gives the point. The source
// zone is the one named by the easting's millions; both zones carry their number in the easting.
#pragma once

#include "engine/projection.h"

struct ZonedPoint {
    PlanePoint plane; // in the target zone
    GeoPoint geo;     // the point's latitude and longitude, found on the way
    Zone zone;        // the target zone
};

// A point on the central meridian goes to the eastern neighbour. The neighbour of the first or
// last zone is computed all the same (zone 0 or one past the last).
ZonedPoint ToAdjacentZone(const Ellipsoid& ellipsoid, ZoneSystem system, Method method,
                          PlanePoint from);

ZonedPoint ToZoneSystem(const Ellipsoid& ellipsoid, ZoneSystem from, ZoneSystem to, Method method,
                        PlanePoint point);
