// CHyperLink: a static text that looks and acts like a web link. It paints its text in its own
// colour and font, shows its own cursor, and a click hands its text to the desktop to open.
#pragma once

#include "platform/dc.h"
#include "platform/static.h"

class CHyperLink : public CStatic {
public:
    CHyperLink();
    ~CHyperLink() override;

    // Each setter returns the label, so calls can be chained.
    CHyperLink& SetLabelColor(COLORREF crText);
    CHyperLink& SetUnderlined(BOOL bUnderlined);
    // A static control takes clicks only with the notify style.
    CHyperLink& EnableClickNotify(BOOL bEnable);
    // The label does not own the cursor; nullptr leaves the window's own cursor.
    CHyperLink& SetPointerCursor(HCURSOR hCursor);

    // Hands the label's text to the desktop to open; says so, with the address to copy, when
    // the desktop has nothing that opens it.
    void Open();

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;

private:
    void RebuildFont();

    COLORREF m_crText;
    HBRUSH m_hbrBack;
    LOGFONT m_lf;
    CFont m_font;
    HCURSOR m_hCursor;
};
