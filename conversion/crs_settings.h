// Settings in EPSG's terms: the projection an EPSG code sets, and the codes that name the
// projection the settings describe. gkconv's --crs and describe and the batch window's EPSG
// field share these, so both read and show a code alike.
#pragma once

#include <optional>
#include <vector>

#include "conversion/settings.h"
#include "engine/epsg_crs.h"

// Sets what the code fixes: the ellipsoid, the zone system, the central meridian and, for a
// code with the zone in Y, that zone (prefix); scale 1, false easting 500 km, no false northing.
// For 3to6 and 6to3 the code is the target instead: the ellipsoid, and the zone every point goes
// into with or without its number in Y; the caller has checked that the code is of the target
// system. The operation, method and everything about records stay as they were.
void ApplyCrs(const EpsgCrs& crs, Settings& settings);

// The zone system the settings write their plane coordinates in: the operation's own, or the
// target system of a zone change.
ZoneSystem OutputZoneSystem(const Settings& settings);

struct ProjectionDescription {
    // The projection every point goes into, when the settings fix one (a zone or a meridian of
    // one's own); nothing when each point goes into its own zone.
    std::optional<ProjectionParams> params;
    // With a fixed projection, the current codes of exactly that projection; otherwise the codes
    // of the output's zone system on the settings' ellipsoid with the zone in Y, one per zone
    // (none unless scale and false origin are the zones' own). In table order.
    std::vector<const EpsgCrs*> codes;
};

ProjectionDescription DescribeProjection(const Settings& settings);
