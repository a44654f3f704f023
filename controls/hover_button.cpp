// CHoverButton: hot tracking by mouse capture, and drawing onto an off-screen surface in one
// pass, step by step in the order the look is built up.
#include "controls/hover_button.h"

#include "controls/mem_dc.h"

CHoverButton::CHoverButton()
    : m_crNormalBack(GetSysColor(COLOR_BTNFACE)), m_crNormalText(GetSysColor(COLOR_BTNTEXT)),
      m_crHotBack(GetSysColor(COLOR_BTNFACE)), m_crHotText(GetSysColor(COLOR_BTNTEXT)) {}

CHoverButton::~CHoverButton() {
    // Each distinct image once: the normal image may be the hot one.
    if (m_hIconNormal && m_hIconNormal != m_hIconHot) {
        DestroyIcon(m_hIconNormal);
    }
    if (m_hIconHot) {
        DestroyIcon(m_hIconHot);
    }
}

void CHoverButton::SetIcon(UINT nIconHot, UINT nIconNormal, BYTE cxIcon, BYTE cyIcon) {
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCE(nIconHot), RT_GROUP_ICON);
    m_hIconHot = static_cast<HICON>(
        LoadImage(hInstance, MAKEINTRESOURCE(nIconHot), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    if (nIconNormal != 0) {
        m_hIconNormal = static_cast<HICON>(
            LoadImage(hInstance, MAKEINTRESOURCE(nIconNormal), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    } else {
        m_hIconNormal = m_hIconHot;
    }
    m_cxIcon = cxIcon;
    m_cyIcon = cyIcon;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHoverButton::PreSubclassWindow() {
    const UINT style = static_cast<UINT>(GetWindowLong(GWL_STYLE)) & 0xFF;
    SendMessage(BM_SETSTYLE, style | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

void CHoverButton::InvalidateButton() {
    InvalidateRect(nullptr, TRUE);
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    // A pointer that enters while dragging with the left button held does not make it hot.
    if ((nFlags & MK_LBUTTON) && !m_bHot) {
        return;
    }
    CWnd* pOwner = GetOwner();
    if (GetCapture() != this && pOwner) {
        m_bHot = TRUE;
        SetCapture();
        InvalidateButton();
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(point)) {
        return;
    }
    if (m_bHot) {
        m_bHot = FALSE;
        InvalidateButton();
    }
    // With the left button down the capture stays, for the base control's press tracking.
    if (!(nFlags & MK_LBUTTON)) {
        ReleaseCapture();
    }
}

void CHoverButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    if (m_bHot) {
        m_bHot = FALSE;
        InvalidateButton();
    }
}

void CHoverButton::OnCaptureChanged(CWnd* pWnd) {
    if (m_bHot) {
        ReleaseCapture();
        InvalidateButton();
    }
    CButton::OnCaptureChanged(pWnd);
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CMemDC dc(CDC::FromHandle(lpDrawItemStruct->hDC));
    const CRect rcItem(lpDrawItemStruct->rcItem);
    const BOOL bIsPressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const BOOL bIsDisabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    const BOOL bIsLit = m_bHot || bIsPressed;

    // Background.
    CBrush brBackground(bIsLit ? m_crHotBack : m_crNormalBack);
    dc.FillRect(&rcItem, &brBackground);

    // Frame: left and top, then bottom and right; each segment stops short of its end point.
    if (bIsPressed || m_bHot) {
        CPen penFirst(PS_SOLID, 0, GetSysColor(bIsPressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
        CPen penSecond(PS_SOLID, 0, GetSysColor(bIsPressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
        CPen* pOldPen = dc.SelectObject(&penFirst);
        dc.MoveTo(rcItem.left, rcItem.bottom - 1);
        dc.LineTo(rcItem.left, rcItem.top);
        dc.LineTo(rcItem.right, rcItem.top);
        dc.SelectObject(&penSecond);
        dc.MoveTo(rcItem.left, rcItem.bottom - 1);
        dc.LineTo(rcItem.right - 1, rcItem.bottom - 1);
        dc.LineTo(rcItem.right - 1, rcItem.top - 1);
        dc.SelectObject(pOldPen);
    }

    // Caption and icon.
    CString strCaption;
    GetWindowText(strCaption);
    CRect rcCaption = rcItem;
    if (m_hIconHot) {
        DrawButtonIcon(&dc, strCaption, &rcItem, &rcCaption, bIsPressed, bIsDisabled);
    }
    if (strCaption.IsEmpty()) {
        DrawFocusMark(&dc, lpDrawItemStruct->itemState, rcItem);
        return;
    }
    if (bIsPressed) {
        rcCaption.OffsetRect(1, 1);
    }
    CFont* pOldFont = dc.SelectObject(GetFont());
    dc.SetTextColor(bIsLit ? m_crHotText : m_crNormalText);
    dc.SetBkColor(bIsLit ? m_crHotBack : m_crNormalBack);
    const CRect rcBox = rcCaption;
    dc.DrawText(strCaption.GetString(), -1, &rcCaption, DT_CALCRECT | DT_SINGLELINE);
    rcCaption.OffsetRect((rcBox.Width() - rcCaption.Width()) / 2,
                         (rcBox.Height() - rcCaption.Height()) / 2);
    DrawState(dc.GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(strCaption.GetString()),
              0, rcCaption.left, rcCaption.top, rcCaption.Width(), rcCaption.Height(),
              DST_PREFIXTEXT | (bIsDisabled ? DSS_DISABLED : DSS_NORMAL));
    if (pOldFont) {
        dc.SelectObject(pOldFont);
    }
    DrawFocusMark(&dc, lpDrawItemStruct->itemState, rcItem);
}

// The keyboard's focus mark, once the keyboard has moved the focus in this window: a dotted
// frame inside the one the hover look draws.
void CHoverButton::DrawFocusMark(CDC* pDC, UINT nState, const RECT& rcItem) {
    if (!(nState & ODS_FOCUS) || (nState & ODS_NOFOCUSRECT)) {
        return;
    }
    CRect rcFocus(rcItem.left + 2, rcItem.top + 2, rcItem.right - 2, rcItem.bottom - 2);
    pDC->DrawFocusRect(&rcFocus);
}

void CHoverButton::DrawButtonIcon(CDC* pDC, const CString& strCaption, const RECT* rcItem,
                                  RECT* rcCaption, BOOL bIsPressed, BOOL bIsDisabled) {
    const CRect rcButton(*rcItem);
    CRect rcImage = rcButton;
    if (!strCaption.IsEmpty()) {
        rcImage.left = rcButton.left + 3;
        rcCaption->left = rcButton.left + m_cxIcon + 3;
    } else {
        rcImage.left = rcButton.left + (rcButton.right - m_cxIcon - rcButton.left) / 2;
    }
    rcImage.top = rcButton.top + (rcButton.bottom - m_cyIcon - rcButton.top) / 2;
    if (bIsPressed) {
        rcImage.OffsetRect(1, 1);
    }
    HICON hIcon = (m_bHot || bIsPressed) ? m_hIconHot : m_hIconNormal;
    DrawState(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, rcImage.left,
              rcImage.top, rcImage.Width(), rcImage.Height(),
              DST_ICON | (bIsDisabled ? DSS_DISABLED : DSS_NORMAL));
}
