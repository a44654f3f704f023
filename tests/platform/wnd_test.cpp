// The window model: messages from real Qt events, default processing, pre-translation,
// capture, timers, commands and the edit, button and static window classes.
#include "platform/wnd.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

struct Recorded {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records every message it sees and optionally swallows some.
class RecordingWnd : public CWnd {
public:
    std::vector<Recorded> seen;
    std::vector<UINT> swallow;
    std::vector<UINT> preTranslateConsumes; // virtual keys consumed before dispatch
    std::vector<std::pair<UINT, int>> commands;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back({m_hWnd, message, wParam, lParam});
        if (std::find(swallow.begin(), swallow.end(), message) != swallow.end()) {
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        return pMsg->message == WM_KEYDOWN &&
               std::find(preTranslateConsumes.begin(), preTranslateConsumes.end(), pMsg->wParam) !=
                   preTranslateConsumes.end();
    }
    BOOL OnCmdMsg(UINT nID, int nCode) override {
        commands.emplace_back(nID, nCode);
        return TRUE;
    }
    std::vector<WPARAM> chars() const {
        std::vector<WPARAM> out;
        for (const auto& r : seen) {
            if (r.message == WM_CHAR) {
                out.push_back(r.wParam);
            }
        }
        return out;
    }
    int count(UINT message) const {
        return static_cast<int>(std::count_if(
            seen.begin(), seen.end(), [&](const Recorded& r) { return r.message == message; }));
    }
};

class Host {
public:
    Host() {
        top = std::make_unique<QWidget>();
        top->resize(300, 200);
    }
    HWND Create(const char* cls, DWORD style, const char* text = "", int id = 100) {
        return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 150, 34),
                              top.get(), id);
    }
    void Show() {
        top->show();
        QApplication::setActiveWindow(top.get());
    }
    std::unique_ptr<QWidget> top;
};

TEST(KeyTranslation, TypedCharactersArriveAsCharMessagesWithControlCodes) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(edit));
    host.Show();

    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        WPARAM expected;
    };
    const Case cases[] = {
        {Qt::Key_5, Qt::NoModifier, '5'},      {Qt::Key_Minus, Qt::NoModifier, '-'},
        {Qt::Key_Period, Qt::NoModifier, '.'}, {Qt::Key_Backspace, Qt::NoModifier, 8},
        {Qt::Key_V, Qt::ControlModifier, 22},  {Qt::Key_C, Qt::ControlModifier, 3},
        {Qt::Key_Z, Qt::ControlModifier, 26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        wnd.seen.clear();
        QTest::keyClick(edit, c.key, c.mods);
        ASSERT_EQ(wnd.chars().size(), 1u);
        EXPECT_EQ(wnd.chars()[0], c.expected);
        // Holding Ctrl sends its own key-down first, as the window system does.
        EXPECT_EQ(wnd.count(WM_KEYDOWN), c.mods == Qt::NoModifier ? 1 : 2);
    }
}

TEST(KeyTranslation, KeysThatTypeNothingSendOnlyKeyDown) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(edit));
    host.Show();
    const std::pair<Qt::Key, UINT> cases[] = {{Qt::Key_Delete, VK_DELETE},
                                              {Qt::Key_Insert, VK_INSERT},
                                              {Qt::Key_Left, VK_LEFT},
                                              {Qt::Key_Home, VK_HOME},
                                              {Qt::Key_End, VK_END}};
    for (const auto& [key, vk] : cases) {
        SCOPED_TRACE(vk);
        wnd.seen.clear();
        QTest::keyClick(edit, key);
        EXPECT_TRUE(wnd.chars().empty());
        ASSERT_EQ(wnd.count(WM_KEYDOWN), 1);
        EXPECT_EQ(wnd.seen[0].wParam, vk);
    }
}

TEST(DefaultProcessing, ASwallowedCharacterNeverReachesTheEdit) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER);
    RecordingWnd wnd;
    wnd.swallow = {WM_CHAR};
    ASSERT_TRUE(wnd.SubclassWindow(edit));
    host.Show();
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(wnd.GetWindowText(), "");

    wnd.swallow.clear();
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(wnd.GetWindowText(), "12");
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(wnd.GetWindowText(), "2");
}

