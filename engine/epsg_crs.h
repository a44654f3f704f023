// EpsgCrs: the Gauss-Krüger coordinate systems of China's four geodetic datums as GIS software
// names them, by EPSG code: CGCS2000 (4491-4554), Xi'an 1980 (2327-2390), Beijing 1954
// (2401-2442, 21413-21423, 21453-21463, and the deprecated 21473-21483) and New Beijing
// (4568-4589, 4652-4656, 4766-4800, 4812, 4822). The table is data compiled in, so nothing is
// looked up at run time; tests/engine/epsg_proj_test.cpp holds every row against PROJ's database.
//
// Each datum has four families: 6° zones 13-23 with the zone number in Y, 6° zones by central
// meridian (75°E-135°E) without it, and the same for 3° zones 25-45. All have scale 1 on the
// central meridian, a false easting of 500 km (plus the zone's millions when Y carries the zone)
// and no false northing, and all list the northing first. New Beijing is a different realisation
// on the same Krassowsky ellipsoid as Beijing 1954, so for a projection the two are the same.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ellipsoid.h"
#include "engine/projection.h"
#include "engine/zone_system.h"

enum class EpsgDatum { Cgcs2000, Xian1980, Beijing1954, NewBeijing };

// The datum's name as EPSG's CRS names begin ("CGCS2000", "Xian 1980", "Beijing 1954",
// "New Beijing").
std::string_view EpsgDatumName(EpsgDatum datum);

struct EpsgCrs {
    int code;
    EpsgDatum datum;
    int zoneWidth;          // 3 or 6
    int zone;               // the zone of the system whose central meridian this is
    double centralMeridian; // degrees east
    bool prefix;            // Y carries the zone number in its millions
    double falseEasting;    // metres, not counting the zone's millions
    int replacedBy;         // for a deprecated code, the current code of the same system; else 0

    bool Deprecated() const { return replacedBy != 0; }
    const EllipsoidPreset& Preset() const; // the ellipsoid
    ZoneSystem System() const;
    // EPSG's name, e.g. "CGCS2000 / 3-degree Gauss-Kruger CM 114E".
    std::string Name() const;
    // The projection of this code with the given method.
    ProjectionParams Params(Method method = Method::Series) const;
};

// Every code, deprecated ones included, in increasing order.
std::span<const EpsgCrs> EpsgCrsTable();

// The row of this code, or nullptr.
const EpsgCrs* FindEpsgCrs(int code);

// "EPSG:4547" (any case) or "4547": the number, or nothing when the text is neither.
std::optional<int> ParseEpsgCode(std::string_view text);

// Up to count current (not deprecated) codes of the table nearest to code, nearest first (the
// lower one first on a tie): what to offer someone who typed a code the table lacks.
std::vector<int> NearestEpsgCodes(int code, std::size_t count = 3);

// The current codes whose projection is exactly this one (ellipsoid, central meridian, scale,
// false origin, zone prefix), in table order; with a zone width (3 or 6), only the codes of that
// zone system. The method plays no part. One projection may have several codes: Beijing 1954
// and New Beijing share their ellipsoid, and every 6° central meridian is also a 3° one, so a
// 6° code without the zone in Y has a 3° twin with the same definition.
std::vector<const EpsgCrs*> MatchingEpsgCrs(const ProjectionParams& params, int zoneWidth = 0);
