// The "EDIT" window class in the details the numeric field relies on: the caret stands at the
// end of a selection given last, selections read back ordered, and text enters only by typing
// or from the program (no drops).
#include "platform/dc.h"
#include "platform/edit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

struct EditHost {
    EditHost() {
        top = std::make_unique<QWidget>();
        top->resize(300, 60);
        hwnd = CreateWindowEx(0, "EDIT", "0123456789", WS_CHILD | WS_VISIBLE | WS_BORDER,
                              CRect(5, 5, 295, 29), top.get(), 100);
        edit.Attach(hwnd);
    }
    ~EditHost() { edit.Detach(); }
    std::pair<int, int> Sel() const {
        int s = -1, e = -1;
        edit.GetSel(s, e);
        return {s, e};
    }
    std::unique_ptr<QWidget> top;
    HWND hwnd = nullptr;
    CEdit edit;
};

TEST(EditWindow, TheCaretStandsAtTheEndGivenLast) {
    struct Case {
        int start, end;
        Qt::Key key;
        std::pair<int, int> selection; // after Shift+key moves the caret
    } cases[] = {
        {2, 5, Qt::Key_Right, {2, 6}}, // caret at 5 moves right
        {5, 2, Qt::Key_Right, {3, 5}}, // caret at 2 moves right, 5 stays
        {5, 2, Qt::Key_Left, {1, 5}},  {4, 4, Qt::Key_Left, {3, 4}}, {7, 7, Qt::Key_End, {7, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.end));
        EditHost host;
        ::SendMessage(host.hwnd, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
        EXPECT_EQ(host.Sel(), std::make_pair(std::min(c.start, c.end), std::max(c.start, c.end)));
        QTest::keyClick(host.hwnd, c.key, Qt::ShiftModifier);
        EXPECT_EQ(host.Sel(), c.selection);
    }
}

TEST(EditWindow, ASelectionMadeBackwardsReadsBackOrdered) {
    EditHost host;
    ::SendMessage(host.hwnd, EM_SETSEL, 6, 6);
    QTest::keyClick(host.hwnd, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(host.hwnd, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(host.Sel(), std::make_pair(4, 6));
    host.edit.ReplaceSel("");
    EXPECT_EQ(host.edit.GetWindowText(), "01236789");
    EXPECT_EQ(host.Sel(), std::make_pair(4, 4));
}

TEST(EditWindow, ScrollCaretAnswersAndKeepsTheSelection) {
    EditHost host;
    ::SendMessage(host.hwnd, EM_SETSEL, 3, 3);
    EXPECT_EQ(::SendMessage(host.hwnd, EM_SCROLLCARET), TRUE);
    EXPECT_EQ(host.Sel(), std::make_pair(3, 3));
}

TEST(EditWindow, ReadOnlyFieldsTakeTheProgramsTextAndPlaceTheCaret) {
    EditHost host;
    host.edit.SetReadOnly(TRUE);
    EXPECT_TRUE(host.edit.GetStyle() & ES_READONLY);
    host.edit.SetWindowText("42.5");
    ::SendMessage(host.hwnd, EM_SETSEL, 2, 2);
    EXPECT_EQ(host.edit.GetWindowText(), "42.5");
    EXPECT_EQ(host.Sel(), std::make_pair(2, 2));
    QTest::keyClick(host.hwnd, Qt::Key_Backspace);
    EXPECT_EQ(host.edit.GetWindowText(), "42.5");
}

// Records the characters an attached object receives and swallows those that are not digits.
class DigitsOnlyEdit : public CEdit {
public:
    std::vector<UINT> chars;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override {
        chars.push_back(nChar);
        if (nChar >= '0' && nChar <= '9') {
            CEdit::OnChar(nChar, nRepCnt, nFlags);
        }
    }
};

TEST(EditWindow, InputMethodTextArrivesAsCharacters) {
    QWidget top;
    HWND hwnd = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                               CRect(5, 5, 295, 29), &top, 100);
    DigitsOnlyEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hwnd));
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("1ａ2°"));
    QApplication::sendEvent(hwnd, &commit);
    EXPECT_EQ(edit.chars, (std::vector<UINT>{'1', 0xFF41, '2', 0xB0}));
    EXPECT_EQ(edit.GetWindowText(), "12");
    // Without an attached object the widget inserts the text itself.
    edit.Detach();
    QApplication::sendEvent(hwnd, &commit);
    EXPECT_EQ(CWnd::FromHandle(hwnd)->GetWindowText(), "121ａ2°");
}

TEST(EditWindow, TakesNoDrops) {
    EditHost host;
    EXPECT_FALSE(host.hwnd->acceptDrops());
}

// Records the character messages an edit's object receives.
class CharRecorder : public CEdit {
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message == WM_CHAR || message == WM_SYSCHAR) {
            messages.push_back({message, static_cast<UINT>(wParam)});
        }
        return CEdit::OnWndMsg(message, wParam, lParam, pResult);
    }
    std::vector<std::pair<UINT, UINT>> messages;
};

TEST(EditWindow, AltWithALetterIsASystemKeyThatTypesNothing) {
    struct Case {
        const char* label;
        DWORD style;
        bool attached;
    };
    const Case cases[] = {{"digits only", ES_NUMBER, true},
                          {"plain, attached", 0, true},
                          {"plain, no object", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QWidget top;
        HWND hwnd = CreateWindowEx(0, "EDIT", "31", WS_CHILD | WS_VISIBLE | WS_BORDER | c.style,
                                   CRect(5, 5, 100, 29), &top, 100);
        CharRecorder edit;
        if (c.attached) {
            edit.Attach(hwnd);
        }
        QTest::keyClick(hwnd, Qt::Key_End);
        QTest::keyClick(hwnd, Qt::Key_X, Qt::AltModifier);
        QTest::keyClick(hwnd, Qt::Key_Q, Qt::AltModifier);
        QTest::keyClick(hwnd, Qt::Key_5);
        EXPECT_EQ(static_cast<QLineEdit*>(hwnd)->text().toStdString(), "315");
        if (c.attached) {
            const std::vector<std::pair<UINT, UINT>> expected = {
                {WM_SYSCHAR, 'x'}, {WM_SYSCHAR, 'q'}, {WM_CHAR, '5'}};
            EXPECT_EQ(edit.messages, expected);
            edit.Detach();
        }
    }
}

TEST(EditWindow, AReadOnlyEditIsDrawnOnTheButtonFace) {
    EditHost host;
    auto* line = static_cast<QLineEdit*>(host.hwnd);
    struct Step {
        BOOL readOnly;
        int colour;
    };
    const Step steps[] = {{TRUE, COLOR_BTNFACE}, {FALSE, COLOR_WINDOW}, {TRUE, COLOR_BTNFACE}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.readOnly);
        host.edit.SetReadOnly(s.readOnly);
        const QColor base = line->palette().color(QPalette::Base);
        EXPECT_EQ(RGB(base.red(), base.green(), base.blue()), GetSysColor(s.colour));
    }
    HWND created = CreateWindowEx(0, "EDIT", "", WS_CHILD | ES_READONLY, CRect(0, 0, 50, 20),
                                  host.top.get(), 101);
    const QColor base = static_cast<QLineEdit*>(created)->palette().color(QPalette::Base);
    EXPECT_EQ(RGB(base.red(), base.green(), base.blue()), GetSysColor(COLOR_BTNFACE));
}

} // namespace
