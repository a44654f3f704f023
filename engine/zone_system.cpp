// Zone numbering and the zone rules by name.
#include "engine/zone_system.h"

std::optional<ZoneSystem> ZoneSystem::OfWidth(int width) {
    if (width == 3 || width == 6) {
        return ZoneSystem(width);
    }
    return std::nullopt;
}

std::optional<ZoneRule> ZoneRuleByName(std::string_view name) {
    if (name == "form") {
        return ZoneRule::WholeDegree;
    }
    if (name == "standard") {
        return ZoneRule::Standard;
    }
    return std::nullopt;
}
