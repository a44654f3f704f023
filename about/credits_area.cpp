// CCreditsArea: the retained picture of the credits area.
#include "about/credits_area.h"

#include <algorithm>
#include <cstdlib>

namespace {

CRect Intersect(const CRect& a, const CRect& b) {
    const CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    return r.IsRectEmpty() ? CRect() : r;
}

CRect Union(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty()) {
        return b;
    }
    if (b.IsRectEmpty()) {
        return a;
    }
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

} // namespace

CCreditsArea::CCreditsArea() = default;

CCreditsArea::~CCreditsArea() {
    if (m_pOldSurface) {
        m_dcSurface.SelectObject(m_pOldSurface);
    }
    if (m_pOldPass) {
        m_dcPass.SelectObject(m_pOldPass);
    }
}

void CCreditsArea::CreateSurface() {
    CRect rcClient;
    GetClientRect(&rcClient);
    // The picture covers the window from its own origin, so client coordinates address it
    // directly.
    const int cx = rcClient.right, cy = rcClient.bottom;
    m_dcSurface.CreateCompatibleDC(nullptr);
    m_bmpSurface.CreateCompatibleBitmap(&m_dcSurface, cx, cy);
    m_pOldSurface = m_dcSurface.SelectObject(&m_bmpSurface);
    m_dcPass.CreateCompatibleDC(nullptr);
    m_bmpPass.CreateCompatibleBitmap(&m_dcPass, cx, cy);
    m_pOldPass = m_dcPass.SelectObject(&m_bmpPass);
    m_dcSurface.FillSolidRect(0, 0, cx, cy, RGB(0, 0, 0));
    m_rcInvalid = rcClient;
}

void CCreditsArea::ScrollSurface(int dy, const RECT* lpRect) {
    const CRect area(*lpRect);
    if (dy == 0 || area.IsRectEmpty()) {
        return;
    }
    const int moved = std::min(std::abs(dy), area.Height());
    const int rows = area.Height() - moved;
    CRect uncovered;
    if (dy < 0) {
        m_dcSurface.BitBlt(area.left, area.top, area.Width(), rows, &m_dcSurface, area.left,
                           area.top + moved, SRCCOPY);
        uncovered = CRect(area.left, area.bottom - moved, area.right, area.bottom);
    } else {
        m_dcSurface.BitBlt(area.left, area.top + moved, area.Width(), rows, &m_dcSurface, area.left,
                           area.top, SRCCOPY);
        uncovered = CRect(area.left, area.top, area.right, area.top + moved);
    }
    // What was invalid inside the area moves with the pixels; anything outside it stays.
    CRect carried = Intersect(m_rcInvalid, area);
    const bool outside = !m_rcInvalid.IsRectEmpty() && !(carried == m_rcInvalid);
    if (!carried.IsRectEmpty()) {
        carried.OffsetRect(0, dy);
        carried = Intersect(carried, area);
    }
    m_rcInvalid = Union(outside ? m_rcInvalid : CRect(), Union(carried, uncovered));
    Invalidate(FALSE);
}

CDC* CCreditsArea::BeginPaint() {
    CRect rcClient;
    GetClientRect(&rcClient);
    m_dcPass.BitBlt(0, 0, rcClient.right, rcClient.bottom, &m_dcSurface, 0, 0, SRCCOPY);
    if (!m_rcInvalid.IsRectEmpty()) {
        m_dcPass.FillSolidRect(&m_rcInvalid, RGB(0, 0, 0));
    }
    return &m_dcPass;
}

void CCreditsArea::EndPaint() {
    if (m_rcInvalid.IsRectEmpty()) {
        return;
    }
    m_dcSurface.BitBlt(m_rcInvalid.left, m_rcInvalid.top, m_rcInvalid.Width(), m_rcInvalid.Height(),
                       &m_dcPass, m_rcInvalid.left, m_rcInvalid.top, SRCCOPY);
    InvalidateRect(&m_rcInvalid, FALSE);
    m_rcInvalid = CRect();
}

void CCreditsArea::OnPaint() {
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.BitBlt(rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), &m_dcSurface,
              rcClient.left, rcClient.top, SRCCOPY);
}
