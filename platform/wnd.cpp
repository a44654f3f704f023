// CWnd: attachment, message dispatch, default processing and the window operations.
#include "platform/wnd.h"

#include "platform/private/capture.h"
#include "platform/private/window_bridge.h"
#include "platform/private/window_classes.h"
#include "platform/services.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

// Plain wrappers handed out by FromHandle for windows no object is attached to; each lives as
// long as its widget.
std::map<QWidget*, std::unique_ptr<CWnd>>& Wrappers() {
    static std::map<QWidget*, std::unique_ptr<CWnd>> wrappers;
    return wrappers;
}

QString FromUtf8(const char* s) {
    return QString::fromUtf8(s ? s : "");
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd) {
        Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    WindowBridge* bridge = WindowBridge::Of(hWnd);
    return bridge ? bridge->attached() : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) {
        return nullptr;
    }
    if (CWnd* wnd = FromHandlePermanent(hWnd)) {
        return wnd;
    }
    auto& wrappers = Wrappers();
    auto it = wrappers.find(hWnd);
    if (it == wrappers.end()) {
        auto wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = hWnd;
        it = wrappers.emplace(hWnd, std::move(wrapper)).first;
        QObject::connect(hWnd, &QObject::destroyed, [hWnd] { Wrappers().erase(hWnd); });
    }
    return it->second.get();
}

BOOL CWnd::Attach(HWND hWnd) {
    WindowBridge* bridge = WindowBridge::Of(hWnd);
    if (!bridge || m_hWnd || bridge->attached()) {
        return FALSE;
    }
    m_hWnd = hWnd;
    bridge->attach(this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (WindowBridge* bridge = WindowBridge::Of(hWnd); bridge && bridge->attached() == this) {
        bridge->attach(nullptr);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) {
        return FALSE;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    CWnd* item = pParent ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
    return item ? SubclassWindow(item->m_hWnd) : FALSE;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    m_current = saved;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    *pResult = 0;
    const UINT repeat = LOWORD(static_cast<std::uintptr_t>(lParam));
    const UINT keyFlags = HIWORD(static_cast<std::uintptr_t>(lParam));
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), repeat, keyFlags);
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), repeat, keyFlags);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), point);
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), point);
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), point);
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), point);
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_SETCURSOR:
        *pResult =
            OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        *pResult = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<CDC*>(wParam),
                                                        FromHandle(reinterpret_cast<HWND>(lParam)),
                                                        CTLCOLOR_STATIC));
        return TRUE;
    case WM_REFLECT_CTLCOLOR:
        *pResult = reinterpret_cast<LRESULT>(
            CtlColor(reinterpret_cast<CDC*>(wParam), static_cast<UINT>(lParam)));
        return TRUE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case WM_QUERYDRAGICON:
        *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return TRUE;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    if (!bridge) {
        return 0;
    }
    LRESULT result = 0;
    if (bridge->runPendingDefault(message, &result)) {
        return result;
    }
    return bridge->classProc(message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) {
        return FALSE;
    }
    QPointer<QWidget> target = m_hWnd;
    QMetaObject::invokeMethod(
        m_hWnd,
        [target, message, wParam, lParam] {
            if (target) {
                ::SendMessage(target, message, wParam, lParam);
            }
        },
        Qt::QueuedConnection);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnCmdMsg(UINT, int) {
    return FALSE;
}

void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnDestroy() {
    Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}
