// The numeric entry field's logic: value model and text operations first, then the keystroke
// filter and the editing operations. The head comment of numeric_text.h lists where and why it
// departs from the field's original rules.
#include "controls/numeric_text.h"

#include "platform/services.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// The character at i, or '\0' outside the text.
char At(const CString& t, int i) {
    return i >= 0 && i < t.GetLength() ? t.GetAt(i) : '\0';
}

bool IsContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

// Bytes of the character that starts at i (1 for ASCII, more for a UTF-8 sequence).
int CharLengthAt(const CString& t, int i) {
    int n = 1;
    while (i + n < t.GetLength() && IsContinuationByte(t.GetAt(i + n))) {
        ++n;
    }
    return n;
}

// Offset where the character in front of offset c starts (c > 0).
int CharStartBefore(const CString& t, int c) {
    int i = c - 1;
    while (i > 0 && IsContinuationByte(t.GetAt(i))) {
        --i;
    }
    return i;
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// The white space that atof skips in the "C" locale.
bool IsClassicSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// A locale separator string as one ASCII character, or '\0' when it is unusable.
char SeparatorFromLocale(const std::string& s, bool group) {
    if (s.empty()) {
        return '\0';
    }
    const auto lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) {
        const bool alnum = std::isalnum(lead) != 0;
        const bool printable = lead >= 0x20 && lead < 0x7F;
        if (!printable || alnum || lead == '-' || lead == '+' || (!group && lead == ' ')) {
            return '\0';
        }
        return static_cast<char>(lead);
    }
    // The Unicode spaces that locales group digits with (no-break, figure, thin, narrow
    // no-break space) read as the ASCII space; no other non-ASCII separator has a
    // single-byte stand-in.
    static const char* const spaces[] = {"\u00A0", "\u2007", "\u2009", "\u202F"};
    if (group) {
        for (const char* space : spaces) {
            if (s.rfind(space, 0) == 0) {
                return ' ';
            }
        }
    }
    return '\0';
}

} // namespace

NumericText::NumericText()
    : m_dValue(0.0), m_bGrouping(TRUE), m_chGroupSep(','), m_chDecimalSep('.'), m_nDecimals(10) {
    ReadLocaleSeparators();
}

// The system locale's separators, checked as the head comment says.
void NumericText::ReadLocaleSeparators() {
    std::string decimal, group;
    if (!GetServices().LocaleSeparators(&decimal, &group)) {
        return;
    }
    if (const char d = SeparatorFromLocale(decimal, false)) {
        m_chDecimalSep = d;
    }
    const char g = SeparatorFromLocale(group, true);
    if (g && g != m_chDecimalSep) {
        m_chGroupSep = g;
    }
    if (m_chGroupSep == m_chDecimalSep) {
        m_chGroupSep = m_chDecimalSep == ',' ? '.' : ',';
    }
}

void NumericText::SetValue(double v) {
    m_dValue = v;
    SetTextAndCaret(FormatValue(v), 0);
}

void NumericText::SetGrouping(BOOL b) {
    m_bGrouping = b;
    SetValue(m_dValue);
}

CString NumericText::FormatValue(double v) const {
    const bool negative = std::signbit(v);
    double magnitude = std::fabs(v);
    if (std::isnan(magnitude)) {
        magnitude = 0.0;
    } else if (std::isinf(magnitude)) {
        magnitude = DBL_MAX;
    }

    // The shortest digits that read back to the same double, and the decimal exponent of the
    // first of them: d.ddde±x.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string scientific(buffer, written.ptr);
    const size_t e = scientific.find('e');
    std::string digits;
    for (size_t i = 0; i < e; ++i) {
        if (IsDigit(scientific[i])) {
            digits += scientific[i];
        }
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'),
                    scientific.data() + scientific.size(), exponent);
    const int point = exponent + 1; // digits in front of the decimal point
    auto digitAt = [&](int i) {
        return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    };

    // Integer digits without leading zeros (none below 1); fraction digits cut, not rounded.
    CString text;
    if (magnitude != 0.0) {
        for (int i = 0; i < point; ++i) {
            text += digitAt(i);
        }
    }
    if (m_nDecimals > 0) {
        text += m_chDecimalSep;
        for (int k = 0; k < m_nDecimals; ++k) {
            text += digitAt(point + k);
        }
    }
    CString result = ApplyGrouping(text);
    if (negative) {
        result = '-' + result;
    }
    return result;
}

CString NumericText::ApplyGrouping(const CString& t) const {
    CString T = t;
    RemoveGrouping(T);
    if (!m_bGrouping) {
        return T;
    }
    CString I, F;
    SplitAtDecimal(T, I, F);
    // From the last character to the first, a separator in front of every third; characters
    // are counted whole, so a separator never lands inside a multi-byte one.
    CString G;
    int counted = 0;
    for (int end = I.GetLength(); end > 0;) {
        const int start = CharStartBefore(I, end);
        G = I.Mid(start, end - start) + G;
        end = start;
        if (++counted % 3 == 0) {
            G = m_chGroupSep + G;
        }
    }
    CString result = G;
    if (m_nDecimals > 0) {
        result += m_chDecimalSep + F;
    }
    StripLeadingGroupSep(result);
    return result;
}

