// CHoverButton: the flat, owner-drawn push button of the main form's operations. At rest it
// shows its face, icon and caption; under the pointer it is hot and shows a thin raised frame;
// pressed, a thin sunken frame with the content shifted by one pixel. Hot tracking uses the
// mouse capture; drawing goes through an off-screen surface.
#pragma once

#include "platform/button.h"
#include "platform/dc.h"

class CHoverButton : public CButton {
public:
    CHoverButton();
    ~CHoverButton() override;

    // Loads the hot and normal icons by resource id (normal 0 = the hot image serves for both)
    // and the size to place them by, then redraws at once.
    void SetIcon(UINT nIconHot, UINT nIconNormal, BYTE cxIcon, BYTE cyIcon);

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Message handlers.
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnCaptureChanged(CWnd* pWnd) override;

    // The hot state, for observers such as tests.
    BOOL IsHot() const { return m_bHot; }

private:
    void DrawButtonIcon(CDC* pDC, const CString& strCaption, const RECT* rcItem, RECT* rcCaption,
                        BOOL bIsPressed, BOOL bIsDisabled);
    static void DrawFocusMark(CDC* pDC, UINT nState, const RECT& rcItem);
    // Marks the whole client area for repainting, with erase.
    void InvalidateButton();

    BOOL m_bHot = FALSE;
    HICON m_hIconHot = nullptr;
    HICON m_hIconNormal = nullptr;
    BYTE m_cyIcon = 0;
    BYTE m_cxIcon = 0;
    COLORREF m_crNormalBack;
    COLORREF m_crNormalText;
    COLORREF m_crHotBack;
    COLORREF m_crHotText;
};
