// CEdit: thin wrappers over the edit-control messages.
#include "platform/edit.h"

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                  reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    ::SendMessage(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll) {
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
    }
}

void CEdit::ReplaceSel(const char* lpszNewText, BOOL bCanUndo) {
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo,
                  reinterpret_cast<LPARAM>(lpszNewText ? lpszNewText : ""));
}

void CEdit::LimitText(int nChars) {
    ::SendMessage(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0));
}
