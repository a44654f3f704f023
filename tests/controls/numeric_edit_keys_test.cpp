// The keystroke filter on the real widget: what it refuses, what it swallows, and the keys it
// leaves to the edit window (caret moves and selections).
#include "tests/controls/numeric_field_support.h"

#include "platform/edit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

using numeric_field::WidgetField;

const Qt::KeyboardModifiers kNoneShiftCtrl[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                Qt::ControlModifier};

TEST(NumericEditKeys, ReadOnlyFieldTakesNoCharacterAndNoDelete) {
    WidgetField field(FALSE, ES_READONLY);
    field.Place("12|.5000000000");
    for (const char* key : {"7", "-", "+", ".", "Backspace", "Delete"}) {
        SCOPED_TRACE(key);
        field.Press(key);
        EXPECT_EQ(field.Notation(), "12|.5000000000");
    }
    field.Press("Delete", Qt::ShiftModifier);
    EXPECT_EQ(field.Notation(), "12|.5000000000");
}

TEST(NumericEditKeys, ReadOnlyFollowsTheStyleAtTheMomentOfTheKey) {
    WidgetField field;
    field.Place("12|.5000000000");
    field.edit.SendMessage(EM_SETREADONLY, TRUE);
    field.Press("3");
    EXPECT_EQ(field.Text(), "12.5000000000");
    field.edit.SendMessage(EM_SETREADONLY, FALSE);
    field.Press("3");
    EXPECT_EQ(field.Notation(), "123|.5000000000");
}

TEST(NumericEditKeys, SetValueWritesAReadOnlyField) {
    WidgetField field(FALSE, ES_READONLY);
    field.edit.SetValue(2.5);
    EXPECT_EQ(field.Text(), "2.5000000000");
}

TEST(NumericEditKeys, InsertIsSwallowedWithAnyModifier) {
    QApplication::clipboard()->setText("999");
    WidgetField field;
    for (const Qt::KeyboardModifiers mods : kNoneShiftCtrl) {
        field.Place("1[2].5000000000");
        field.Press("Insert", mods);
        EXPECT_EQ(field.Notation(), "1[2].5000000000");
    }
}

TEST(NumericEditKeys, DeleteAndItsShiftAndCtrlFormsActAsDelete) {
    for (const Qt::KeyboardModifiers mods : kNoneShiftCtrl) {
        WidgetField field;
        field.Place("1|23.5000000000");
        field.Press("Delete", mods);
        EXPECT_EQ(field.Notation(), "1|3.5000000000");
        field.Place("1[23].5000000000");
        field.Press("Delete", mods);
        EXPECT_EQ(field.Notation(), "1|.5000000000");
    }
}

TEST(NumericEditKeys, OtherCharactersAreDroppedSilently) {
    QApplication::clipboard()->setText("777");
    WidgetField field(TRUE);
    field.edit.SetValue(1234.5);
    ::SendMessage(field.hwnd, EM_SETSEL, 2, 4);
    const std::string before = field.Notation();
    struct Key {
        char ch;
        Qt::KeyboardModifiers mods;
        const char* what;
    } keys[] = {
        {'a', Qt::NoModifier, "a letter"},     {'E', Qt::ShiftModifier, "a capital letter"},
        {' ', Qt::NoModifier, "space"},        {',', Qt::NoModifier, "the group separator"},
        {'*', Qt::NoModifier, "another sign"}, {'v', Qt::ControlModifier, "Ctrl+V"},
        {'x', Qt::ControlModifier, "Ctrl+X"},  {'z', Qt::ControlModifier, "Ctrl+Z"},
    };
    for (const Key& k : keys) {
        SCOPED_TRACE(k.what);
        QTest::keyClick(field.hwnd, k.ch, k.mods);
        EXPECT_EQ(field.Notation(), before);
    }
    // Non-ASCII characters and digits of other scripts are dropped too.
    for (const char16_t ch : {u'\u00E9', u'\uFF15', u'\u0665'}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(ch)));
        QApplication::sendEvent(field.hwnd, &press);
        EXPECT_EQ(field.Notation(), before);
    }
}

// Copying and selecting change no text: they work as in any field, read-only ones too, and
// leave the clipboard's text in the field's rules' hands only on Ctrl+V.
TEST(NumericEditKeys, CtrlCCopiesAndCtrlASelectsAllInEditableAndReadOnlyFields) {
    for (DWORD style : {DWORD{0}, DWORD{ES_READONLY}}) {
        SCOPED_TRACE(style ? "read-only" : "editable");
        QApplication::clipboard()->setText("777");
        WidgetField field(FALSE, style);
        field.Place("33[80740.93]03344");
        QTest::keyClick(field.hwnd, 'c', Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "80740.93");
        EXPECT_EQ(field.Notation(), "33[80740.93]03344");
        QTest::keyClick(field.hwnd, 'a', Qt::ControlModifier);
        EXPECT_EQ(field.Notation(), "[3380740.9303344]");
        QTest::keyClick(field.hwnd, 'c', Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "3380740.9303344");
    }
}

