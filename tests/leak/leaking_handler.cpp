// A window of the framework layer that paints text and counts timer ticks, run under
// LeakSanitizer with the project's suppressions. With --leak its own timer handler loses a block
// on every tick: the run must then report that leak (the suppressions name Qt's and the font
// libraries' own caches, not every stack that passes through Qt's event loop). Without it the
// run must be clean.
#include "platform/dc.h"
#include "platform/fonts.h"
#include "platform/static.h"
#include "platform/wnd.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Each tick's block replaces the last one here, so every earlier block is lost.
char* volatile g_pLastBlock = nullptr;

class CTickingLabel : public CStatic {
public:
    bool m_bLeak = false;
    int m_nTicks = 0;

protected:
    void OnTimer(UINT_PTR nIDEvent) override {
        if (m_bLeak) {
            char* pBlock = new char[48];
            std::memset(pBlock, 0x5a, 48);
            g_pLastBlock = pBlock;
        }
        if (++m_nTicks == 10) {
            KillTimer(nIDEvent);
            QApplication::quit();
        }
    }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.DrawText(CString("坐标 Arial"), &rc, DT_CENTER | DT_SINGLELINE);
    }
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    auto top = std::make_unique<QWidget>();
    top->resize(200, 60);
    CTickingLabel label;
    label.m_bLeak = argc > 1 && std::strcmp(argv[1], "--leak") == 0;
    HWND hwnd = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 190, 40),
                               top.get(), 100);
    if (!hwnd || !label.SubclassWindow(hwnd)) {
        return 2;
    }
    top->show();
    label.SetTimer(1, 5);
    QTimer::singleShot(10000, &app, &QApplication::quit);
    app.exec();
    return label.m_nTicks == 10 ? 0 : 3;
}
