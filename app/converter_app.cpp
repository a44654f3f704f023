// The application object: start-up and the application's commands.
#include "app/converter_app.h"

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

void CConverterApp::OnAppAbout() {}
