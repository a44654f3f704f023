// Cost per point of the engine: the form's BLToXY and XYToBL and the core's series forward and
// inverse in degrees, each beside its floor (the same libm calls: tan, cos, sin, sqrt and the
// sines of the meridian series, on the same points with nothing else around them), and the
// core's Krüger series beside PROJ's tmerc (its exact default) on the same points.
#include <cmath>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>
#include <proj.h>

#include "engine/detail/series_kernel.h"
#include "engine/gauss_projection.h"
#include "engine/packed_angle.h"
#include "engine/projection.h"
#include "engine/series_method.h"

namespace {

constexpr double kA = 6378137.0;
constexpr double kF = 1.0 / 298.2572235635;
constexpr int kZone = 19;
constexpr double kL0 = 111.0;

struct Point {
    double lat, lon; // decimal degrees
    double B, L;     // packed
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
            p.lat = lat(random);
            p.lon = kL0 + dlon(random);
            p.B = DegreesToPacked(p.lat);
            p.L = DegreesToPacked(p.lon);
            CGaussProjection proj;
            proj.SetAll(6, kA, kF, p.B, p.L, 0, 0);
            proj.ZoneFromL();
            proj.BLToXY();
            p.X = proj.m_X;
            p.Y = proj.m_Y;
            p.Bf = FootpointLatitude(Ellipsoid(kA, kF), p.X);
            // Count the passes as the footpoint iteration makes them.
            const detail::MeridianArc arc{Ellipsoid(kA, kF)};
            double B = 0.0;
            for (p.passes = 1;; ++p.passes) {
                const double next = p.X / arc.s0 -
                                    arc.p * arc.Bc / (arc.s0 * -2.0) * std::sin(2.0 * B) -
                                    arc.p * arc.C / (arc.s0 * 4.0) * std::sin(4.0 * B) -
                                    arc.p * arc.D / (arc.s0 * -6.0) * std::sin(6.0 * B) -
                                    arc.p * arc.E / (arc.s0 * 8.0) * std::sin(8.0 * B) -
                                    arc.p * arc.F / (arc.s0 * -10.0) * std::sin(10.0 * B);
                if (!(std::fabs(B - next) >= 1e-12) || p.passes == detail::kFootpointMaxPasses) {
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

Projection CoreProjection(Method method) {
    return Projection::ForZone(Wgs1984().ellipsoid(), ZoneSystem::Six(), kZone, method);
}

void BM_CoreForward(benchmark::State& state, Method method) {
    const std::vector<Point>& points = Points();
    const Projection projection = CoreProjection(method);
    for (auto _ : state) {
        for (const Point& p : points) {
            PlanePoint xy = projection.Forward(p.lat, p.lon);
            benchmark::DoNotOptimize(xy);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

void BM_CoreInverse(benchmark::State& state, Method method) {
    const std::vector<Point>& points = Points();
    const Projection projection = CoreProjection(method);
    for (auto _ : state) {
        for (const Point& p : points) {
            GeoPoint g = projection.Inverse(p.X, p.Y);
            benchmark::DoNotOptimize(g);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

// PROJ's transverse Mercator on the same zone (the easting without the zone prefix), one
// proj_trans call per point, angles in radians as a bare projection takes them.
class ProjTmerc {
public:
    ProjTmerc() {
        m_pj = proj_create(m_ctx, "+proj=tmerc +lat_0=0 +lon_0=111 +k=1 +x_0=500000 +y_0=0 "
                                  "+ellps=WGS84");
    }
    ~ProjTmerc() {
        proj_destroy(m_pj);
        proj_context_destroy(m_ctx);
    }
    ProjTmerc(const ProjTmerc&) = delete;
    ProjTmerc& operator=(const ProjTmerc&) = delete;
    PJ* get() const { return m_pj; }

private:
    PJ_CONTEXT* m_ctx = proj_context_create();
    PJ* m_pj = nullptr;
};

void BM_ProjTmercForward(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    const ProjTmerc tmerc;
    if (tmerc.get() == nullptr) {
        state.SkipWithError("PROJ has no tmerc");
        return;
    }
    for (auto _ : state) {
        for (const Point& p : points) {
            PJ_COORD c = proj_coord(proj_torad(p.lon), proj_torad(p.lat), 0, 0);
            c = proj_trans(tmerc.get(), PJ_FWD, c);
            benchmark::DoNotOptimize(c);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

void BM_ProjTmercInverse(benchmark::State& state) {
    const std::vector<Point>& points = Points();
    const ProjTmerc tmerc;
    if (tmerc.get() == nullptr) {
        state.SkipWithError("PROJ has no tmerc");
        return;
    }
    for (auto _ : state) {
        for (const Point& p : points) {
            PJ_COORD c = proj_coord(p.Y - kZone * 1e6, p.X, 0, 0);
            c = proj_trans(tmerc.get(), PJ_INV, c);
            benchmark::DoNotOptimize(c);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}

BENCHMARK(BM_BLToXY);
BENCHMARK(BM_BLToXY_LibmFloor);
BENCHMARK(BM_XYToBL);
BENCHMARK(BM_XYToBL_LibmFloor);
BENCHMARK_CAPTURE(BM_CoreForward, Series, Method::Series);
BENCHMARK_CAPTURE(BM_CoreInverse, Series, Method::Series);
BENCHMARK_CAPTURE(BM_CoreForward, Krueger, Method::Krueger);
BENCHMARK(BM_ProjTmercForward);
BENCHMARK_CAPTURE(BM_CoreInverse, Krueger, Method::Krueger);
BENCHMARK(BM_ProjTmercInverse);

} // namespace
