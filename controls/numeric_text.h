// NumericText: the numeric entry field's value model, text operations and editing over an
// abstract text-with-selection, so that the same code runs on the real edit window
// (CNumericEdit) and on an in-memory text in tests. No window system here: the six
// pure virtual Field… operations are all that the logic asks of a window.
//
// Where it departs from the field's original rules, and why:
// - FormatValue takes the shortest decimal digits that read back to the same double
//   (std::to_chars without a precision), not the 17-significant-digit form, so typed digits
//   stay as typed (6378245.1 is not re-rendered as 6378245.0999999999); 0.6 shows .6000000000.
// - Main form's decimal point: when the decimal separator is not ".", a text that holds no
//   decimal separator but holds a "." (and "." is not the group separator in use) is read with
//   its first "." as the decimal separator. The main form writes 298.2572235635 whatever the
//   locale; under a "," / "." locale it is no longer misread as 2982572235635. Under the usual
//   "." / "," locale nothing changes.
// - Double range: ParseText never returns an infinity (a number beyond the range reads as the
//   largest finite double with its sign, one too small as zero), and InsertDigit refuses a
//   digit that would carry the number beyond the range.
// - Locale separators are used only when they are single ASCII characters fit for the role;
//   the Unicode spaces that locales use as group separators (U+00A0, U+202F, …) become an ASCII
//   space; anything else keeps the default. Group and decimal separator never coincide.
// - A digit typed in front of a leading minus sign is refused: a number cannot
//   start in front of its own sign.
// - Deleting or overwriting a character that other code wrote as several UTF-8 bytes takes the
//   whole character, so the text never holds a split character.
#pragma once

#include "platform/cstring.h"
#include "platform/win_types.h"

class NumericText {
public:
    NumericText();
    virtual ~NumericText() = default;
    NumericText(const NumericText&) = delete;
    NumericText& operator=(const NumericText&) = delete;

    // Public operations.
    void SetValue(double v);
    void SetGrouping(BOOL b);

    // The keystroke filter: a WM_CHAR character code, and a WM_KEYDOWN virtual key,
    // which returns TRUE when the key is consumed.
    void HandleChar(UINT nChar);
    BOOL HandleKeyDown(UINT nVirtKey);

    // Text operations: pure functions of the text and the members.
    CString FormatValue(double v) const;
    CString ApplyGrouping(const CString& t) const;
    void RemoveGrouping(CString& t) const;
    void SplitAtDecimal(const CString& t, CString& integerText, CString& fractionText) const;
    void StripLeadingGroupSep(CString& t) const;
    double ParseText(const CString& t) const;
    BOOL IsInIntegerPart(const CString& t, int pos) const;
    // The main form's "." read as the decimal separator (see the head comment); same length.
    void LocalizeForeignPoint(CString& t) const;

    void ReadLocaleSeparators();
    void SetTextAndCaret(const CString& t, int c);

    // Editing operations.
    void DeleteSelection();
    void InsertDigit(char d);
    void DeleteBackward();
    void DeleteForward();
    void InsertDecimalSep();
    void ApplySign(char s);
    BOOL HasSelection() const;
    void GetTextAndCaret(CString& t, int& c) const;

    double m_dValue;
    BOOL m_bGrouping;
    char m_chGroupSep;
    char m_chDecimalSep;
    int m_nDecimals;

protected:
    // What the logic needs of the window, and nothing more.
    virtual CString FieldText() const = 0;                    // GetWindowText
    virtual void FieldSetText(const CString& t) = 0;          // SetWindowText
    virtual void FieldGetSel(int& start, int& end) const = 0; // EM_GETSEL
    virtual void FieldSetCaret(int pos) = 0;                  // EM_SETSEL pos, pos; EM_SCROLLCARET
    virtual void FieldDeleteSel() = 0;                        // EM_REPLACESEL "" without undo
    virtual BOOL FieldReadOnly() const = 0;                   // GetStyle() & ES_READONLY

private:
    // Reads the number at the start of t as atof would ("C" locale); FALSE when it lies beyond
    // the range of a double (*value then holds the largest finite double with the sign).
    static bool ReadNumber(const CString& t, double* value);
    // Ends an editing operation: SetTextAndCaret, unless the edit would carry the number
    // beyond the range of a double.
    void CommitEdit(const CString& before, int caretBefore, const CString& t, int c);
    // The text as ParseText reads it: group separators gone, the decimal separator as ".".
    CString ToClassicNumber(const CString& t) const;
};
