// CConverterApp: the application object. It runs the main form modally and ends the program
// when the form closes; the Help menu's commands come here.
#pragma once

#include "platform/win_app.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp();
    ~CConverterApp() override;

    BOOL InitInstance() override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    // Help > About.
    void OnAppAbout();
};
