// Records the adapter corpus (tests/data/adapter_corpus.txt) from the engine as built: random and
// hostile states for every operation of CGaussProjection and the state each operation leaves.
// Run it once on a trusted engine; the corpus test then holds every later engine to those bits.
//   record_adapter_corpus > tests/data/adapter_corpus.txt
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "tests/engine/adapter_corpus.h"
#include "engine/packed_angle.h"

namespace {

constexpr int kRandomStatesPerOperation = 400;

class States {
public:
    CGaussProjection Next() {
        CGaussProjection p;
        Ellipsoid(p);
        p.m_nZoneWidth = Pick({3, 6, 6, 3, 0, 7});
        p.m_nZone = std::uniform_int_distribution<int>(-3, 125)(random_);
        p.m_L0 = Chance(0.5) ? (p.m_nZoneWidth == 3 ? 3.0 * p.m_nZone : 6.0 * p.m_nZone - 3.0)
                             : Uniform(-20.0, 380.0);
        p.m_B = Chance(0.1) ? Hostile() : DegreesToPacked(Uniform(-89.9, 89.9));
        p.m_L = Chance(0.1) ? Hostile() : DegreesToPacked(Uniform(-5.0, 365.0));
        p.m_X = Chance(0.1) ? Hostile() : Uniform(-1.0e7, 1.0e7);
        // Mostly eastings of a real zone (prefix, false easting, up to 400 km either side).
        p.m_Y = Chance(0.1) ? Hostile()
                            : std::floor(Uniform(0.0, 125.0)) * 1e6 + 5e5 + Uniform(-4e5, 4e5);
        return p;
    }

private:
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random_);
    }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }
    template <typename T> T Pick(std::initializer_list<T> values) {
        const auto i = std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random_);
        return values.begin()[i];
    }
    double Hostile() {
        const double inf = std::numeric_limits<double>::infinity();
        return Pick({0.0, -0.0, 90.0, -90.0, 360.0, 30.15, 30.60, 114.3, 2.6e10, -3e10, 1e30,
                     121000000.0, 999999.9, 1e300, inf, -inf,
                     std::numeric_limits<double>::quiet_NaN()});
    }
    void Ellipsoid(CGaussProjection& p) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random_);
        const double presets[][2] = {{6378137.0, 298.2572235635},
                                     {6378140.0, 298.257},
                                     {6378245.0, 298.3},
                                     {6378137.0, 298.257222101}};
        if (kind < 4) {
            p.m_a = presets[kind][0];
            p.m_f = 1.0 / presets[kind][1];
        } else if (kind < 8) {
            p.m_a = Uniform(6.0e6, 6.5e6);
            p.m_f = 1.0 / Uniform(250.0, 320.0);
        } else if (kind == 8) {
            p.m_a = 6378245.0;
            p.m_f =
                Pick({0.0, std::numeric_limits<double>::infinity(), 0.5}); // sphere, alfa 0, disc
        } else {
            p.m_a = Pick({1.0, 0.0, -6378137.0, std::numeric_limits<double>::quiet_NaN()});
            p.m_f = 1.0 / 298.3;
        }
    }

    std::mt19937_64 random_{20261208};
};

} // namespace

int main() {
    States states;
    for (const char* op : corpus::kOperations) {
        for (int i = 0; i < kRandomStatesPerOperation; ++i) {
            CGaussProjection p = states.Next();
            const std::string before = corpus::Write(p);
            corpus::Run(p, op);
            std::printf("%s %s -> %s\n", op, before.c_str(), corpus::Write(p).c_str());
        }
    }
    return 0;
}
