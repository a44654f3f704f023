// The application object and the program's entry.
#include "platform/win_app.h"

#include "platform/dialog_template.h"
#include "platform/fonts.h"
#include "platform/translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QTranslator>

#if defined(__i386__) && defined(__GLIBC__)
#include <fpu_control.h>
#endif

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp::CWinApp(const char* lpszAppName) {
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.GetString();
    }
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

BOOL CWinApp::InitInstance() {
    return FALSE;
}

int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::Run() {
    QApplication::exec();
    return ExitInstance();
}

BOOL CWinApp::OnCmdMsg(UINT, int) {
    return FALSE;
}

void CWinApp::OnHelp() {}

BOOL CWinApp::Enable3dControls() {
    return TRUE;
}

int AfxWinMain(int argc, char** argv) {
#if defined(__i386__) && defined(__GLIBC__)
    // The x87 unit would carry 64-bit mantissas between steps; every result must be rounded to
    // double as it is computed. (Elsewhere doubles are computed in SSE registers already.)
    fpu_control_t control = 0;
    _FPU_GETCW(control);
    control = (control & ~_FPU_EXTENDED) | _FPU_DOUBLE;
    _FPU_SETCW(control);
#endif
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    QTranslator qtTexts;
    InstallQtTranslations(qtTexts);
    CWinApp* app = AfxGetApp();
    if (!app) {
        return 1;
    }
    if (!app->m_pszAppName && FindString(AFX_IDS_APP_TITLE)) {
        app->m_strAppName = FindString(AFX_IDS_APP_TITLE);
        app->m_pszAppName = app->m_strAppName.GetString();
    }
    if (!app->m_pszAppName) {
        app->m_strAppName = QFileInfo(QString::fromLocal8Bit(argc > 0 ? argv[0] : ""))
                                .completeBaseName()
                                .toUtf8()
                                .toStdString();
        app->m_pszAppName = app->m_strAppName.GetString();
    }
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    return app->Run();
}
