// CCreditsArea: the window object of the About box's credits area. The area's picture is kept
// in an image of its own, so the dialog can scroll it and paint its uncovered rows whenever it
// likes; the window only shows the image. As with a window's update region, a painting pass
// reaches only the rows invalidated since the last pass.
#pragma once

#include "platform/dc.h"
#include "platform/static.h"

class CCreditsArea : public CStatic {
public:
    CCreditsArea();
    ~CCreditsArea() override;

    // Makes the picture, black, for the attached window's client area; all of it is to be
    // painted.
    void CreateSurface();
    // Moves the picture inside lpRect by dy pixels (negative: up); the rows uncovered become
    // invalid, and rows that were invalid move along.
    void ScrollSurface(int dy, const RECT* lpRect);
    // A context over the picture for one painting pass, the invalid rows already cleared to
    // black. Only those rows are kept by EndPaint; the rest of what the pass draws is dropped.
    CDC* BeginPaint();
    void EndPaint();
    // The rows a pass would paint now (empty when none).
    CRect GetUpdateRect() const { return m_rcInvalid; }

protected:
    void OnPaint() override;

private:
    CDC m_dcSurface;
    CBitmap m_bmpSurface;
    CBitmap* m_pOldSurface = nullptr;
    CDC m_dcPass;
    CBitmap m_bmpPass;
    CBitmap* m_pOldPass = nullptr;
    CRect m_rcInvalid;
};
