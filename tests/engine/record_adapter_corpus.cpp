// Records the adapter corpus (tests/data/adapter_corpus.txt) from the engine as built: random
// states the form can meet, for every operation of CGaussProjection, and the state each
// operation leaves. Run it once on a trusted engine; the corpus test then holds every later
// engine to those bits.
//   record_adapter_corpus > tests/data/adapter_corpus.txt
//
// Only meaningful states are recorded: a real ellipsoid, a 3° or 6° system, zones that exist
// (before and after the operation), latitudes within ±90° and longitudes the zone rule places in
// an existing zone, whether given or found by the inverse. What the form does with anything else
// is no promise worth keeping bit for bit.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "engine/packed_angle.h"
#include "engine/zone_system.h"
#include "tests/engine/adapter_corpus.h"

namespace {

constexpr int kStatesPerOperation = 400;

class States {
public:
    CGaussProjection Next() {
        CGaussProjection p;
        Ellipsoid(p);
        p.m_nZoneWidth = Chance(0.5) ? 3 : 6;
        const ZoneSystem system = p.m_nZoneWidth == 3 ? ZoneSystem::Three() : ZoneSystem::Six();
        // East longitudes whose zone exists in both systems.
        p.m_L = DegreesToPacked(Uniform(2.0, 359.999));
        p.m_B = DegreesToPacked(Uniform(-90.0, 90.0));
        // The zone of the longitude, or a neighbour as after a move into the adjacent zone.
        int zone = system.ZoneOfLongitude(p.m_L).number;
        zone += Chance(0.7) ? 0 : (Chance(0.5) ? 1 : -1);
        zone = std::max(1, std::min(zone, system.LastZone()));
        p.m_nZone = zone;
        p.m_L0 = system.CentralMeridian(zone);
        p.m_X = Uniform(-1.0e7, 1.0e7);
        // An easting of an existing zone: prefix, false easting, up to 400 km either side.
        const int yZone = std::uniform_int_distribution<int>(1, system.LastZone())(random_);
        p.m_Y = yZone * 1e6 + 5e5 + Uniform(-4e5, 4e5);
        return p;
    }

private:
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random_);
    }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }
    void Ellipsoid(CGaussProjection& p) {
        const int kind = std::uniform_int_distribution<int>(0, 7)(random_);
        const double presets[][2] = {{6378137.0, 298.2572235635},
                                     {6378140.0, 298.257},
                                     {6378245.0, 298.3},
                                     {6378137.0, 298.257222101}};
        if (kind < 4) {
            p.m_a = presets[kind][0];
            p.m_f = 1.0 / presets[kind][1];
        } else {
            p.m_a = Uniform(6.0e6, 6.5e6);
            p.m_f = 1.0 / Uniform(250.0, 320.0);
        }
    }

    std::mt19937_64 random_{20261208};
};

bool Exists(int width, int zone) {
    return (width == 3 ? ZoneSystem::Three() : ZoneSystem::Six()).Exists(zone);
}

// The operation left a state the form can show: an existing zone, a latitude within ±90°, and a
// longitude to which the zone rule gives an existing zone in both systems (2° to 361° east).
bool Meaningful(const CGaussProjection& after) {
    return Exists(after.m_nZoneWidth, after.m_nZone) &&
           std::fabs(PackedToDegrees(after.m_B)) <= 90.0 &&
           Exists(3, ZoneSystem::Three().ZoneOfLongitude(after.m_L).number) &&
           Exists(6, ZoneSystem::Six().ZoneOfLongitude(after.m_L).number);
}

} // namespace

int main() {
    States states;
    for (const char* op : corpus::kOperations) {
        for (int written = 0; written < kStatesPerOperation;) {
            CGaussProjection p = states.Next();
            const std::string before = corpus::Write(p);
            corpus::Run(p, op);
            if (!Meaningful(p)) {
                continue;
            }
            std::printf("%s %s -> %s\n", op, before.c_str(), corpus::Write(p).c_str());
            ++written;
        }
    }
    return 0;
}
