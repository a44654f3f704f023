// The parameter window's costs as the point count grows: a whole fit as the window asks for it
// (both files read, the fit, the report, the places for the plot), and the plot's: drawing
// every point after a new fit, a repaint, a new selection, and a click's pick. A fit that stays
// under a frame (16 ms) runs at once; kForegroundFitBytes is set from these figures.
// `fit_window_bench --plot-png FILE` writes the plot these measure instead.
#include "app/fit_backend.h"
#include "app/fit_dlg.h"
#include "app/fit_plot.h"
#include "res/resource.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPixmap>
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

// What 计算 with the same points and the same result costs the window's thread once the fit
// is done: the list brought up to date, the report shown, the plot drawn and painted.
void BM_WindowShowsFit(benchmark::State& state) {
    const Files files = WritePoints(static_cast<int>(state.range(0)));
    FitInput input;
    input.model = FitModelChoice::Plane4;
    input.source = files.source;
    input.target = files.target;
    const FitView view = CommonPointBackend().compute(input);
    FitBackend backend;
    backend.compute = [&view](const FitInput&) { return view; };
    CFitDlg dlg(backend);
    dlg.Create();
    dlg.ShowWindow(SW_SHOW);
    dlg.GetDlgItem(IDC_FIT_SOURCE)->SetWindowText(files.source.c_str());
    dlg.GetDlgItem(IDC_FIT_TARGET)->SetWindowText(files.target.c_str());
    for (auto _ : state) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIT_COMPUTE, BN_CLICKED), 0);
        dlg.FinishFit();
        dlg.m_hWnd->repaint();
        QApplication::processEvents();
    }
    dlg.DestroyWindow();
}
BENCHMARK(BM_WindowShowsFit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A point unticked or ticked again in the list, as the user does it: the new fit shown, so
// every used point's residuals change (the fit itself is done beforehand).
void BM_WindowTick(benchmark::State& state) {
    const Files files = WritePoints(static_cast<int>(state.range(0)));
    FitInput input;
    input.model = FitModelChoice::Plane4;
    input.source = files.source;
    input.target = files.target;
    const FitBackend real = CommonPointBackend();
    const FitView all = real.compute(input);
    input.exclude = {"P5"};
    const FitView without = real.compute(input);
    FitBackend backend;
    backend.compute = [&](const FitInput& asked) { return asked.exclude.empty() ? all : without; };
    CFitDlg dlg(backend);
    dlg.Create();
    dlg.ShowWindow(SW_SHOW);
    dlg.GetDlgItem(IDC_FIT_SOURCE)->SetWindowText(files.source.c_str());
    dlg.GetDlgItem(IDC_FIT_TARGET)->SetWindowText(files.target.c_str());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIT_COMPUTE, BN_CLICKED), 0);
    dlg.FinishFit();
    dlg.m_listPoints.SetItemState(5000 % state.range(0), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
    for (auto _ : state) {
        dlg.m_listPoints.SetCheck(5, !dlg.m_listPoints.GetCheck(5));
        dlg.FinishFit();
        dlg.m_hWnd->repaint();
        QApplication::processEvents();
    }
    dlg.DestroyWindow();
}
BENCHMARK(BM_WindowTick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Other points each time (files of n and of n - 1 points in turn): the list filled anew.
void BM_WindowShowsOtherPoints(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Files files[] = {WritePoints(n), WritePoints(n - 1)};
    FitView views[2];
    for (int i = 0; i < 2; ++i) {
        FitInput input;
        input.model = FitModelChoice::Plane4;
        input.source = files[i].source;
        input.target = files[i].target;
        views[i] = CommonPointBackend().compute(input);
    }
    int next = 0;
    FitBackend backend;
    backend.compute = [&](const FitInput&) { return views[next]; };
    CFitDlg dlg(backend);
    dlg.Create();
    dlg.ShowWindow(SW_SHOW);
    dlg.GetDlgItem(IDC_FIT_SOURCE)->SetWindowText(files[0].source.c_str());
    dlg.GetDlgItem(IDC_FIT_TARGET)->SetWindowText(files[0].target.c_str());
    for (auto _ : state) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIT_COMPUTE, BN_CLICKED), 0);
        dlg.FinishFit();
        dlg.m_hWnd->repaint();
        QApplication::processEvents();
        next = 1 - next;
    }
    dlg.DestroyWindow();
}
BENCHMARK(BM_WindowShowsOtherPoints)->Arg(10000)->Unit(benchmark::kMillisecond);

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

// The plot's paint handler into an image of its size, as a paint event of the window runs it.
void Paint(Plot& p, QImage& image) {
    p.plot.m_hWnd->render(&image);
}

// A repaint with nothing changed (another window passing over): the cached drawing copied,
// the selection drawn on it.
void BM_PlotRepaint(benchmark::State& state) {
    Plot p;
    p.plot.SetPoints(Points(static_cast<int>(state.range(0))));
    QImage image(265, 186, QImage::Format_RGB32);
    Paint(p, image);
    for (auto _ : state) {
        Paint(p, image);
    }
}
BENCHMARK(BM_PlotRepaint)->Arg(10000)->Unit(benchmark::kMillisecond);

// Another point selected (a click, an arrow key, a row chosen in the list) and painted.
void BM_PlotSelectionChange(benchmark::State& state) {
    Plot p;
    const int n = static_cast<int>(state.range(0));
    p.plot.SetPoints(Points(n));
    QImage image(265, 186, QImage::Format_RGB32);
    Paint(p, image);
    int next = 0;
    for (auto _ : state) {
        p.plot.SetCurSel(next);
        next = (next + 37) % n;
        Paint(p, image);
    }
}
BENCHMARK(BM_PlotSelectionChange)->Arg(10000)->Unit(benchmark::kMillisecond);

// A point ticked or unticked: the new fit's points drawn anew and painted.
void BM_PlotNewFit(benchmark::State& state) {
    Plot p;
    const int n = static_cast<int>(state.range(0));
    std::vector<PlotPoint> points = Points(n);
    QImage image(265, 186, QImage::Format_RGB32);
    int left = 0;
    for (auto _ : state) {
        points[static_cast<size_t>(left)].used = !points[static_cast<size_t>(left)].used;
        left = (left + 101) % n;
        p.plot.SetPoints(points);
        Paint(p, image);
    }
}
BENCHMARK(BM_PlotNewFit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

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

// The drawing the plot benchmarks measure, with a point selected, as a picture: compare it
// before and after a change to how the plot draws.
int SavePlot(const char* file) {
    Plot p;
    p.plot.SetPoints(Points(10000));
    p.plot.SetCurSel(4321);
    return p.plot.m_hWnd->grab().save(QString::fromUtf8(file)) ? 0 : 1;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--plot-png") {
        return SavePlot(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                ("gk_fit_bench_" + std::to_string(getpid())));
    return 0;
}
