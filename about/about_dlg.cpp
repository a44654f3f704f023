// CAboutDlg: initialisation, the credits scroller (timer and painting pass) and closing.
#include "about/about_dlg.h"

#include "about/credits.h"
#include "platform/cursor.h"
#include "platform/ddx.h"

namespace {

// Posted when a bitmap line names no bitmap: the message box comes after the painting pass,
// not inside it.
constexpr UINT WM_ABOUT_MISSING_BITMAP = WM_APP + 1;

} // namespace

CAboutDlg::CAboutDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_rcScroll(), m_rcLine(), m_nLineIndex(0), m_nTick(1),
      m_bFirstPaint(TRUE), m_nRisen(0), m_nLinePitch(15), m_pCredits(nullptr),
      m_hOrigBitmap(nullptr), m_ptBitmap(), m_bmInfo(), m_bBitmapShowing(FALSE),
      m_bScrollerStopped(FALSE) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOMEPAGE, m_link);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    m_nLinePitch = 15;
    {
        CClientDC dc(this);
        m_dcBitmap.CreateCompatibleDC(&dc);
    }
    m_bBitmapShowing = FALSE;
    m_nLineIndex = 0;
    m_nTick = 1;
    m_nRisen = 0;
    m_bFirstPaint = TRUE;
    m_hOrigBitmap = nullptr;

    m_credits.SubclassDlgItem(IDC_CREDITS, this);
    m_pCredits = &m_credits;
    // Neither the picture nor the moving credits carry a text a screen reader could read.
    m_credits.SetAccessibleName("鸣谢");
    if (CWnd* pIcon = GetDlgItem(IDC_ABOUT_ICON)) {
        pIcon->SetAccessibleName("程序图标");
    }

    // The program's cursors are its own resources, which the application object hands out.
    m_link.EnableClickNotify(TRUE)
        .SetLabelColor(RGB(0, 0, 255))
        .SetUnderlined(TRUE)
        .SetPointerCursor(::LoadCursor(IDC_HAND_CURSOR));

    m_pCredits->GetClientRect(&m_rcScroll);
    m_pCredits->CreateSurface();

    SetTimer(kCreditsTimer, kCreditsInterval);
    return TRUE;
}

void CAboutDlg::OnOK() {
    KillTimer(kCreditsTimer);
    CDialog::OnOK();
}

CString CAboutDlg::GetCreditsEntry(int nIndex) const {
    return g_apszCredits[nIndex];
}

void CAboutDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kCreditsTimer || m_bScrollerStopped || !m_pCredits) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    // Rows uncovered by the last tick that no painting pass has reached yet are drawn now, from
    // the state they were uncovered in, so the picture does not depend on how often the window
    // repaints.
    if (!m_pCredits->GetUpdateRect().IsRectEmpty()) {
        DrawCredits();
    }
    // The tick counter stands still while a bitmap rises.
    if (!m_bBitmapShowing) {
        const int nCount = m_nTick++;
        if (nCount % m_nLinePitch == 0 && !FetchNextLine()) {
            CDialog::OnTimer(nIDEvent);
            return;
        }
    }
    m_pCredits->ScrollSurface(-1, &m_rcScroll);
    m_nRisen += 1;
    // Once the whole bitmap is above the bottom edge, its line is over; the new bottom row
    // shows none of it.
    if (m_bBitmapShowing && m_nRisen > m_bmInfo.bmHeight) {
        m_bmpCredits.DeleteObject();
        m_bBitmapShowing = FALSE;
        m_nRisen = 0;
        m_strLine.Empty();
        m_nTick = 1;
    }

    CRect rcCredits;
    m_pCredits->GetClientRect(&rcCredits);
    m_pCredits->ClientToScreen(&rcCredits);
    ScreenToClient(&rcCredits);
    InvalidateRect(&rcCredits, FALSE);

    CDialog::OnTimer(nIDEvent);
}

BOOL CAboutDlg::FetchNextLine() {
    m_nTick = 1;
    m_strLine = GetCreditsEntry(m_nLineIndex);
    m_nLineIndex = (m_nLineIndex + 1) % kCreditsCount;
    m_nRisen = 0;
    if (m_strLine.IsEmpty()) {
        // A blank keeps the previous line's pitch.
        return TRUE;
    }
    const char chCode = m_strLine[m_strLine.GetLength() - 1];
    if (chCode == kCreditsBitmap) {
        return StartBitmapLine();
    }
    // A text line stays as many ticks as its font is high.
    m_nLinePitch = LookOf(chCode).nHeight;
    return TRUE;
}

CAboutDlg::LineLook CAboutDlg::LookOf(char chCode) {
    switch (chCode) {
    case kCreditsTitle:
        return {21, 700, TRUE, RGB(255, 0, 0)};
    case kCreditsHeader:
        return {17, 700, FALSE, RGB(0, 255, 255)};
    case kCreditsHighlight:
        return {19, 700, FALSE, RGB(255, 255, 0)};
    default:
        return {15, 100, FALSE, RGB(255, 255, 255)};
    }
}

