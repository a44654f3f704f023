// Build tool behind scripts/screenshot: opens the main form as the program does and saves its
// image, menu bar included, to the PNG file named on the command line.
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "platform/snapshot.h"

#include <cstdio>

namespace {

const char* g_output = nullptr;

class CScreenshotApp : public CConverterApp {
public:
    int m_nResult = 1;
    BOOL InitInstance() override {
        CConverterDlg dlg;
        m_pMainWnd = &dlg;
        if (dlg.Create() && SaveWindowImage(dlg.m_hWnd, g_output)) {
            m_nResult = 0;
        }
        m_pMainWnd = nullptr;
        return FALSE;
    }
    int ExitInstance() override { return m_nResult; }
};

CScreenshotApp theApp;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gk_screenshot <output.png>\n");
        return 2;
    }
    g_output = argv[1];
    const int status = AfxWinMain(argc, argv);
    if (status != 0) {
        std::fprintf(stderr, "gk_screenshot: cannot write %s\n", g_output);
    }
    return status;
}