void NumericText::RemoveGrouping(CString& t) const {
    t.Remove(m_chGroupSep);
}

void NumericText::SplitAtDecimal(const CString& t, CString& integerText,
                                 CString& fractionText) const {
    CString T = t;
    RemoveGrouping(T);
    const int i = T.Find(m_chDecimalSep);
    if (i < 0) {
        integerText = T;
        fractionText.Empty();
        return;
    }
    integerText = T.Left(i);
    fractionText = T.Mid(i + 1);
}

void NumericText::StripLeadingGroupSep(CString& t) const {
    const bool minus = At(t, 0) == '-';
    CString rest = minus ? t.Mid(1) : t;
    if (At(rest, 0) == m_chGroupSep) {
        rest.Delete(0);
    }
    t = minus ? '-' + rest : rest;
}

void NumericText::LocalizeForeignPoint(CString& t) const {
    if (m_chDecimalSep == '.' || t.Find(m_chDecimalSep) >= 0) {
        return;
    }
    if (m_bGrouping && m_chGroupSep == '.') {
        return; // "." is then this field's own group separator
    }
    const int i = t.Find('.');
    if (i >= 0) {
        t.SetAt(i, m_chDecimalSep);
    }
}

CString NumericText::ToClassicNumber(const CString& t) const {
    CString T = t;
    LocalizeForeignPoint(T);
    RemoveGrouping(T);
    CString I, F;
    SplitAtDecimal(T, I, F);
    return I + '.' + F;
}

double NumericText::ParseText(const CString& t) const {
    double value = 0.0;
    ReadNumber(ToClassicNumber(t), &value);
    return value;
}

