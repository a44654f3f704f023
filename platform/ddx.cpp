// Data exchange between a dialog's fields and its members. Numbers go through std::to_chars and
// std::from_chars, so the user's locale never changes how they are written or read.
#include "platform/ddx.h"

#include "platform/edit.h"
#include "platform/services.h"
#include "platform/win_app.h"

#include <cctype>
#include <charconv>
#include <string>
#include <string_view>

namespace {

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the run of digits at the start of s.
size_t DigitRun(std::string_view s) {
    size_t n = 0;
    while (n < s.size() && IsDigit(s[n])) {
        ++n;
    }
    return n;
}

void Prompt(CDataExchange* pDX, const CString& text) {
    CWinApp* app = AfxGetApp();
    GetServices().MessageBox(pDX->m_pDlgWnd ? pDX->m_pDlgWnd->m_hWnd : nullptr, text,
                             app ? app->m_pszAppName : nullptr, MB_OK | MB_ICONEXCLAMATION);
}

CString TextOf(HWND hWnd) {
    CWnd* wnd = CWnd::FromHandle(hWnd);
    return wnd ? wnd->GetWindowText() : CString();
}

void SetTextOf(HWND hWnd, const CString& text) {
    if (CWnd* wnd = CWnd::FromHandle(hWnd)) {
        wnd->SetWindowText(text);
    }
}

} // namespace

CString FormatDdxInt(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return CString(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

CString FormatDdxDouble(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return CString(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

bool ParseDdxInt(const char* text, int* value) {
    std::string_view s = TrimBlanks(text ? text : "");
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || DigitRun(s) != s.size()) {
        return false;
    }
    // Parsed with its sign so that the most negative int still fits.
    const std::string digits = (negative ? "-" : "") + std::string(s);
    int parsed = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        return false;
    }
    *value = parsed;
    return true;
}

bool ParseDdxDouble(const char* text, double* value) {
    std::string_view s = TrimBlanks(text ? text : "");
    std::string number;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        if (s.front() == '-') {
            number = "-";
        }
        s.remove_prefix(1);
    }
    // Digits with an optional point, at least one digit, then an optional exponent: the decimal
    // numbers only, so that "inf", "nan" and hexadecimal forms are not numbers to the form.
    std::string_view rest = s;
    const size_t whole = DigitRun(rest);
    rest.remove_prefix(whole);
    size_t fraction = 0;
    if (!rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        fraction = DigitRun(rest);
        rest.remove_prefix(fraction);
    }
    if (whole + fraction == 0) {
        return false;
    }
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(1);
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            rest.remove_prefix(1);
        }
        const size_t exponent = DigitRun(rest);
        if (exponent == 0) {
            return false;
        }
        rest.remove_prefix(exponent);
    }
    if (!rest.empty()) {
        return false;
    }
    number += s;
    double parsed = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                        std::chars_format::general);
    // A magnitude beyond the doubles is no number the fields can hold.
    if (result.ec != std::errc() || result.ptr != number.data() + number.size()) {
        return false;
    }
    *value = parsed;
    return true;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    CWnd* item = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    return item ? item->m_hWnd : nullptr;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail() {
    m_bFailed = TRUE;
    if (!m_bSaveAndValidate || !m_pDlgWnd) {
        return;
    }
    CWnd* item = m_pDlgWnd->GetDlgItem(m_idLastControl);
    if (!item) {
        return;
    }
    item->SetFocus();
    if (m_bEditLastControl) {
        ::SendMessage(item->m_hWnd, EM_SETSEL, 0, -1);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) {
        return;
    }
    if (HWND hWnd = pDX->PrepareCtrl(nIDC)) {
        rControl.SubclassWindow(hWnd);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->m_bFailed) {
        return;
    }
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SetTextOf(hWnd, FormatDdxInt(value));
        return;
    }
    if (!ParseDdxInt(TextOf(hWnd), &value)) {
        Prompt(pDX, "请输入一个整数。");
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    if (pDX->m_bFailed) {
        return;
    }
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        SetTextOf(hWnd, FormatDdxDouble(value));
        return;
    }
    if (!ParseDdxDouble(TextOf(hWnd), &value)) {
        Prompt(pDX, "请输入一个数字。");
        pDX->Fail();
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || pDX->m_bFailed || (value >= minVal && value <= maxVal)) {
        return;
    }
    Prompt(pDX, "请输入一个介于 " + FormatDdxInt(minVal) + " 和 " + FormatDdxInt(maxVal) +
                    " 之间的整数。");
    pDX->Fail();
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
    if (!pDX->m_bSaveAndValidate || pDX->m_bFailed || (value >= minVal && value <= maxVal)) {
        return;
    }
    Prompt(pDX, "请输入一个介于 " + FormatDdxDouble(minVal) + " 和 " + FormatDdxDouble(maxVal) +
                    " 之间的数字。");
    pDX->Fail();
}