TEST(PreTranslate, AParentConsumesAKeyBeforeTheChildSeesIt) {
    Host host;
    auto* parentBridge = host.Create("STATIC", 0, "", 5);
    HWND edit = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER,
                               CRect(0, 0, 100, 20), parentBridge, 6);
    RecordingWnd parent, child;
    ASSERT_TRUE(parent.Attach(parentBridge));
    ASSERT_TRUE(child.Attach(edit));
    parent.preTranslateConsumes = {VK_RETURN};
    host.Show();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(child.count(WM_KEYDOWN), 0);
    EXPECT_EQ(child.count(WM_CHAR), 0);
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_EQ(child.count(WM_CHAR), 1);
}

TEST(Capture, TheLoserHearsOfItAndAReleaseThereKeepsTheNewHolder) {
    Host host;
    HWND a = host.Create("BUTTON", BS_PUSHBUTTON, "a", 1);
    HWND b = host.Create("BUTTON", BS_PUSHBUTTON, "b", 2);
    RecordingWnd wa, wb;
    ASSERT_TRUE(wa.Attach(a));
    ASSERT_TRUE(wb.Attach(b));
    host.Show();

    wa.SetCapture();
    EXPECT_EQ(GetCapture(), a);
    wb.SetCapture();
    ASSERT_EQ(wa.count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(reinterpret_cast<HWND>(wa.seen.back().lParam), b);
    EXPECT_EQ(GetCapture(), b);

    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(wb.count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(wb.seen.back().lParam, 0);
    ReleaseCapture(); // nothing held: no further message
    EXPECT_EQ(wb.count(WM_CAPTURECHANGED), 1);
}

TEST(Capture, AWindowThatGoesAwayNoLongerHoldsIt) {
    Host host;
    HWND a = host.Create("BUTTON", BS_PUSHBUTTON, "a", 1);
    host.Show();
    SetCapture(a);
    delete a;
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Timers, TimerMessagesCarryTheProgramsIdAndKillStopsThem) {
    Host host;
    HWND s = host.Create("STATIC", 0);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Attach(s));
    auto ticksOf = [&](WPARAM id) {
        return std::count_if(wnd.seen.begin(), wnd.seen.end(), [&](const Recorded& r) {
            return r.message == WM_TIMER && r.wParam == id;
        });
    };
    EXPECT_EQ(wnd.SetTimer(150, 5), 150u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticksOf(150) >= 2; }, 5000));
    EXPECT_EQ(ticksOf(150), wnd.count(WM_TIMER));
    EXPECT_TRUE(wnd.KillTimer(150));
    const auto ticks = ticksOf(150);
    // A second timer of the same interval, started after the first: by the time it has ticked
    // three times, the first would have ticked again had it still been running.
    EXPECT_EQ(wnd.SetTimer(151, 5), 151u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticksOf(151) >= 3; }, 5000));
    EXPECT_EQ(ticksOf(150), ticks);
    EXPECT_TRUE(wnd.KillTimer(151));
    EXPECT_FALSE(wnd.KillTimer(150));
}

