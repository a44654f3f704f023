// CButton: thin wrappers over the button messages.
#include "platform/button.h"

int CButton::GetCheck() const {
    return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int nCheck) {
    ::SendMessage(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

UINT CButton::GetState() const {
    return static_cast<UINT>(::SendMessage(m_hWnd, BM_GETSTATE, 0, 0));
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    ::SendMessage(m_hWnd, BM_SETSTYLE, nStyle, bRedraw);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
