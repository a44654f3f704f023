// The parameter window's costs as the point count grows: a whole fit as the window asks for it
// (both files read, the fit, the report, the places for the plot), and the plot's repaints
// drawing of every point after a new fit, and a click's pick. A fit that stays under a frame
// (16 ms) runs at once; kForegroundFitBytes is set from these figures.
#include "app/fit_backend.h"
#include "app/fit_dlg.h"
#include "app/fit_plot.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

struct Files {
    std::string source;
    std::string target;
    std::uintmax_t bytes = 0;
};

// n plane points and the same moved, turned and scaled, with millimetre residuals.
Files WritePoints(int n) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("gk_fit_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    Files files{(folder / ("a" + std::to_string(n))).string(),
                (folder / ("b" + std::to_string(n))).string()};
    std::ofstream a(files.source);
    std::ofstream b(files.target);
    for (int i = 0; i < n; ++i) {
        const double x = 3380000.0 + 97.0 * (i % 101) + 0.5 * i;
        const double y = 38500000.0 + 89.0 * (i / 101);
        const double noise = 0.001 * ((i * 7) % 5 - 2);
        char line[96];
        std::snprintf(line, sizeof line, "P%d %.4f %.4f\n", i, x, y);
        a << line;
        std::snprintf(line, sizeof line, "P%d %.4f %.4f\n", i,
                      52.3 + 1.000008 * x - 7e-5 * y + noise, -31.7 + 7e-5 * x + 1.000008 * y);
        b << line;
    }
    a.close();
    b.close();
    files.bytes =
        std::filesystem::file_size(files.source) + std::filesystem::file_size(files.target);
    return files;
}

void BM_WholeFit(benchmark::State& state) {
    const Files files = WritePoints(static_cast<int>(state.range(0)));
    FitInput input;
    input.model = FitModelChoice::Plane4;
    input.source = files.source;
    input.target = files.target;
    const FitBackend backend = CommonPointBackend();
    for (auto _ : state) {
        const FitView view = backend.compute(input);
        benchmark::DoNotOptimize(view.report.size());
    }
    state.counters["file_bytes"] = static_cast<double>(files.bytes);
}
BENCHMARK(BM_WholeFit)
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

std::vector<PlotPoint> Points(int n) {
    std::vector<PlotPoint> points;
    for (int i = 0; i < n; ++i) {
        points.push_back({97.0 * (i % 101), 89.0 * (i / 101), 0.003 * std::sin(i),
                          0.003 * std::cos(i), i % 50 != 0, i % 997 == 0});
    }
    return points;
}

// A plot of the window's size on a shown parent.
struct Plot {
    QWidget parent;
    CFitPlot plot;
    Plot() {
        parent.resize(300, 220);
        const RECT rect{0, 0, 265, 186};
        HWND hWnd =
            CreateWindowEx(0, "STATIC", "", SS_NOTIFY | WS_CHILD | WS_VISIBLE, rect, &parent, 1);
        plot.SubclassWindow(hWnd);
        parent.show();
    }
};

// What a new fit costs the plot: every point, vector and bar drawn once (into the cache a
// repaint then copies whole; a new selection only adds its ring to that copy).
void BM_PlotDrawAll(benchmark::State& state) {
    Plot p;
    const std::vector<PlotPoint> points = Points(static_cast<int>(state.range(0)));
    p.plot.SetPoints(points);
    QImage image(265, 186, QImage::Format_RGB32);
    for (auto _ : state) {
        CImageDC dc(image);
        p.plot.Draw(&dc);
    }
}
BENCHMARK(BM_PlotDrawAll)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PlotPick(benchmark::State& state) {
    Plot p;
    p.plot.SetPoints(Points(static_cast<int>(state.range(0))));
    p.plot.m_hWnd->repaint();
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PickPoint(p.plot.GetLayout(), p.plot.GetPoints(), x++ % 265, 90));
    }
}
BENCHMARK(BM_PlotPick)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                ("gk_fit_bench_" + std::to_string(getpid())));
    return 0;
}
