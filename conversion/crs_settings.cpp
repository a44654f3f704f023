// EPSG codes applied to settings, and settings described by EPSG codes.
#include "conversion/crs_settings.h"

void ApplyCrs(const EpsgCrs& crs, Settings& s) {
    s.ellipsoid = crs.Preset().ellipsoid();
    if (s.operation == Operation::ThreeToSix || s.operation == Operation::SixToThree) {
        s.targetZone = crs.zone;
        s.targetPrefix = crs.prefix;
        return;
    }
    s.zoneWidth = crs.zoneWidth;
    s.centralMeridian = crs.centralMeridian;
    s.zone = crs.prefix ? std::optional<int>(crs.zone) : std::nullopt;
    s.prefix = crs.prefix;
    s.k0 = 1.0;
    s.falseEasting = crs.falseEasting;
    s.falseNorthing = 0.0;
}

ZoneSystem OutputZoneSystem(const Settings& s) {
    switch (s.operation) {
    case Operation::ThreeToSix:
        return ZoneSystem::Six().WithRule(s.zoneRule);
    case Operation::SixToThree:
        return ZoneSystem::Three().WithRule(s.zoneRule);
    default:
        return SourceZoneSystem(s);
    }
}

ProjectionDescription DescribeProjection(const Settings& s) {
    ProjectionDescription description;
    const ZoneSystem system = OutputZoneSystem(s);
    if (s.targetZone) {
        description.params = ProjectionParamsOf(s, system.CentralMeridian(*s.targetZone),
                                                s.targetPrefix ? s.targetZone : std::nullopt);
        description.codes = MatchingEpsgCrs(*description.params, system.Width());
        return description;
    }
    const bool projects = s.operation == Operation::Forward || s.operation == Operation::Inverse;
    const std::optional<int> zone = projects ? FixedZone(s) : std::nullopt;
    if (projects && (zone || s.centralMeridian)) {
        const double centralMeridian = zone ? system.CentralMeridian(*zone) : *s.centralMeridian;
        description.params = ProjectionParamsOf(s, centralMeridian, s.prefix ? zone : std::nullopt);
        // Without the zone in Y a meridian of one's own belongs to no system, and every 6°
        // meridian is a 3° one too: the width decides only where a zone was named.
        description.codes = MatchingEpsgCrs(*description.params, s.zone ? system.Width() : 0);
        return description;
    }
    if (s.k0 != 1.0 || s.falseNorthing != 0.0 || !s.prefix) {
        return description;
    }
    for (const EpsgCrs& crs : EpsgCrsTable()) {
        const EllipsoidPreset& preset = crs.Preset();
        if (!crs.Deprecated() && crs.prefix && crs.zoneWidth == system.Width() &&
            crs.falseEasting == s.falseEasting && preset.a == s.ellipsoid.a() &&
            preset.f() == s.ellipsoid.f()) {
            description.codes.push_back(&crs);
        }
    }
    return description;
}