void CWnd::OnDropFiles(HDROP) {
    Default();
}
HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pWnd && FromHandlePermanent(pWnd->m_hWnd)) {
        const LRESULT reflected = pWnd->SendMessage(
            WM_REFLECT_CTLCOLOR, reinterpret_cast<WPARAM>(pDC), static_cast<LPARAM>(nCtlColor));
        if (reflected) {
            return reinterpret_cast<HBRUSH>(reflected);
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}
HBRUSH CWnd::CtlColor(CDC*, UINT) {
    return nullptr;
}

void CWnd::GetWindowText(CString& rString) const {
    const LRESULT length = ::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
    std::string buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    ::SendMessage(m_hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    rString = CString(std::move(buffer));
}

CString CWnd::GetWindowText() const {
    CString text;
    GetWindowText(text);
    return text;
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::SetWindowText(const char* lpszString) {
    ::SendMessage(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString ? lpszString : ""));
}

int CWnd::GetDlgCtrlID() const {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    return bridge ? bridge->id() : 0;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    if (!m_hWnd) {
        return nullptr;
    }
    // Only the window's own items: a dialog's owned boxes are Qt children too, and their ids are
    // theirs.
    for (QWidget* child : LayerChildren(m_hWnd)) {
        if (WindowBridge::Of(child)->id() == nID) {
            return FromHandle(child);
        }
    }
    return nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const {
    if (!m_hWnd) {
        return nullptr;
    }
    // Child windows only (a top-level window's owned windows are not its siblings), in
    // creation order.
    if (nCmd == GW_CHILD) {
        const std::vector<QWidget*> children = LayerChildren(m_hWnd);
        return children.empty() ? nullptr : FromHandle(children.front());
    }
    if (nCmd == GW_HWNDNEXT && !m_hWnd->isWindow() && LayerParent(m_hWnd)) {
        const std::vector<QWidget*> siblings = LayerChildren(LayerParent(m_hWnd));
        const auto it = std::find(siblings.begin(), siblings.end(), m_hWnd);
        if (it != siblings.end() && it + 1 != siblings.end()) {
            return FromHandle(*(it + 1));
        }
    }
    return nullptr;
}

CWnd* CWnd::GetParent() const {
    return m_hWnd ? FromHandle(LayerParent(m_hWnd)) : nullptr;
}

CWnd* CWnd::GetOwner() const {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    if (bridge && bridge->owner()) {
        return FromHandle(bridge->owner());
    }
    return GetParent();
}

void CWnd::SetOwner(CWnd* pOwner) {
    if (WindowBridge* bridge = WindowBridge::Of(m_hWnd)) {
        bridge->setOwner(pOwner ? pOwner->m_hWnd : nullptr);
    }
}

DWORD CWnd::GetStyle() const {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    return bridge ? bridge->windowStyle() : 0;
}

LONG CWnd::GetWindowLong(int nIndex) const {
    return nIndex == GWL_STYLE ? static_cast<LONG>(GetStyle()) : 0;
}

LONG CWnd::SetWindowLong(int nIndex, LONG dwNewLong) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    if (!bridge || nIndex != GWL_STYLE) {
        return 0;
    }
    const LONG old = static_cast<LONG>(bridge->windowStyle());
    bridge->setWindowStyle(static_cast<DWORD>(dwNewLong));
    return old;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    if (!bridge) {
        return FALSE;
    }
    const DWORD old = bridge->windowStyle();
    const DWORD updated = (old & ~dwRemove) | dwAdd;
    if (updated == old) {
        return FALSE;
    }
    bridge->setWindowStyle(updated);
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    if (!m_hWnd) {
        return FALSE;
    }
    const BOOL wasDisabled = !m_hWnd->isEnabled();
    ::SendMessage(m_hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_hWnd && m_hWnd->isEnabled();
}

BOOL CWnd::IsWindowVisible() const {
    return m_hWnd && m_hWnd->isVisible();
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (!m_hWnd) {
        return FALSE;
    }
    const BOOL wasVisible = m_hWnd->isVisible();
    m_hWnd->setVisible(nCmdShow != 0);
    return wasVisible;
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_hWnd) {
        m_hWnd->activateWindow();
        m_hWnd->setFocus(Qt::OtherFocusReason);
    }
    return previous;
}

BOOL CWnd::SetForegroundWindow() {
    if (!m_hWnd) {
        return FALSE;
    }
    QWidget* window = m_hWnd->window();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return TRUE;
}

CWnd* CWnd::GetFocus() {
    return FromHandle(QApplication::focusWidget());
}

BOOL CWnd::IsIconic() const {
    return m_hWnd && m_hWnd->window()->isMinimized();
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) {
        return FALSE;
    }
    delete m_hWnd; // the window's destruction sends WM_DESTROY and detaches this object
    m_hWnd = nullptr;
    return TRUE;
}

void CWnd::GetClientRect(RECT* lpRect) const {
    QRect client;
    if (WindowBridge* bridge = WindowBridge::Of(m_hWnd)) {
        client = bridge->clientRect();
    } else if (m_hWnd) {
        client = m_hWnd->rect();
    }
    *lpRect = CRect(client.left(), client.top(), client.right() + 1, client.bottom() + 1);
}

void CWnd::GetWindowRect(RECT* lpRect) const {
    if (!m_hWnd) {
        *lpRect = CRect();
        return;
    }
    const QRect frame = m_hWnd->isWindow() ? m_hWnd->frameGeometry() : m_hWnd->geometry();
    const QPoint origin =
        m_hWnd->isWindow() ? frame.topLeft() : m_hWnd->parentWidget()->mapToGlobal(frame.topLeft());
    *lpRect =
        CRect(origin.x(), origin.y(), origin.x() + frame.width(), origin.y() + frame.height());
}

void CWnd::ClientToScreen(POINT* lpPoint) const {
    if (!m_hWnd) {
        return;
    }
    const QPoint p = m_hWnd->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x(), lpPoint->y = p.y();
}

void CWnd::ClientToScreen(RECT* lpRect) const {
    POINT tl{lpRect->left, lpRect->top}, br{lpRect->right, lpRect->bottom};
    ClientToScreen(&tl);
    ClientToScreen(&br);
    *lpRect = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::ScreenToClient(POINT* lpPoint) const {
    if (!m_hWnd) {
        return;
    }
    const QPoint p = m_hWnd->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x(), lpPoint->y = p.y();
}

void CWnd::ScreenToClient(RECT* lpRect) const {
    POINT tl{lpRect->left, lpRect->top}, br{lpRect->right, lpRect->bottom};
    ScreenToClient(&tl);
    ScreenToClient(&br);
    *lpRect = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL) {
    if (!m_hWnd) {
        return;
    }
    if (m_hWnd->isWindow()) {
        m_hWnd->setGeometry(x, y, nWidth, nHeight);
        return;
    }
    m_hWnd->resize(nWidth, nHeight);
    MoveChildWindow(m_hWnd, QPoint(x, y));
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags) {
    if (!m_hWnd) {
        return FALSE;
    }
    if (!(nFlags & SWP_NOSIZE)) {
        // A top-level window's size is its frame's, as on the desktop: the client area takes
        // what the frame leaves.
        const QSize frame = m_hWnd->frameGeometry().size() - m_hWnd->size();
        m_hWnd->resize(m_hWnd->isWindow() ? QSize(cx, cy) - frame : QSize(cx, cy));
    }
    if (!(nFlags & SWP_NOMOVE)) {
        if (m_hWnd->isWindow()) {
            m_hWnd->move(x, y);
        } else {
            MoveChildWindow(m_hWnd, QPoint(x, y));
        }
    }
    return TRUE;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    if (!m_hWnd) {
        return;
    }
    QRect area;
    if (pAlternateOwner && pAlternateOwner->m_hWnd) {
        area = pAlternateOwner->m_hWnd->frameGeometry();
    } else if (QScreen* screen = m_hWnd->screen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    QRect frame = m_hWnd->frameGeometry();
    frame.moveCenter(area.center());
    m_hWnd->move(frame.topLeft());
}

void CWnd::Invalidate(BOOL bErase) {
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(const RECT* lpRect, BOOL) {
    if (!m_hWnd) {
        return;
    }
    if (lpRect) {
        m_hWnd->update(QRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                             lpRect->bottom - lpRect->top));
    } else {
        m_hWnd->update();
    }
}

BOOL CWnd::RedrawWindow(const RECT* lpRectUpdate, void*, UINT flags) {
    if (!m_hWnd) {
        return FALSE;
    }
    if (flags & RDW_INVALIDATE) {
        InvalidateRect(lpRectUpdate, (flags & RDW_ERASE) ? TRUE : FALSE);
    }
    if (flags & RDW_UPDATENOW) {
        m_hWnd->repaint();
    }
    return TRUE;
}

void CWnd::UpdateWindow() {
    if (m_hWnd) {
        m_hWnd->repaint();
    }
}

void CWnd::ScrollWindow(int xAmount, int yAmount, const RECT* lpRect, const RECT* lpClipRect) {
    if (!m_hWnd) {
        return;
    }
    QRect area = m_hWnd->rect();
    if (lpRect) {
        area =
            QRect(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1));
    }
    if (lpClipRect) {
        area &= QRect(QPoint(lpClipRect->left, lpClipRect->top),
                      QPoint(lpClipRect->right - 1, lpClipRect->bottom - 1));
    }
    m_hWnd->scroll(xAmount, yAmount, area);
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    return bridge ? bridge->setProgramTimer(nIDEvent, nElapse) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    return bridge && bridge->killProgramTimer(nIDEvent) ? TRUE : FALSE;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? TRUE : FALSE, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    return bridge ? bridge->layerIcon(bBigIcon != FALSE) : nullptr;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont), bRedraw);
}