TEST(NumericEditKeys, ADoubleClickSelectsTheWholeNumber) {
    for (const char* text : {"3380740.9303344", "-12.5000000000", "42"}) {
        SCOPED_TRACE(text);
        WidgetField field;
        field.edit.SetWindowText(text);
        const QPoint onDecimals(field.hwnd->width() / 2, field.hwnd->height() / 2);
        QTest::mouseDClick(field.hwnd, Qt::LeftButton, Qt::NoModifier, onDecimals);
        EXPECT_EQ(field.Notation(), "[" + std::string(text) + "]");
    }
}

TEST(NumericEditKeys, InputMethodTextGoesThroughTheFilter) {
    WidgetField field;
    field.Place("|.0000000000");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("1x2.５5"));
    QApplication::sendEvent(field.hwnd, &commit);
    EXPECT_EQ(field.Notation(), "12.5|000000000");
}

TEST(NumericEditKeys, UndoAfterAnEditChangesNothing) {
    WidgetField field;
    field.Place("12|.5000000000");
    field.Type("3");
    QTest::keyClick(field.hwnd, 'z', Qt::ControlModifier);
    EXPECT_EQ(field.Notation(), "123|.5000000000");
}

TEST(NumericEditKeys, ArrowsHomeAndEndStillMoveTheCaretAndSelect) {
    WidgetField field;
    field.Place("12|.5000000000");
    struct Move {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* after;
    } moves[] = {
        {Qt::Key_Left, Qt::NoModifier, "1|2.5000000000"},
        {Qt::Key_Right, Qt::NoModifier, "12|.5000000000"},
        {Qt::Key_End, Qt::NoModifier, "12.5000000000|"},
        {Qt::Key_Home, Qt::NoModifier, "|12.5000000000"},
        {Qt::Key_Right, Qt::ShiftModifier, "[1]2.5000000000"},
        {Qt::Key_End, Qt::ShiftModifier, "[12.5000000000]"},
        {Qt::Key_Home, Qt::NoModifier, "|12.5000000000"},
        {Qt::Key_End, Qt::NoModifier, "12.5000000000|"},
        {Qt::Key_Left, Qt::ShiftModifier, "12.500000000[0]"},
        {Qt::Key_Home, Qt::ShiftModifier, "[12.5000000000]"},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(m.after);
        QTest::keyClick(field.hwnd, m.key, m.mods);
        EXPECT_EQ(field.Notation(), m.after);
    }
    // A selection made with Shift+arrows is then deleted by the filter.
    field.Press("Backspace");
    EXPECT_EQ(field.Notation(), "|.0000000000");
}

// Records the messages that reach the edit window's own processing.
class DefaultRecordingEdit : public numeric_field::ProbedNumericEdit {
public:
    std::vector<UINT> defaults;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        defaults.push_back(message);
        return ProbedNumericEdit::DefWindowProc(message, wParam, lParam);
    }
    bool Defaulted(UINT message) const {
        return std::find(defaults.begin(), defaults.end(), message) != defaults.end();
    }
};

TEST(NumericEditKeys, RightButtonPressIsSwallowed) {
    // Qt's line edit shows no reaction of its own to a right press, so the test looks at the
    // message: it reaches the field, and the window's own processing never sees it.
    QWidget top;
    top.resize(400, 60);
    HWND hwnd = CreateWindowEx(0, "EDIT", "12.5000000000", WS_CHILD | WS_VISIBLE | WS_BORDER,
                               CRect(5, 5, 395, 29), &top, 1000);
    DefaultRecordingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hwnd));
    top.show();
    ::SendMessage(hwnd, EM_SETSEL, 8, 8);
    QTest::mousePress(hwnd, Qt::RightButton, Qt::NoModifier, QPoint(2, 10));
    QTest::mouseRelease(hwnd, Qt::RightButton, Qt::NoModifier, QPoint(2, 10));
    EXPECT_FALSE(edit.Defaulted(WM_RBUTTONDOWN));
    EXPECT_EQ(edit.GetWindowText(), "12.5000000000");
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 8);
    EXPECT_EQ(end, 8);
    // A left press does reach the window's own processing.
    QTest::mousePress(hwnd, Qt::LeftButton, Qt::NoModifier, QPoint(2, 10));
    QTest::mouseRelease(hwnd, Qt::LeftButton, Qt::NoModifier, QPoint(2, 10));
    EXPECT_TRUE(edit.Defaulted(WM_LBUTTONDOWN));
}

} // namespace
