// Dialog data exchange: a dialog's DoDataExchange lists its control bindings and its fields
// with their members and ranges; UpdateData runs it to write the members into the fields or to
// read and check the fields into the members. Numbers are written and read without regard to
// the process locale.
#pragma once

#include "platform/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: fields -> members, with checks
    CWnd* m_pDlgWnd;
    // The control the last DDX_ call exchanged; the DDV_ calls check its value and a failure
    // puts the focus there.
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
    // Set by the first failure; every later DDX_/DDV_ call then does nothing.
    BOOL m_bFailed = FALSE;

    // The dialog item nIDC, remembered as the last control; nullptr if there is none.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends a failed read: focus to the last control, its whole text selected when it is an
    // edit field, and the rest of the exchange skipped.
    void Fail();
};

// Binds rControl to the dialog item nIDC the first time; later calls do nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Writing shows value in plain decimal; reading accepts blanks, an optional sign, decimal
// digits, blanks, and prompts for an integer otherwise (value unchanged).
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// Writing shows value as %.15g does; reading accepts blanks, a decimal number (optional sign,
// digits with an optional point, optional exponent), blanks, and prompts for a number
// otherwise (value unchanged).
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// When reading: value must lie within [minVal, maxVal], else a prompt names both bounds.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// The text forms the exchange writes and reads, for callers and tests.
CString FormatDdxInt(int value);
CString FormatDdxDouble(double value); // %.15g
bool ParseDdxInt(const char* text, int* value);
bool ParseDdxDouble(const char* text, double* value);
