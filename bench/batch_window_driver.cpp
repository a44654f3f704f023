// Bench driver behind bench/batch-window.sh: converts one file through the real batch window
// (offscreen), as a click on 转换 does, and prints the seconds from the click to the summary
// and the longest and mean gaps between the window's repaints during the run.
//   gk_batch_window_driver INPUT OUTPUT
#include "app/batch_backend.h"
#include "app/batch_dlg.h"
#include "platform/fonts.h"
#include "res/resource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The times of every paint of the window or any of its controls.
class PaintClock : public QObject {
public:
    QElapsedTimer clock;
    QWidget* window = nullptr;
    std::vector<qint64> paints;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && clock.isValid()) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && (widget == window || window->isAncestorOf(widget))) {
                paints.push_back(clock.elapsed());
            }
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gk_batch_window_driver INPUT OUTPUT\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    CBatchDlg dlg(FileConversionBackend());
    if (!dlg.Create()) {
        return 1;
    }
    dlg.ShowWindow(SW_SHOW);
    dlg.m_editInput.SetWindowText(argv[1]);
    dlg.m_editOutput.SetWindowText(argv[2]);
    QApplication::processEvents();

    PaintClock paints;
    paints.window = dlg.m_hWnd;
    app.installEventFilter(&paints);
    paints.clock.start();
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BATCH_RUN, BN_CLICKED));
    while (dlg.IsRunning() || !dlg.m_btnRun.IsWindowEnabled()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    const double seconds = static_cast<double>(paints.clock.elapsed()) / 1000.0;
    app.removeEventFilter(&paints);

    qint64 longest = 0;
    for (size_t i = 1; i < paints.paints.size(); ++i) {
        longest = std::max(longest, paints.paints[i] - paints.paints[i - 1]);
    }
    const double mean = paints.paints.size() > 1
                            ? static_cast<double>(paints.paints.back() - paints.paints.front()) /
                                  static_cast<double>(paints.paints.size() - 1)
                            : 0.0;
    std::printf("window_seconds %.3f\npaints %zu\nlongest_gap_ms %lld\nmean_gap_ms %.1f\n"
                "summary %s\n",
                seconds, paints.paints.size(), static_cast<long long>(longest), mean,
                dlg.m_staticSummary.GetWindowText().str().c_str());
    return 0;
}
