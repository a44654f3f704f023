// Plane coordinates from one zone into another without the user giving latitude and longitude:
// into the neighbouring zone of the same system on the point's side of its central meridian, or
// into the zone the whole-degree rule gives the point in the other system. The source zone is
// the one named by the easting's millions; both zones carry their number in the easting.
#pragma once

#include "engine/projection.h"

// How the point's latitude and longitude travel from the source zone into the target.
enum class ZoneCarry {
    Degrees, // as the inverse gives them, to the last bit
    // Rounded through packed DDD.MMSSsss angles, as the desktop program carries them between
    // zones: the side of the central meridian, the target zone and the forward projection all
    // take the packed angles. With the series this gives the desktop program's numbers bit for
    // bit; the rounding moves a point by far less than a micrometre.
    PackedAngles,
};

struct ZonedPoint {
    PlanePoint plane; // in the target zone
    GeoPoint geo;     // the point's latitude and longitude as the inverse found them (degrees)
    Zone zone;        // the target zone
};

// A point on the central meridian goes to the eastern neighbour. The neighbour of the first or
// last zone is computed all the same (zone 0 or one past the last).
ZonedPoint ToAdjacentZone(const Ellipsoid& ellipsoid, ZoneSystem system, Method method,
                          PlanePoint from, ZoneCarry carry = ZoneCarry::Degrees);

ZonedPoint ToZoneSystem(const Ellipsoid& ellipsoid, ZoneSystem from, ZoneSystem to, Method method,
                        PlanePoint point, ZoneCarry carry = ZoneCarry::Degrees);
