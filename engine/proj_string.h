// The PROJ string of a projection, written as PROJ writes the definition of a projected CRS,
// so that a GIS can be given the same system ("+proj=tmerc +lat_0=0 +lon_0=114 +k=1 +x_0=500000
// +y_0=0 +ellps=GRS80 +units=m +no_defs"). A zone number in the easting goes into x_0. The
// ellipsoid is named where PROJ has one of exactly its size (GRS80 for CGCS2000, IAU76 for
// Xi'an 1980, krass for Beijing 1954) and given as +a and +rf otherwise: the WGS1984 preset's
// alfa, 298.2572235635, is not PROJ's WGS84 (298.257223563).
//
// A PROJ string lists easting before northing, as every PROJ string does, whatever the axis
// order of an EPSG code with the same definition.
#pragma once

#include <string>

#include "engine/projection.h"

std::string ProjString(const ProjectionParams& params);

// The ellipsoid's part alone ("+ellps=krass", "+a=6378137 +rf=298.2572235635", "+R=6371000").
std::string ProjEllipsoid(const Ellipsoid& ellipsoid);
