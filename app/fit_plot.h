// CFitPlot: the parameter window's drawing of the common points with their residual vectors,
// over a static with the notify style. A click on a point, or an arrow key, selects it and
// tells the parent (WM_COMMAND with STN_CLICKED); the parent selects a point with SetCurSel.
// The drawing is kept in a bitmap and made again only when the points or the size change, so
// a repaint (a new selection, another window passing over) costs one block transfer however
// many points there are.
#pragma once

#include "app/fit_plot_layout.h"
#include "platform/dc.h"
#include "platform/static.h"

#include <vector>

constexpr WORD STN_CLICKED = 0;

class CFitPlot : public CStatic {
public:
    void SetPoints(std::vector<PlotPoint> points);
    const std::vector<PlotPoint>& GetPoints() const { return m_points; }
    // -1 selects none.
    void SetCurSel(int nPoint);
    int GetCurSel() const { return m_nSel; }
    const PlotLayout& GetLayout() const { return m_layout; }
    // Draws the whole plot, selection included, into a context of the client's size.
    void Draw(CDC* pDC);

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;

private:
    void DrawPoints(CDC* pDC) const;
    void DrawSelection(CDC* pDC) const;
    void Pick(int nPoint);

    std::vector<PlotPoint> m_points;
    PlotLayout m_layout;
    int m_nSel = -1;
    CBitmap m_bmpCache; // the points, vectors and bars, without the selection
    CSize m_sizeCache{0, 0};
    bool m_bCacheValid = false;
};