CFont* CWnd::GetFont() const {
    return reinterpret_cast<CFont*>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::SetAccessibleName(const char* lpszName) {
    if (m_hWnd) {
        m_hWnd->setAccessibleName(QString::fromUtf8(lpszName ? lpszName : ""));
    }
}

CString CWnd::GetAccessibleName() const {
    return m_hWnd ? CString(m_hWnd->accessibleName().toStdString()) : CString();
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType) {
    return GetServices().MessageBox(m_hWnd, lpszText ? lpszText : "", lpszCaption, nType);
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBridge* bridge = WindowBridge::Of(hWnd);
    return bridge ? bridge->send(message, wParam, lParam) : 0;
}

BOOL SystemParametersInfo(UINT uiAction, UINT, void* pvParam, UINT) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (uiAction != SPI_GETWORKAREA || !pvParam || !screen) {
        return FALSE;
    }
    const QRect area = screen->availableGeometry();
    *static_cast<RECT*>(pvParam) =
        CRect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
    return TRUE;
}

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}

HWND CreateWindowEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                    DWORD dwStyle, const RECT& rect, HWND hWndParent, int nID) {
    const WindowCreateParams params{
        dwExStyle, FromUtf8(lpszWindowName), dwStyle, CRect(rect), hWndParent, nID};
    const QString name = FromUtf8(lpszClassName).toUpper();
    QWidget* widget = nullptr;
    if (name == "EDIT") {
        widget = CreateEditWindow(params);
    } else if (name == "BUTTON") {
        widget = CreateButtonWindow(params);
    } else if (name == "STATIC") {
        widget = CreateStaticWindow(params);
    } else if (name == "COMBOBOX") {
        widget = CreateComboBoxWindow(params);
    } else if (name == "SYSLISTVIEW32") {
        widget = CreateListViewWindow(params);
    } else if (name == "MSCTLS_PROGRESS32") {
        widget = CreateProgressWindow(params);
    }
    if (!widget) {
        return nullptr;
    }
    if (WindowBridge* bridge = WindowBridge::Of(widget)) {
        bridge->setId(nID);
        bridge->setExStyle(dwExStyle);
    }
    widget->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    widget->setEnabled(!(dwStyle & WS_DISABLED));
    if (dwStyle & WS_VISIBLE) {
        widget->show();
    }
    return widget;
}
