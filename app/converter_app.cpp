// The application object: start-up and the application's commands.
#include "app/converter_app.h"

#include "about/about_dlg.h"
#include "app/converter_dlg.h"
#include "res/resource.h"

CConverterApp::CConverterApp() = default;

CConverterApp::~CConverterApp() = default;

BOOL CConverterApp::InitInstance() {
    Enable3dControls();
    CConverterDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop after the form: the program ends with it.
    return FALSE;
}

BOOL CConverterApp::OnCmdMsg(UINT nID, int nCode) {
    if (nCode == 0 && nID == ID_HELP_ABOUT) {
        OnAppAbout();
        return TRUE;
    }
    if (nCode == 0 && nID == ID_HELP) {
        OnHelp();
        return TRUE;
    }
    return CWinApp::OnCmdMsg(nID, nCode);
}

void CConverterApp::OnAppAbout() {
    // A fresh box each time, so its credits start again at the first line; with no parent of
    // its own it is owned, and made modal over, by the main form.
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