bool NumericText::ReadNumber(const CString& t, double* value) {
    const char* p = t.GetString();
    const char* const end = p + t.GetLength();
    while (p < end && IsClassicSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p++ == '-';
    }
    *value = 0.0;
    // The number must start with a digit, or a point and a digit: atof reads no "inf", "nan"
    // or second sign, which std::from_chars would.
    if (!(p < end && (IsDigit(*p) || (*p == '.' && p + 1 < end && IsDigit(p[1]))))) {
        return true;
    }
    double magnitude = 0.0;
    const auto read = std::from_chars(p, end, magnitude, std::chars_format::general);
    bool inRange = true;
    if (read.ec == std::errc::result_out_of_range) {
        // Too large or too small: the decimal exponent of the first non-zero digit decides.
        // order: the power of ten of the first non-zero digit, before the exponent.
        int order = 0;
        bool found = false;
        const char* q = p;
        int integerDigits = 0;
        for (; q < read.ptr && IsDigit(*q); ++q, ++integerDigits) {
            if (!found && *q != '0') {
                found = true, order = -integerDigits; // completed below
            }
        }
        if (found) {
            order += integerDigits - 1;
        }
        if (q < read.ptr && *q == '.') {
            ++q;
            for (int j = 0; q < read.ptr && IsDigit(*q); ++q, ++j) {
                if (!found && *q != '0') {
                    found = true, order = -(j + 1);
                }
            }
        }
        long exponent = 0;
        if (q < read.ptr && (*q == 'e' || *q == 'E')) {
            ++q;
            const bool negativeExponent = *q == '-';
            if (*q == '-' || *q == '+') {
                ++q;
            }
            for (; q < read.ptr && IsDigit(*q); ++q) {
                exponent = std::min(exponent * 10 + (*q - '0'), 1000000L);
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
        }
        inRange = !(found && order + exponent > 0);
        magnitude = inRange ? 0.0 : DBL_MAX;
    }
    *value = negative ? -magnitude : magnitude;
    return inRange;
}

void NumericText::SetTextAndCaret(const CString& t, int c) {
    FieldSetText(t);
    FieldSetCaret(std::clamp(c, 0, t.GetLength()));
    m_dValue = ParseText(t);
}

BOOL NumericText::IsInIntegerPart(const CString& t, int pos) const {
    const int i = t.Find(m_chDecimalSep);
    return i < 0 || pos <= i;
}

BOOL NumericText::HasSelection() const {
    int start = 0, end = 0;
    FieldGetSel(start, end);
    return end > start;
}

void NumericText::GetTextAndCaret(CString& t, int& c) const {
    t = FieldText();
    LocalizeForeignPoint(t);
    int end = 0;
    FieldGetSel(c, end);
}

// WM_CHAR: the typed character.
void NumericText::HandleChar(UINT nChar) {
    if (FieldReadOnly()) {
        return;
    }
    if (nChar == '-' || nChar == '+') {
        DeleteSelection();
        ApplySign(static_cast<char>(nChar));
    } else if (nChar >= '0' && nChar <= '9') {
        DeleteSelection();
        InsertDigit(static_cast<char>(nChar));
    } else if (nChar == VK_BACK) {
        if (HasSelection()) {
            DeleteSelection();
        } else {
            DeleteBackward();
        }
    } else if (nChar == static_cast<unsigned char>(m_chDecimalSep)) {
        DeleteSelection();
        InsertDecimalSep();
    }
}

// WM_KEYDOWN before dispatch: Delete and Insert.
BOOL NumericText::HandleKeyDown(UINT nVirtKey) {
    if (nVirtKey == VK_DELETE) {
        if (!FieldReadOnly()) {
            if (HasSelection()) {
                DeleteSelection();
            } else {
                DeleteForward();
            }
        }
        return TRUE;
    }
    return nVirtKey == VK_INSERT;
}

void NumericText::DeleteSelection() {
    int start = 0, end = 0;
    FieldGetSel(start, end);
    if (end > start) {
        FieldDeleteSel();
    }
    SetTextAndCaret(FieldText(), start);
    SetValue(m_dValue);
    FieldSetCaret(start);
}

// An edit whose text would lie beyond the range of a double is refused: the text and caret
// stay as they were. A text that already lay beyond it may still be edited back into range.
void NumericText::CommitEdit(const CString& before, int caretBefore, const CString& t, int c) {
    double unused = 0.0;
    if (!ReadNumber(ToClassicNumber(t), &unused) && ReadNumber(ToClassicNumber(before), &unused)) {
        SetTextAndCaret(before, caretBefore);
    } else {
        SetTextAndCaret(t, c);
    }
}

void NumericText::InsertDigit(char d) {
    CString t;
    int c = 0;
    GetTextAndCaret(t, c);
    const CString before = t;
    const int caretBefore = c;
    if (IsInIntegerPart(t, c)) {
        if (c == 0 && At(t, 0) == '-') {
            SetTextAndCaret(t, c); // no digit in front of the sign
            return;
        }
        const int after = t.GetLength() - c;
        t.Insert(c, d);
        t = ApplyGrouping(t);
        c = t.GetLength() - after;
    } else if (c < t.GetLength()) {
        t.Delete(c, CharLengthAt(t, c));
        t.Insert(c, d);
        c = c + 1;
    }
    if (c >= 0 && c < t.GetLength() && t.GetAt(c) == m_chGroupSep) {
        c = c + 1;
    }
    CommitEdit(before, caretBefore, t, c);
}

void NumericText::DeleteBackward() {
    CString t;
    int c = 0;
    GetTextAndCaret(t, c);
    const CString before = t;
    const int caretBefore = c;
    if (c > 0 && t.GetAt(c - 1) == m_chDecimalSep) {
        c = c - 1;
    }
    if (IsInIntegerPart(t, c)) {
        const int after = t.GetLength() - c;
        if (c > 0) {
            int start = CharStartBefore(t, c);
            if (t.GetAt(c - 1) == m_chGroupSep && start > 0) {
                start = CharStartBefore(t, start); // the separator and the digit in front
            }
            t.Delete(start, c - start);
        }
        t = ApplyGrouping(t);
        c = t.GetLength() - after;
    } else {
        const int start = CharStartBefore(t, c);
        t.Delete(start, c - start);
        t += '0';
        c = start;
    }
    CommitEdit(before, caretBefore, t, c);
}

void NumericText::DeleteForward() {
    CString t;
    int c = 0;
    GetTextAndCaret(t, c);
    const CString before = t;
    const int caretBefore = c;
    if (c < t.GetLength() && t.GetAt(c) == m_chDecimalSep) {
        c = c + 1;
    }
    if (IsInIntegerPart(t, c)) {
        int after = t.GetLength() - c;
        int count = 0;
        if (c < t.GetLength()) {
            count = CharLengthAt(t, c);
            if (t.GetAt(c) == m_chGroupSep && c + count < t.GetLength()) {
                count += CharLengthAt(t, c + count); // the separator and the digit behind
            }
        }
        t.Delete(c, count);
        after -= std::max(count, 1);
        t = ApplyGrouping(t);
        c = t.GetLength() - after;
    } else if (c < t.GetLength()) {
        t.Delete(c, CharLengthAt(t, c));
        t += '0';
    }
    CommitEdit(before, caretBefore, t, c);
}

void NumericText::InsertDecimalSep() {
    CString t;
    int c = 0;
    GetTextAndCaret(t, c);
    int i = t.Find(m_chDecimalSep);
    if (i < 0) {
        i = t.GetLength();
    }
    if (IsInIntegerPart(t, c)) {
        t = t.Left(c) + t.Mid(i);
    }
    t = ApplyGrouping(t);
    i = t.Find(m_chDecimalSep);
    if (i < 0) {
        i = t.GetLength();
    }
    c = std::min(i + 1, t.GetLength());
    SetTextAndCaret(t, c);
}

void NumericText::ApplySign(char s) {
    CString t;
    int c = 0;
    GetTextAndCaret(t, c);
    if (At(t, 0) == '-') {
        t.Delete(0);
        c = c - 1;
    } else if (s == '-') {
        t.Insert(0, '-');
        c = c + 1;
    }
    SetTextAndCaret(t, c);
}
