// CHyperLink: colours and font through the reflected colour request, the cursor through the
// cursor request, and the click through the desktop's "open".
#include "about/hyper_link.h"

#include "platform/cursor.h"
#include "platform/services.h"

CHyperLink::CHyperLink()
    : m_crText(GetSysColor(COLOR_WINDOWTEXT)),
      m_hbrBack(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))), m_lf(), m_hCursor(nullptr) {
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(m_lf), &m_lf);
    m_font.CreateFontIndirect(&m_lf);
}

CHyperLink::~CHyperLink() {
    m_font.DeleteObject();
    DeleteObject(m_hbrBack);
}

CHyperLink& CHyperLink::SetLabelColor(COLORREF crText) {
    m_crText = crText;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return *this;
}

CHyperLink& CHyperLink::SetUnderlined(BOOL bUnderlined) {
    m_lf.lfUnderline = static_cast<BYTE>(bUnderlined);
    RebuildFont();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return *this;
}

CHyperLink& CHyperLink::EnableClickNotify(BOOL bEnable) {
    if (bEnable) {
        ModifyStyle(0, SS_NOTIFY);
    } else {
        ModifyStyle(SS_NOTIFY, 0);
    }
    return *this;
}

CHyperLink& CHyperLink::SetPointerCursor(HCURSOR hCursor) {
    m_hCursor = hCursor;
    return *this;
}

void CHyperLink::RebuildFont() {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SelectObject(&m_font);
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
    }
    return m_hbrBack;
}

namespace {

// The desktop has no web browser: the address is shown so it can be copied.
constexpr const char* kNoBrowser = "没有找到能打开网址的程序（网页浏览器）。网址是：\n%s";

} // namespace

void CHyperLink::OnLButtonDown(UINT, CPoint) {
    Open();
    Default();
}

void CHyperLink::Open() {
    CString strAddress;
    GetWindowText(strAddress);
    if (ShellExecuteOpen(strAddress)) {
        return;
    }
    CString strMessage;
    strMessage.Format(kNoBrowser, strAddress.GetString());
    MessageBox(strMessage, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

// A link the keyboard has reached opens with Enter or Space, as with a click; Enter does not
// reach the dialog as its OK.
BOOL CHyperLink::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)) {
        Open();
        return TRUE;
    }
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}
