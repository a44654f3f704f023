// Test fixtures for the numeric entry field: the real CNumericEdit on a real edit window, driven
// by QTest key events, and the same logic over an in-memory text with a selection. Both take
// and show a field in a compact notation: a bar | marks the caret; [ and ] mark a selection.
#pragma once

#include "controls/numeric_edit.h"
#include "controls/numeric_text.h"
#include "platform/wnd.h"

#include <QTest>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <string>

namespace numeric_field {

// A field in notation: text plus selection (start == end for a caret).
struct Shown {
    std::string text;
    int start = 0;
    int end = 0;
};

inline Shown FromNotation(const std::string& s) {
    Shown f;
    int caret = -1, open = -1, close = -1;
    for (char ch : s) {
        if (ch == '|') {
            caret = static_cast<int>(f.text.size());
        } else if (ch == '[') {
            open = static_cast<int>(f.text.size());
        } else if (ch == ']') {
            close = static_cast<int>(f.text.size());
        } else {
            f.text += ch;
        }
    }
    if (open >= 0) {
        f.start = open, f.end = close;
    } else if (caret >= 0) {
        f.start = f.end = caret;
    } else {
        f.start = f.end = static_cast<int>(f.text.size());
    }
    return f;
}

inline std::string ToNotation(const std::string& text, int start, int end) {
    std::string out = text;
    if (start == end) {
        return out.insert(static_cast<size_t>(std::clamp(start, 0, static_cast<int>(text.size()))),
                          "|");
    }
    out.insert(static_cast<size_t>(end), "]");
    return out.insert(static_cast<size_t>(start), "[");
}

// CNumericEdit with the logic's members and text operations opened to the tests.
class ProbedNumericEdit : public CNumericEdit {
public:
    using NumericText::ApplyGrouping;
    using NumericText::FormatValue;
    using NumericText::m_bGrouping;
    using NumericText::m_chDecimalSep;
    using NumericText::m_chGroupSep;
    using NumericText::m_dValue;
    using NumericText::m_nDecimals;
    using NumericText::ParseText;
    const NumericText& Logic() const { return *this; }
};

// The real field: a CNumericEdit attached to an "EDIT" window in a top-level widget.
class WidgetField {
public:
    explicit WidgetField(BOOL grouping = FALSE, DWORD style = 0) {
        top = std::make_unique<QWidget>();
        top->resize(400, 60);
        hwnd = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | style,
                              CRect(5, 5, 395, 29), top.get(), 1000);
        edit.SubclassWindow(hwnd);
        edit.SetGrouping(grouping);
    }
    // Writes the text as other code does (SetWindowText) and places the selection.
    void Place(const std::string& notation) {
        const Shown f = FromNotation(notation);
        edit.SetWindowText(f.text.c_str());
        ::SendMessage(hwnd, EM_SETSEL, static_cast<WPARAM>(f.start), f.end);
    }
    std::string Text() const { return edit.GetWindowText().str(); }
    void Sel(int& start, int& end) const { edit.GetSel(start, end); }
    std::string Notation() const {
        int s = 0, e = 0;
        Sel(s, e);
        return ToNotation(Text(), s, e);
    }
    // A key as the user presses it: "Backspace", "Delete", "Insert", or one typed character.
    void Press(const std::string& key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        if (key == "Backspace") {
            QTest::keyClick(hwnd, Qt::Key_Backspace, mods);
        } else if (key == "Delete") {
            QTest::keyClick(hwnd, Qt::Key_Delete, mods);
        } else if (key == "Insert") {
            QTest::keyClick(hwnd, Qt::Key_Insert, mods);
        } else {
            QTest::keyClick(hwnd, key.at(0), mods);
        }
    }
    void Type(const std::string& chars) {
        for (char ch : chars) {
            QTest::keyClick(hwnd, ch);
        }
    }

    std::unique_ptr<QWidget> top;
    HWND hwnd = nullptr;
    ProbedNumericEdit edit;
};

// The same logic over an in-memory text, with the caret moves of a single-line edit.
class MemoryField : public NumericText {
public:
    explicit MemoryField(BOOL grouping = FALSE) { m_bGrouping = grouping; }

    void Place(const std::string& notation) {
        const Shown f = FromNotation(notation);
        text = f.text;
        anchor = f.start, caret = f.end;
    }
    std::string Notation() const {
        int s = 0, e = 0;
        FieldGetSel(s, e);
        return ToNotation(text.str(), s, e);
    }
    void Press(const std::string& key) {
        if (key == "Backspace") {
            HandleChar(VK_BACK);
        } else if (key == "Delete") {
            HandleKeyDown(VK_DELETE);
        } else if (key == "Insert") {
            HandleKeyDown(VK_INSERT);
        } else {
            HandleChar(static_cast<unsigned char>(key.at(0)));
        }
    }
    // Caret moves: to a new offset, extending the selection when shift is held.
    void MoveTo(int pos, bool shift) {
        caret = std::clamp(pos, 0, text.GetLength());
        if (!shift) {
            anchor = caret;
        }
    }

    CString text;
    int anchor = 0; // the fixed end of the selection
    int caret = 0;  // the moving end
    bool readOnly = false;

protected:
    CString FieldText() const override { return text; }
    void FieldSetText(const CString& t) override {
        text = t;
        anchor = caret = 0;
    }
    void FieldGetSel(int& start, int& end) const override {
        start = std::min(anchor, caret);
        end = std::max(anchor, caret);
    }
    void FieldSetCaret(int pos) override { anchor = caret = std::clamp(pos, 0, text.GetLength()); }
    void FieldDeleteSel() override {
        int s = 0, e = 0;
        FieldGetSel(s, e);
        text.Delete(s, e - s);
        anchor = caret = s;
    }
    BOOL FieldReadOnly() const override { return readOnly; }
};

} // namespace numeric_field
