// CEdit: the window object of an edit field.
#pragma once

#include "platform/wnd.h"

class CEdit : public CWnd {
public:
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(const char* lpszNewText, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};
