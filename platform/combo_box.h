// CComboBox: the window object of a drop-down list. The list's messages and the notification
// its parent receives when the user picks another entry.
#pragma once

#include "platform/wnd.h"

constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr LRESULT CB_ERR = -1;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
// WM_COMMAND code: the user chose another entry (never sent for CB_SETCURSEL).
constexpr WORD CBN_SELCHANGE = 1;

class CComboBox : public CWnd {
public:
    // Appends an entry; returns its index.
    int AddString(const char* lpszString);
    int GetCount() const;
    // The selected entry, or CB_ERR when none is.
    int GetCurSel() const;
    // Selects entry nSelect (-1 clears the selection); returns it, or CB_ERR if out of range.
    int SetCurSel(int nSelect);
    void ResetContent();
    // The text of entry nIndex; empty when there is no such entry.
    CString GetLBText(int nIndex) const;
};
