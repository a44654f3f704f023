// Build tool behind scripts/screenshot: opens the About box, lets its credits rise until the
// first lines and the top of the picture are in view, and saves the box's image to
// the PNG file named on the command line.
#include "about/about_dlg.h"
#include "platform/snapshot.h"
#include "platform/win_app.h"

#include <cstdio>

namespace {

const char* g_output = nullptr;
// Ticks after opening: the three rights lines are in view above the top of the picture,
// which has risen 59 pixels.
constexpr int kTicks = 175;

class CAboutScreenshotApp : public CWinApp {
public:
    int m_nResult = 1;
    BOOL InitInstance() override {
        CAboutDlg dlg;
        if (!dlg.Create(CAboutDlg::IDD)) {
            return FALSE;
        }
        dlg.ShowWindow(SW_SHOW);
        // Each tick is followed by the painting pass it asks for, as on the desktop.
        dlg.SendMessage(WM_PAINT);
        for (int i = 0; i < kTicks; ++i) {
            dlg.SendMessage(WM_TIMER, CAboutDlg::kCreditsTimer);
            dlg.SendMessage(WM_PAINT);
        }
        if (SaveWindowImage(dlg.m_hWnd, g_output)) {
            m_nResult = 0;
        }
        return FALSE;
    }
    int ExitInstance() override { return m_nResult; }
};

CAboutScreenshotApp theApp;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gk_about_screenshot <output.png>\n");
        return 2;
    }
    g_output = argv[1];
    const int status = AfxWinMain(argc, argv);
    if (status != 0) {
        std::fprintf(stderr, "gk_about_screenshot: cannot write %s\n", g_output);
    }
    return status;
}
