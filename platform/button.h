// CButton: the window object of a button, and the owner-draw request it receives.
#pragma once

#include "platform/wnd.h"

// The draw request's action: the whole item.
constexpr UINT ODA_DRAWENTIRE = 0x0001;

// What an owner-drawn button is asked to draw: its state bits (ODS_*), the context to draw on
// and its area in that context.
struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_BUTTON;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};
    UINT_PTR itemData = 0;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    // Called for each draw request of an owner-drawn button.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};
