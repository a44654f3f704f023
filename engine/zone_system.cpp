// Zone numbering and the whole-degree zone rule.
#include "engine/zone_system.h"

std::optional<ZoneSystem> ZoneSystem::OfWidth(int width) {
    if (width == 3 || width == 6) {
        return ZoneSystem(width);
    }
    return std::nullopt;
}
