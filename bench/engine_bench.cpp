// Cost per point of BLToXY and XYToBL, each beside its floor: the same libm calls (tan, cos,
// sin, sqrt and the sines of the meridian series) on the same points with nothing else around
// them. The ratio of the two is the engine's own overhead.
#include <cmath>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "gauss_projection.h"
#include "packed_angle.h"
#include "series_method.h"

namespace {

constexpr double kA = 6378137.0;
constexpr double kF = 1.0 / 298.2572235635;
constexpr int kZone = 19;
constexpr double kL0 = 111.0;

struct Point {
    double B, L; // packed
    double X, Y;
    double Bf;  // footpoint latitude, radians
    int passes; // footpoint iterations this X takes
};

const std::vector<Point>& Points() {
    static const std::vector<Point> points = [] {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> lat(18.0, 54.0);
        std::uniform_real_distribution<double> dlon(-2.99, 2.99);
        std::vector<Point> result;
        for (int i = 0; i < 4096; ++i) {
            Point p{};
            p.B = DegreesToPacked(lat(random));
            p.L = DegreesToPacked(kL0 + dlon(random));
            CGaussProjection proj;
            proj.SetAll(6, kA, kF, p.B, p.L, 0, 0);
            proj.ZoneFromL();
            proj.BLToXY();
            p.X = proj.m_X;
            p.Y = proj.m_Y;
            p.Bf = FootpointLatitude(kA, kF, p.X);
            // Count the passes as the footpoint iteration makes them.
            const MeridianArc arc(kA, kF);
            double B = 0.0;
            for (p.passes = 1;; ++p.passes) {
                const double next = p.X / arc.k0 -
                                    arc.p * arc.Bc / (arc.k0 * -2.0) * std::sin(2.0 * B) -
                                    arc.p * arc.C / (arc.k0 * 4.0) * std::sin(4.0 * B) -
                                    arc.p * arc.D / (arc.k0 * -6.0) * std::sin(6.0 * B) -
                                    arc.p * arc.E / (arc.k0 * 8.0) * std::sin(8.0 * B) -
                                    arc.p * arc.F / (arc.k0 * -10.0) * std::sin(10.0 * B);
                if (!(std::fabs(B - next) >= 1e-12) || p.passes == kFootpointMaxPasses) {
                    break;
                }
                B = next;
            }
            result.push_back(p);
        }
        return result;
    }();
    return points;
}

void BM_BLToXY(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    CGaussProjection proj;
    proj.SetAll(6, kA, kF, 0, 0, 0, 0);
    proj.m_nZone = kZone;
    proj.m_L0 = kL0;
    for (auto _ : state) {
        for (const Point& p : points) {
            proj.m_B = p.B;
            proj.m_L = p.L;
            proj.BLToXY();
            benchmark::DoNotOptimize(proj.m_X);
            benchmark::DoNotOptimize(proj.m_Y);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

void BM_BLToXY_LibmFloor(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    const double toRad = std::acos(-1.0) / 180.0;
    for (auto _ : state) {
        for (const Point& p : points) {
            double B = p.B * toRad; // an argument of the right size; its value does not matter
            benchmark::DoNotOptimize(B);
            double r = std::tan(B) + std::cos(B) + std::sqrt(1.0 - std::sin(B));
            r += std::sin(2.0 * B) + std::sin(4.0 * B) + std::sin(6.0 * B) + std::sin(8.0 * B) +
                 std::sin(10.0 * B);
            benchmark::DoNotOptimize(r);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

void BM_XYToBL(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    CGaussProjection proj;
    proj.SetAll(6, kA, kF, 0, 0, 0, 0);
    proj.m_nZone = kZone;
    proj.m_L0 = kL0;
    for (auto _ : state) {
        for (const Point& p : points) {
            proj.m_X = p.X;
            proj.m_Y = p.Y;
            proj.XYToBL();
            benchmark::DoNotOptimize(proj.m_B);
            benchmark::DoNotOptimize(proj.m_L);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

void BM_XYToBL_LibmFloor(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    for (auto _ : state) {
        for (const Point& p : points) {
            double B = p.Bf;
            double r = 0.0;
            for (int pass = 0; pass < p.passes; ++pass) {
                benchmark::DoNotOptimize(B);
                r += std::sin(2.0 * B) + std::sin(4.0 * B) + std::sin(6.0 * B) + std::sin(8.0 * B) +
                     std::sin(10.0 * B);
            }
            r += std::tan(B) + std::cos(B) + std::sqrt(1.0 - std::sin(B));
            benchmark::DoNotOptimize(r);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

BENCHMARK(BM_BLToXY);
BENCHMARK(BM_BLToXY_LibmFloor);
BENCHMARK(BM_XYToBL);
BENCHMARK(BM_XYToBL_LibmFloor);

} // namespace
