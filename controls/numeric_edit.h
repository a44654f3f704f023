// CNumericEdit: the edit control of the main form's six real-valued fields.
// The logic lives in NumericText; this class connects it to the real edit window: the two
// entries of its message map (WM_CHAR, WM_RBUTTONDOWN) and a double click that selects the
// whole number, PreTranslateMessage for Delete and Insert, and the window operations the logic
// asks for.
#pragma once

#include "controls/numeric_text.h"
#include "platform/edit.h"

class CNumericEdit : public CEdit, protected NumericText {
public:
    CNumericEdit();
    ~CNumericEdit() override;

    using NumericText::SetGrouping;
    using NumericText::SetValue;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString FieldText() const override;
    void FieldSetText(const CString& t) override;
    void FieldGetSel(int& start, int& end) const override;
    void FieldSetCaret(int pos) override;
    void FieldDeleteSel() override;
    BOOL FieldReadOnly() const override;
};
