// The parameter window's plot.
#include "app/fit_plot.h"

#include "platform/gdi_objects.h"

#include <cstdlib>
#include <vector>

namespace {

const COLORREF kBackground = RGB(255, 255, 255);
const COLORREF kPointColour = RGB(0, 0, 160);
const COLORREF kLeftOutColour = RGB(128, 128, 128);
const COLORREF kVectorColour = RGB(200, 0, 0);
const COLORREF kFlagColour = RGB(200, 0, 0);
const COLORREF kBarColour = RGB(0, 0, 0);
constexpr int kDot = 3;  // a point's radius
constexpr int kFlag = 6; // half the side of the square around a flagged point

void DrawBar(CDC* pDC, int x, int y, const ScaleBar& bar, const char* what) {
    pDC->MoveTo(x, y - 3);
    pDC->LineTo(x, y);
    pDC->LineTo(x + bar.pixels, y);
    pDC->LineTo(x + bar.pixels, y - 4);
    const std::string text = std::string(what) + " " + LengthText(bar.metres);
    pDC->TextOut(x + bar.pixels + 4, y - 7, text.c_str(), static_cast<int>(text.size()));
}

} // namespace

void CFitPlot::SetPoints(std::vector<PlotPoint> points) {
    m_points = std::move(points);
    if (m_nSel >= static_cast<int>(m_points.size())) {
        m_nSel = -1;
    }
    m_bCacheValid = false;
    Invalidate(FALSE);
}

void CFitPlot::SetCurSel(int nPoint) {
    const int sel = nPoint >= 0 && nPoint < static_cast<int>(m_points.size()) ? nPoint : -1;
    if (sel != m_nSel) {
        m_nSel = sel;
        Invalidate(FALSE);
    }
}

void CFitPlot::DrawPoints(CDC* pDC) const {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kBackground);
    CPen vectorPen(PS_SOLID, 1, kVectorColour);
    CPen pointPen(PS_SOLID, 1, kPointColour);
    CPen leftOutPen(PS_SOLID, 1, kLeftOutColour);
    CPen flagPen(PS_SOLID, 2, kFlagColour);
    CPen barPen(PS_SOLID, 1, kBarColour);
    CBrush pointBrush(kPointColour);
    CPen* oldPen = pDC->SelectObject(&vectorPen);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    // Vectors first, so every point shows on top of them; all in one call, as thousands of
    // calls would cost a fit of many points most of its time.
    std::vector<POINT> ends;
    ends.reserve(2 * m_points.size());
    for (const PlotPoint& point : m_points) {
        if (!point.used) {
            continue;
        }
        const PixelPoint from = PositionPixel(m_layout, point);
        const PixelPoint to = VectorEndPixel(m_layout, point);
        ends.push_back({from.x, from.y});
        ends.push_back({to.x, to.y});
    }
    const std::vector<DWORD> pairs(ends.size() / 2, 2);
    pDC->PolyPolyline(ends.data(), pairs.data(), static_cast<int>(pairs.size()));
    // The points in their order, so that where they overlap the later one shows: each run of
    // points drawn alike in one call, a flagged point's square after its dot.
    std::vector<RECT> dots;
    bool runUsed = true;
    const auto drawRun = [&] {
        if (dots.empty()) {
            return;
        }
        if (runUsed) {
            pDC->SelectObject(&pointPen);
            pDC->SelectObject(&pointBrush);
        } else {
            pDC->SelectObject(&leftOutPen);
            pDC->SelectStockObject(NULL_BRUSH);
        }
        pDC->PolyEllipse(dots.data(), static_cast<int>(dots.size()));
        dots.clear();
    };
    for (const PlotPoint& point : m_points) {
        if (point.used != runUsed) {
            drawRun();
            runUsed = point.used;
        }
        const PixelPoint at = PositionPixel(m_layout, point);
        dots.push_back({at.x - kDot, at.y - kDot, at.x + kDot + 1, at.y + kDot + 1});
        if (point.flagged) {
            drawRun();
            pDC->SelectObject(&flagPen);
            pDC->SelectStockObject(NULL_BRUSH);
            pDC->Rectangle(at.x - kFlag, at.y - kFlag, at.x + kFlag + 1, at.y + kFlag + 1);
        }
    }
    drawRun();
    if (!m_points.empty()) {
        pDC->SelectObject(&barPen);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(kBarColour);
        DrawBar(pDC, 6, client.bottom - 22, m_layout.positionBar, "位置");
        pDC->SelectObject(&vectorPen);
        pDC->SetTextColor(kVectorColour);
        DrawBar(pDC, 6, client.bottom - 6, m_layout.vectorBar, "残差");
    }
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CFitPlot::DrawSelection(CDC* pDC) const {
    CRect client;
    GetClientRect(&client);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    CPen ring(PS_SOLID, 2, highlight);
    CPen* oldPen = pDC->SelectObject(&ring);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    if (m_nSel >= 0) {
        const PixelPoint at = PositionPixel(m_layout, m_points[static_cast<size_t>(m_nSel)]);
        pDC->Ellipse(at.x - 9, at.y - 9, at.x + 10, at.y + 10);
    }
    // Where the keys are: a frame inside the edge while the plot has the focus.
    if (CWnd::GetFocus() == this) {
        CPen focus(PS_SOLID, 1, highlight);
        pDC->SelectObject(&focus);
        pDC->Rectangle(client.left + 1, client.top + 1, client.right - 1, client.bottom - 1);
        pDC->SelectObject(&ring);
    }
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CFitPlot::Draw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    m_layout = LayoutPlot(m_points, client.Width(), client.Height());
    DrawPoints(pDC);
    DrawSelection(pDC);
}

void CFitPlot::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const CSize size(client.Width(), client.Height());
    if (!m_bCacheValid || size.cx != m_sizeCache.cx || size.cy != m_sizeCache.cy) {
        m_layout = LayoutPlot(m_points, size.cx, size.cy);
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        m_bmpCache.DeleteObject();
        m_bmpCache.CreateCompatibleBitmap(&dc, size.cx, size.cy);
        CBitmap* old = memory.SelectObject(&m_bmpCache);
        DrawPoints(&memory);
        memory.SelectObject(old);
        m_sizeCache = size;
        m_bCacheValid = true;
    }
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&m_bmpCache);
    dc.BitBlt(0, 0, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    DrawSelection(&dc);
}

void CFitPlot::Pick(int nPoint) {
    if (nPoint < 0 || nPoint == m_nSel) {
        return;
    }
    SetCurSel(nPoint);
    if (CWnd* parent = GetParent()) {
        parent->SendMessage(WM_COMMAND,
                            MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID()), STN_CLICKED),
                            reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CFitPlot::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    Pick(PickPoint(m_layout, m_points, point.x, point.y));
}

void CFitPlot::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const int last = static_cast<int>(m_points.size()) - 1;
    if (last < 0) {
        CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    // The arrows step through the points in the list's order.
    switch (nChar) {
    case VK_LEFT:
    case VK_UP:
        Pick(m_nSel <= 0 ? 0 : m_nSel - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        Pick(m_nSel < 0 ? 0 : std::min(m_nSel + 1, last));
        break;
    case VK_HOME:
        Pick(0);
        break;
    case VK_END:
        Pick(last);
        break;
    default:
        CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }
}

void CFitPlot::OnSetFocus(CWnd* pOldWnd) {
    CStatic::OnSetFocus(pOldWnd);
    Invalidate(FALSE);
}

void CFitPlot::OnKillFocus(CWnd* pNewWnd) {
    CStatic::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}