BOOL CAboutDlg::StartBitmapLine() {
    const CString strName = m_strLine.Left(m_strLine.GetLength() - 1);
    if (!m_bmpCredits.LoadBitmap(strName)) {
        KillTimer(kCreditsTimer);
        m_bScrollerStopped = TRUE;
        PostMessage(WM_ABOUT_MISSING_BITMAP);
        return FALSE;
    }
    m_bmpCredits.GetBitmap(&m_bmInfo);

    // Centred horizontally on the credits area, starting at its bottom edge.
    CRect rcCredits;
    m_pCredits->GetClientRect(&rcCredits);
    m_pCredits->ClientToScreen(&rcCredits);
    ScreenToClient(&rcCredits);
    m_ptBitmap.y = rcCredits.bottom;
    m_ptBitmap.x = rcCredits.right - (rcCredits.right - rcCredits.left) / 2 - m_bmInfo.bmWidth / 2;

    CBitmap* pOld = m_dcBitmap.SelectObject(&m_bmpCredits);
    if (!m_hOrigBitmap && pOld) {
        m_hOrigBitmap = static_cast<HBITMAP>(pOld->GetSafeHandle());
    }
    m_bBitmapShowing = TRUE;
    return TRUE;
}

void CAboutDlg::OnPaint() {
    // Once stopped, nothing moves and nothing is left to paint.
    if (!m_pCredits || m_bScrollerStopped) {
        CDialog::OnPaint();
        return;
    }
    DrawCredits();
}

void CAboutDlg::DrawCredits() {
    // The credits context: the credits area's picture, open for the rows uncovered since the
    // last pass.
    CDC* pDC = m_pCredits->BeginPaint();
    pDC->SetBkMode(TRANSPARENT);

    CFont fontLine;
    CFont* pOldFont = nullptr;
    const bool bText = !m_strLine.IsEmpty() && !m_bBitmapShowing;
    if (bText) {
        const LineLook look = LookOf(m_strLine[m_strLine.GetLength() - 1]);
        fontLine.CreateFont(look.nHeight, 0, 0, 0, look.nWeight, FALSE, look.bUnderline, FALSE,
                            ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6,
                            "Arial");
        pDC->SetTextColor(look.crText);
        pOldFont = pDC->SelectObject(&fontLine);
    }

    CBrush brushBlack(RGB(0, 0, 0));
    CBrush* pOldBrush = pDC->SelectObject(&brushBlack);

    // Clear: the whole area the first time, afterwards the bottom row the scroll uncovered.
    m_rcLine = m_rcScroll;
    m_rcLine.top = m_rcScroll.bottom - 1;
    if (m_bFirstPaint) {
        m_bFirstPaint = FALSE;
        pDC->FillRect(&m_rcScroll, &brushBlack);
    } else {
        pDC->FillRect(&m_rcLine, &brushBlack);
    }

    // The current line's box: its top has risen m_nRisen pixels above the bottom edge.
    m_rcLine.top = m_rcScroll.bottom - m_nRisen;

    if (bText) {
        pDC->DrawText(m_strLine.Left(m_strLine.GetLength() - 1), &m_rcLine,
                      DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SelectObject(pOldFont);
    } else if (m_bBitmapShowing) {
        // The bitmap's top m_nRisen rows at its risen place; the source is one column narrower
        // than the destination, so the picture is widened by a pixel.
        CPoint ptTop(m_ptBitmap.x, m_ptBitmap.y - m_nRisen);
        ClientToScreen(&ptTop);
        m_pCredits->ScreenToClient(&ptTop);
        pDC->StretchBlt(ptTop.x, ptTop.y, m_bmInfo.bmWidth, m_nRisen, &m_dcBitmap, 0, 0,
                        m_bmInfo.bmWidth - 1, m_nRisen, SRCCOPY);
    }
    pDC->SelectObject(pOldBrush);
    m_pCredits->EndPaint();
}

void CAboutDlg::OnDestroy() {
    CDialog::OnDestroy();
    if (m_hOrigBitmap) {
        m_dcBitmap.SelectObject(CBitmap::FromHandle(m_hOrigBitmap));
    }
    m_bmpCredits.DeleteObject();
}

void CAboutDlg::ShowMissingBitmap(const CString& strName) {
    CString strMessage;
    strMessage.Format("Could not find bitmap resource \"%s\". Be sure to assign the bitmap a "
                      "QUOTED resource name",
                      strName.GetString());
    MessageBox(strMessage, nullptr, MB_OK);
}

LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ABOUT_MISSING_BITMAP) {
        if (!m_strLine.IsEmpty()) {
            ShowMissingBitmap(m_strLine.Left(m_strLine.GetLength() - 1));
        }
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
