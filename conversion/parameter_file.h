// Datum parameter files: the parameters of one transformation as JSON, read and written, and
// the same parameters as a PROJ string.
//
//   {
//     "model": "helmert7",                 helmert7, helmert3 or plane4
//     "convention": "position_vector",     or coordinate_frame; helmert7 with a rotation
//     "rotation": "small_angle",           or exact; helmert7
//     "tx_m": -15.415, "ty_m": …, "tz_m": …,              helmert7, helmert3
//     "rx_arcsec": …, "ry_arcsec": …, "rz_arcsec": …, "scale_ppm": …,   helmert7
//     "dx_m": …, "dy_m": …, "theta_arcsec": …, "scale_ppm": …,         plane4 (x north, y east)
//     "source_ellipsoid": "wgs84",         a preset's key, or {"a_m": …, "inverse_flattening": …}
//     "target_ellipsoid": {…},             (both for the Helmert models)
//     "proj": "+proj=pipeline …",          written for the reader's convenience; not read
//     "fit": {…}                           when estimated: points used and left out, m0, the
//   }                                      standard deviations, residuals and flags; not read
//
// Reading refuses, with the key at fault, anything that is not such an object: malformed or
// binary text, an unknown model, convention or ellipsoid, a key missing, a value of the wrong
// type or out of range. Files beyond kParameterFileLimit bytes or nested deeper than
// kParameterFileDepth are refused before they are parsed. The problems name the key (other),
// not the file: whoever read it names that.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common_point_fit.h"
#include "engine/ellipsoid.h"
#include "engine/problem.h"

inline constexpr std::size_t kParameterFileLimit = 16u << 20;
inline constexpr int kParameterFileDepth = 32;

// An ellipsoid as the user named it: a preset's key, or empty for one given by its numbers.
struct NamedEllipsoid {
    std::string key;
    Ellipsoid ellipsoid;
};

// A preset key ("wgs84") or "A,INVF" (inverse flattening 0 for a sphere); nothing when the text
// is neither.
std::optional<NamedEllipsoid> EllipsoidFromText(std::string_view text);

// A common point not used in a fit, and why.
struct LeftOutPoint {
    enum class Why { SourceOnly, TargetOnly, Excluded };
    std::string name;
    Why why;
};
const char* LeftOutKey(LeftOutPoint::Why why); // "source_only", "target_only", "excluded"

// The fit a parameter set came from, as written into its file.
struct FitRecord {
    CommonPointFit fit;
    std::vector<LeftOutPoint> leftOut;
};

struct DatumParameters {
    FitModel model = FitModel::Helmert7;
    HelmertParams helmert;                        // helmert7, helmert3
    PlaneSimilarityParams plane;                  // plane4
    std::optional<NamedEllipsoid> source, target; // the Helmert models
    std::optional<FitRecord> fit;                 // written only
};

bool IsHelmert(FitModel model);
const char* ModelName(FitModel model); // "helmert7", "helmert3", "plane4"
std::optional<FitModel> ModelByName(std::string_view name);

using ParameterFileOutcome = Result<DatumParameters>;

// The parameters of a file's text; the file itself (not more than kParameterFileLimit bytes
// are read from it).
ParameterFileOutcome ParseParameterText(std::string_view text);
ParameterFileOutcome ReadParameterFile(const std::string& path);

// The JSON text of the parameters (with the PROJ string and, if any, the fit), ending in a
// newline; the file written atomically. Nothing on success.
std::string ParameterText(const DatumParameters& parameters);
Result<void> WriteParameterFile(const std::string& path, const DatumParameters& parameters);

// The parameters as PROJ writes them: for plane4 the two-dimensional +proj=helmert with
// +theta (PROJ's x is the easting); for the Helmert models +proj=helmert on geocentric
// coordinates, or, with both ellipsoids, the pipeline cart → helmert → inv cart over
// longitude, latitude and height in degrees and metres.
std::string ProjString(const DatumParameters& parameters);

// The parameters as a pipeline in gkconv's own order and units, as PROJ writes an operation
// between two EPSG codes (which list latitude and northing first): for the Helmert models
// ProjString's pipeline between axisswap and unitconvert steps, reading and writing latitude,
// longitude and height in degrees and metres; for plane4 the plane step between two axisswaps,
// reading and writing northing and easting. The Helmert models need both ellipsoids.
std::string ProjPipeline(const DatumParameters& parameters);
