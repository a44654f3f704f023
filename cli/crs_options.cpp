// --crs, --zone-rule and describe.
#include "cli/crs_options.h"

#include "cli/english_words.h"
#include "conversion/crs_settings.h"
#include "engine/epsg_crs.h"
#include "engine/proj_string.h"

namespace {

std::string CodeText(int code) {
    return "EPSG:" + std::to_string(code);
}

// The refusal of a code outside the table, naming the nearest codes in it.
Problem UnknownCode(int code) {
    std::string nearest;
    for (const int other : NearestEpsgCodes(code)) {
        nearest += (nearest.empty() ? "" : ", ") + CodeText(other);
    }
    return Problem{.code = ProblemCode::CrsUnknown, .other = nearest, .value = double(code)};
}

// The first option given that says otherwise than the code, or nothing.
std::optional<std::string> Differing(const EpsgCrs& crs, const CLI::App& app, const Settings& s) {
    // A zone change's code is its target: only the ellipsoid is shared with the source, and
    // the projection options are refused there as always.
    const bool projects = s.operation == Operation::Forward || s.operation == Operation::Inverse;
    const EllipsoidPreset& preset = crs.Preset();
    const bool sameEllipsoid = s.ellipsoid.a() == preset.a && s.ellipsoid.f() == preset.f();
    struct Check {
        const char* option;
        bool differs;
    };
    const Check checks[] = {
        {"--zone-width", projects && s.zoneWidth != crs.zoneWidth},
        {"--ellipsoid", !sameEllipsoid},
        {"--a", !sameEllipsoid},
        {"--central-meridian", projects && s.centralMeridian != crs.centralMeridian},
        {"--zone", projects && s.zone != crs.zone},
        {"--no-prefix", projects && crs.prefix},
        {"--scale", projects && s.k0 != 1.0},
        {"--false-easting", projects && s.falseEasting != crs.falseEasting},
        {"--false-northing", projects && s.falseNorthing != 0.0},
    };
    for (const Check& check : checks) {
        if (check.differs && app.count(check.option) > 0) {
            return std::string(check.option);
        }
    }
    return std::nullopt;
}

} // namespace

void AddCrsOptions(CLI::App& app, CrsOptions& o) {
    app.add_option("--crs", o.crs,
                   "EPSG:NNNN: the projection of an EPSG code (CGCS2000, Xi'an 1980, Beijing "
                   "1954, New Beijing Gauss-Krueger), or the target zone of 3to6 and 6to3; the "
                   "options it sets may be left out");
    app.add_option("--zone-rule", o.zoneRule,
                   "form (default) or standard: how forward, 3to6 and 6to3 find a point's zone; "
                   "114d30'E is 6-degree zone 19 by the form's whole-degree rule, 20 by the "
                   "standard division of the EPSG codes")
        ->check(CLI::IsMember({"form", "standard"}));
}

bool CrsGiven(const CLI::App& app) {
    return app.count("--crs") > 0;
}

Result<void> ApplyCrsOptions(const CrsOptions& o, const CLI::App& app, Settings& s) {
    s.zoneRule = *ZoneRuleByName(o.zoneRule);
    if (!CrsGiven(app)) {
        return {};
    }
    const std::optional<int> code = ParseEpsgCode(o.crs);
    if (!code) {
        return Problem{.code = ProblemCode::CrsNotACode, .text = o.crs};
    }
    const EpsgCrs* crs = FindEpsgCrs(*code);
    if (crs == nullptr) {
        return UnknownCode(*code);
    }
    if (s.operation == Operation::Adjacent) {
        return Problem{.code = ProblemCode::CrsNotForOperation, .other = CodeText(*code)};
    }
    if (s.operation == Operation::ThreeToSix || s.operation == Operation::SixToThree) {
        const int width = s.operation == Operation::ThreeToSix ? 6 : 3;
        if (crs->zoneWidth != width) {
            return Problem{.code = ProblemCode::CrsTargetWidth,
                           .text = s.operation == Operation::ThreeToSix ? "3to6" : "6to3",
                           .other = CodeText(*code),
                           .width = width};
        }
    }
    if (const std::optional<std::string> option = Differing(*crs, app, s)) {
        return Problem{
            .code = ProblemCode::CrsOptionDiffers, .text = *option, .other = CodeText(*code)};
    }
    if (crs->Deprecated()) {
        std::fprintf(stderr, "gkconv: %s\n",
                     English(Problem{.code = ProblemCode::CrsDeprecated,
                                     .text = CodeText(*code),
                                     .other = CodeText(crs->replacedBy)})
                         .c_str());
    }
    ApplyCrs(*crs, s);
    return {};
}

void Describe(const Settings& s, std::FILE* out) {
    const ProjectionDescription d = DescribeProjection(s);
    if (d.params) {
        std::fprintf(out, "%s\n", ProjString(*d.params).c_str());
        for (const EpsgCrs* crs : d.codes) {
            std::fprintf(out, "%s  %s\n", CodeText(crs->code).c_str(), crs->Name().c_str());
        }
        if (d.codes.empty()) {
            std::fprintf(out, "no EPSG code has this projection\n");
        }
        return;
    }
    const ZoneSystem system = OutputZoneSystem(s);
    std::fprintf(out, "each point in its own %d-degree zone, by the %s; one line per zone:\n",
                 system.Width(),
                 s.zoneRule == ZoneRule::Standard ? "standard division (--zone-rule standard)"
                                                  : "whole-degree rule (--zone-rule form)");
    for (const EpsgCrs* crs : d.codes) {
        std::fprintf(out, "zone %d  %s  %s\n", crs->zone, CodeText(crs->code).c_str(),
                     ProjString(ProjectionParamsOf(s, crs->centralMeridian, crs->zone)).c_str());
    }
    if (d.codes.empty()) {
        std::fprintf(out, "no EPSG codes on this ellipsoid; --zone N gives zone N's PROJ string\n");
    }
}
