// CWnd: a C++ window object attached to one window of the layer. Once attached it receives
// that window's messages through WindowProc, which hands each to the matching virtual handler
// (a class's message map is the set of handlers it overrides). Every handler's base version
// runs the window's own default processing, so an override that does not call the base
// consumes the message.
#pragma once

#include "platform/cstring.h"
#include "platform/win_types.h"

class CFont;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window, or a plain wrapper that lives as long as the window.
    static CWnd* FromHandle(HWND hWnd);
    // The object attached to a window, or nullptr.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Attaches, then lets the class adjust the window (PreSubclassWindow).
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    virtual void PreSubclassWindow();
    // Runs before a key message is dispatched, on the target window and then on each of its
    // parents; TRUE means the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map: calls the handler for the message; FALSE when there is none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window's own processing of a message: the widget's behaviour for the message being
    // dispatched, or the window class's handling of a message sent to it.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message currently being handled.
    LRESULT Default();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message; it is sent once the current event has been handled, and dropped if
    // the window has gone by then. Any thread may post, as long as the window exists while it
    // does: the message is sent on the window's own thread.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Command routing: WM_COMMAND arrives at OnCommand, which offers it to OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    // Message handlers; the base versions run default processing.
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnPaint();
    virtual void OnTimer(UINT_PTR nIDEvent);
    // The client area has a new size (a window with a resizable frame).
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnDestroy();
    virtual HCURSOR OnQueryDragIcon();
    // Files dropped on a window that accepts them (DragAcceptFiles).
    virtual void OnDropFiles(HDROP hDropInfo);
    // A child control's colour request (WM_CTLCOLORSTATIC with the context about to paint it):
    // the base offers it to the control's own object first (CtlColor, reflected), then to the
    // default processing. The brush returned paints the control's background; nullptr leaves
    // the control its own colours.
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // A colour request reflected back to this control by its parent; nullptr declines it.
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    // Text.
    void GetWindowText(CString& rString) const;
    CString GetWindowText() const;
    int GetWindowTextLength() const;
    void SetWindowText(const char* lpszString);

    // Identity and relations.
    int GetDlgCtrlID() const;
    CWnd* GetDlgItem(int nID) const;
    // GW_CHILD: the first child window; GW_HWNDNEXT: the next sibling, in creation order.
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwner);

    // Style bits as the window class keeps them.
    DWORD GetStyle() const;
    LONG GetWindowLong(int nIndex) const;
    LONG SetWindowLong(int nIndex, LONG dwNewLong);
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // State.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL ShowWindow(int nCmdShow);
    CWnd* SetFocus();
    // Raises the window above the others and makes it the active one.
    BOOL SetForegroundWindow();
    static CWnd* GetFocus();
    BOOL IsIconic() const;
    BOOL DestroyWindow();

    // Geometry, in pixels.
    void GetClientRect(RECT* lpRect) const;
    void GetWindowRect(RECT* lpRect) const;
    void ClientToScreen(POINT* lpPoint) const;
    void ClientToScreen(RECT* lpRect) const;
    void ScreenToClient(POINT* lpPoint) const;
    void ScreenToClient(RECT* lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    // Position (a top-level window's frame, on the screen) and size; SWP_NOSIZE and SWP_NOMOVE
    // keep either. The stacking order is the window manager's: pWndInsertAfter is not used.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    BOOL RedrawWindow(const RECT* lpRectUpdate = nullptr, void* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void UpdateWindow();
    // WM_SETREDRAW: FALSE before many changes, TRUE after them.
    void SetRedraw(BOOL bRedraw = TRUE);
    // Moves the pixels of the client area (or of lpRect) by dx, dy, clipped to lpClipRect;
    // the uncovered part becomes invalid.
    void ScrollWindow(int xAmount, int yAmount, const RECT* lpRect = nullptr,
                      const RECT* lpClipRect = nullptr);

    // Mouse capture.
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // Timers: WM_TIMER carries nIDEvent.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Icons of a top-level window.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // The font the window draws its text with (WM_SETFONT / WM_GETFONT).
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Whether files dropped on the window reach it as WM_DROPFILES.
    void DragAcceptFiles(BOOL bAccept = TRUE);

    int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);

    // The name assistive technology (a screen reader) gives the window, for a window no label
    // names: a picture, a progress bar, a text that changes.
    void SetAccessibleName(const char* lpszName);
    CString GetAccessibleName() const;

private:
    friend class WindowBridge;
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
};

// Window-system functions that are not members of a window object.
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
HWND SetCapture(HWND hWnd);
HWND GetCapture();
BOOL ReleaseCapture();
int GetSystemMetrics(int nIndex);
// SPI_GETWORKAREA only: the primary screen's area less the desktop's panels, into a RECT.
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);
// Creates a window of one of the layer's window classes ("EDIT", "BUTTON", "STATIC", "COMBOBOX",
// "SysListView32", "msctls_progress32") as a child of hWndParent; rect is in pixels of the
// parent's client area.
HWND CreateWindowEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                    DWORD dwStyle, const RECT& rect, HWND hWndParent, int nID);
