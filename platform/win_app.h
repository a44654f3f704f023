// CWinApp: the one application object. The program defines one global instance of a class
// derived from it; AfxWinMain then creates the window system, calls InitInstance and, if that
// returns TRUE, runs the message loop.
#pragma once

#include "platform/wnd.h"

class CWinApp {
public:
    // nullptr takes the program's title from its string table (AFX_IDS_APP_TITLE), or else
    // the name of the executable.
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the program without a message loop.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop; returns the exit code.
    virtual int Run();

    // Commands that no window handled (menu items, buttons); TRUE when handled here. The base
    // handles none: a derived application routes its commands, ID_HELP to OnHelp among them.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);
    // The standard help command; the program carries no help content, so it does nothing.
    void OnHelp();

    // Three-dimensional control looks: the window system's controls always have them.
    BOOL Enable3dControls();
    // Resources compiled into the program, by id.
    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadCursor(UINT nIDResource) const;

    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName = nullptr;

private:
    CString m_strAppName;
    friend int AfxWinMain(int argc, char** argv);
};

// The application object, or nullptr when none exists.
CWinApp* AfxGetApp();

// The program's entry: window system, fonts, InitInstance, message loop, ExitInstance.
int AfxWinMain(int argc, char** argv);
