// CNumericEdit: the numeric field's messages and window operations.
#include "controls/numeric_edit.h"

CNumericEdit::CNumericEdit() = default;

CNumericEdit::~CNumericEdit() = default;

BOOL CNumericEdit::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && HandleKeyDown(static_cast<UINT>(pMsg->wParam))) {
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

namespace {

constexpr UINT kCtrlA = 1; // select all
constexpr UINT kCtrlC = 3; // copy

} // namespace

// Only the character code is used, once whatever the repeat count. Copying and selecting all
// change no text, so those two reach the edit window's own handling; no other character does.
void CNumericEdit::OnChar(UINT nChar, UINT, UINT) {
    if (nChar == kCtrlA || nChar == kCtrlC) {
        Default();
        return;
    }
    HandleChar(nChar);
}

BOOL CNumericEdit::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_LBUTTONDBLCLK) {
        // A number is one word: a double click takes all of it, not the digits on one side of
        // its decimal point.
        *pResult = Default();
        SetSel(0, -1);
        return TRUE;
    }
    return CEdit::OnWndMsg(message, wParam, lParam, pResult);
}

// The press is swallowed: the edit window's own reaction to it does not take place.
void CNumericEdit::OnRButtonDown(UINT, CPoint) {}

CString CNumericEdit::FieldText() const {
    return GetWindowText();
}

void CNumericEdit::FieldSetText(const CString& t) {
    SetWindowText(t);
}

void CNumericEdit::FieldGetSel(int& start, int& end) const {
    GetSel(start, end);
}

void CNumericEdit::FieldSetCaret(int pos) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(pos), pos);
    SendMessage(EM_SCROLLCARET);
}

void CNumericEdit::FieldDeleteSel() {
    SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

BOOL CNumericEdit::FieldReadOnly() const {
    return (GetStyle() & ES_READONLY) ? TRUE : FALSE;
}