TEST(Commands, AClickedButtonNotifiesItsParentWithItsId) {
    Host host;
    auto* parentWidget = host.Create("STATIC", 0, "", 9);
    HWND button = CreateWindowEx(0, "BUTTON", "go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 CRect(0, 0, 60, 20), parentWidget, 1024);
    RecordingWnd parent;
    ASSERT_TRUE(parent.Attach(parentWidget));
    host.Show();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(parent.commands.size(), 1u);
    EXPECT_EQ(parent.commands[0], (std::pair<UINT, int>(1024, BN_CLICKED)));

    CWnd::FromHandle(button)->EnableWindow(FALSE);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(parent.commands.size(), 1u);
}

TEST(RadioButtons, AutomaticRadiosClearTheOthersOfTheirGroupOnly) {
    Host host;
    const DWORD radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    HWND a1 =
        CreateWindowEx(0, "BUTTON", "a1", radio | WS_GROUP, CRect(0, 0, 50, 20), host.top.get(), 1);
    HWND a2 = CreateWindowEx(0, "BUTTON", "a2", radio, CRect(0, 20, 50, 40), host.top.get(), 2);
    HWND b1 = CreateWindowEx(0, "BUTTON", "b1", radio | WS_GROUP, CRect(0, 40, 50, 60),
                             host.top.get(), 3);
    HWND b2 = CreateWindowEx(0, "BUTTON", "b2", radio, CRect(0, 60, 50, 80), host.top.get(), 4);
    host.Show();
    SendMessage(a1, BM_SETCHECK, BST_CHECKED);
    SendMessage(b1, BM_SETCHECK, BST_CHECKED);
    QTest::mouseClick(a2, Qt::LeftButton);
    EXPECT_EQ(SendMessage(a1, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(a2, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(SendMessage(b1, BM_GETCHECK), BST_CHECKED);
    QTest::mouseClick(a2, Qt::LeftButton); // clicking the checked one keeps it checked
    EXPECT_EQ(SendMessage(a2, BM_GETCHECK), BST_CHECKED);
    QTest::mouseClick(b2, Qt::LeftButton);
    EXPECT_EQ(SendMessage(b1, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(a2, BM_GETCHECK), BST_CHECKED);
}

TEST(EditMessages, SelectionOffsetsCountUtf8BytesAndClampToTheText) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER, "a°b");
    // "a°b" is 4 bytes: the degree sign takes two.
    struct Case {
        int start, end;
        DWORD gotStart, gotEnd;
    };
    const Case cases[] = {{0, 0, 0, 0}, {1, 3, 1, 3}, {3, 4, 3, 4},
                          {2, 2, 1, 1}, {9, 9, 4, 4}, {0, -1, 0, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
        DWORD s = 99, e = 99;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        EXPECT_EQ(s, c.gotStart);
        EXPECT_EQ(e, c.gotEnd);
    }
    SendMessage(edit, EM_SETSEL, 1, 3);
    SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), "ab");
}

TEST(EditMessages, ReadOnlyAndLimitFollowTheirMessages) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER | ES_READONLY);
    CWnd* wnd = CWnd::FromHandle(edit);
    host.Show();
    EXPECT_TRUE(wnd->GetStyle() & ES_READONLY);
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(wnd->GetWindowText(), "");
    wnd->SetWindowText("kept");
    EXPECT_EQ(wnd->GetWindowText(), "kept");

    SendMessage(edit, EM_SETREADONLY, FALSE);
    EXPECT_FALSE(wnd->GetStyle() & ES_READONLY);
    wnd->SetWindowText("");
    SendMessage(edit, EM_LIMITTEXT, 2);
    QTest::keyClicks(edit, "123");
    EXPECT_EQ(wnd->GetWindowText(), "12");
    // The limit caps typing only: text the program writes is kept whole.
    wnd->SetWindowText("-59");
    EXPECT_EQ(wnd->GetWindowText(), "-59");
}

TEST(EditMessages, DigitsOnlyFieldsRefuseOtherCharacters) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER | ES_NUMBER);
    host.Show();
    QTest::keyClicks(edit, "1a-2. 3");
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), "123");
}

TEST(Lifetime, DestroyingTheWindowSendsDestroyAndDetaches) {
    Host host;
    HWND s = host.Create("STATIC", 0, "x");
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Attach(s));
    delete s;
    EXPECT_EQ(wnd.count(WM_DESTROY), 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(Lifetime, AnObjectDestroyedFirstLeavesTheWindowWorking) {
    Host host;
    HWND edit = host.Create("EDIT", WS_BORDER);
    host.Show();
    {
        RecordingWnd wnd;
        wnd.swallow = {WM_CHAR};
        ASSERT_TRUE(wnd.Attach(edit));
    }
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), "7");
}

TEST(WindowText, DialogItemsAreFoundByIdAndCarryUtf8Text) {
    Host host;
    host.Create("STATIC", 0, "高斯坐标转换", 1069);
    CWnd top;
    ASSERT_FALSE(top.Attach(host.top.get())); // a plain QWidget is no window of the layer
    CWnd* label = CWnd::FromHandle(host.top.get())->GetDlgItem(1069);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetWindowText(), "高斯坐标转换");
    EXPECT_EQ(label->GetDlgCtrlID(), 1069);
}

} // namespace

namespace {

TEST(WindowText, ItemsOfAnOwnedWindowAreNotTheParentsItems) {
    Host host;
    HWND inner = host.Create("STATIC", 0, "", 7);
    CreateWindowEx(0, "STATIC", "nested", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), inner, 1070);
    CWnd* top = CWnd::FromHandle(host.top.get());
    EXPECT_EQ(top->GetDlgItem(1070), nullptr);
    ASSERT_NE(CWnd::FromHandle(inner)->GetDlgItem(1070), nullptr);
}

} // namespace
