// The hot state of the hover button, message by message (direct handler calls, one
// row of the transition table each) and by real mouse events through Qt.
#include "tests/controls/hover_button_fixture.h"

#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------------------------------------
// The transition table, one message at a time.

// The state before the message: the button is normal or hot, with or without the capture.
enum class Before { Normal, NormalHoldingCapture, Hot, HotWithoutCapture };
// The message: a mouse move with its key flags and place, or the focus or capture leaving for
// the other button.
enum class Message { MouseMove, KillFocus, CaptureChanged };

struct Transition {
    const char* name;
    Before before;
    Message message;
    UINT flags;
    int x, y;
    bool hot, capture;
    int draws;
};

const Transition kTransitions[] = {
    {"NormalMoveWithoutCaptureBecomesHotTakesCaptureAndRedraws", Before::Normal, Message::MouseMove,
     0, 5, 5, true, true, 1},
    {"NormalMoveWithLeftButtonDownChangesNothing", Before::Normal, Message::MouseMove, MK_LBUTTON,
     5, 5, false, false, 0},
    {"NormalMoveOutsideWhileHoldingCaptureReleasesIt", Before::NormalHoldingCapture,
     Message::MouseMove, 0, -1, 5, false, false, 0},
    // Capture taken away while hot: the button stays hot and takes it again.
    {"HotMoveWithoutCaptureTakesItAgain", Before::HotWithoutCapture, Message::MouseMove, 0, 6, 5,
     true, true, 1},
    {"HotMoveInsideChangesNothing", Before::Hot, Message::MouseMove, 0, 100, 20, true, true, 0},
    {"HotMoveToTheTopLeftCornerChangesNothing", Before::Hot, Message::MouseMove, 0, 0, 0, true,
     true, 0},
    {"HotMoveOutsideWithLeftButtonUpGoesNormalAndReleases", Before::Hot, Message::MouseMove, 0, 5,
     40, false, false, 1},
    {"HotMoveOutsideWithLeftButtonDownGoesNormalButKeepsCapture", Before::Hot, Message::MouseMove,
     MK_LBUTTON, -3, 5, false, true, 1},
    {"HotKillFocusGoesNormalAndKeepsCapture", Before::Hot, Message::KillFocus, 0, 0, 0, false, true,
     1},
    {"HotCaptureChangedReleasesAndRedrawsButStaysHot", Before::Hot, Message::CaptureChanged, 0, 0,
     0, true, false, 1},
};

class HoverButtonTransition : public HoverButtonTest,
                              public testing::WithParamInterface<Transition> {};

TEST_P(HoverButtonTransition, OneMessage) {
    const Transition& t = GetParam();
    switch (t.before) {
    case Before::Normal:
        break;
    case Before::NormalHoldingCapture:
        button.SetCapture();
        break;
    case Before::Hot:
        Move(0, 5, 5);
        break;
    case Before::HotWithoutCapture:
        Move(0, 5, 5);
        ReleaseCapture();
        ASSERT_TRUE(button.IsHot());
        break;
    }
    Settle();
    switch (t.message) {
    case Message::MouseMove:
        Move(t.flags, t.x, t.y);
        break;
    case Message::KillFocus:
        button.SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(other), 0);
        break;
    case Message::CaptureChanged:
        button.SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(other));
        break;
    }
    EXPECT_EQ(button.IsHot() != FALSE, t.hot);
    EXPECT_EQ(HoldsCapture(), t.capture);
    EXPECT_EQ(DrawsAfterEvents(), t.draws);
}

INSTANTIATE_TEST_SUITE_P(Table, HoverButtonTransition, testing::ValuesIn(kTransitions),
                         [](const testing::TestParamInfo<Transition>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(HoverButtonTest, RightAndBottomEdgesAreOutside) {
    struct Case {
        const char* name;
        int x, y;
        bool inside;
    };
    const Case cases[] = {
        {"last column", kButton.width() - 1, 5, true},
        {"last row", 5, kButton.height() - 1, true},
        {"x = right", kButton.width(), 5, false},
        {"y = bottom", 5, kButton.height(), false},
        {"x = -1", -1, 5, false},
        {"y = -1", 5, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Move(0, 1, 1);
        ASSERT_TRUE(button.IsHot());
        Move(0, c.x, c.y);
        EXPECT_EQ(button.IsHot() != FALSE, c.inside);
        EXPECT_EQ(HoldsCapture(), c.inside);
    }
}

TEST_F(HoverButtonTest, CaptureTakenByAnotherWindowLeavesItHotUntilThePointerLeaves) {
    Move(0, 5, 5);
    Settle();
    SetCapture(other);
    EXPECT_TRUE(button.IsHot());
    EXPECT_EQ(GetCapture(), other);
    EXPECT_EQ(DrawsAfterEvents(), 1);
    ReleaseCapture();
    Move(0, 5, 5);  // over it again: capture back
    Move(0, 5, 50); // and away
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(HoldsCapture());
}

TEST_F(HoverButtonTest, WithoutOwnerOrParentItNeverBecomesHot) {
    HWND hwnd = CreateWindowEx(0, "BUTTON", "x", WS_VISIBLE, CRect(0, 0, 50, 20), nullptr, 7);
    CHoverButton orphan;
    ASSERT_TRUE(orphan.SubclassWindow(hwnd));
    orphan.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(orphan.IsHot());
    EXPECT_NE(GetCapture(), hwnd);
    delete hwnd;
}

TEST_F(HoverButtonTest, PreSubclassWindowMakesItOwnerDrawnAndKeepsOtherStyles) {
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(button.GetStyle() & WS_TABSTOP);
}

// ---------------------------------------------------------------------------------------------
// Real mouse events through Qt.

TEST_F(HoverButtonTest, PointerMovingOntoItMakesItHotWithOneRedraw) {
    QTest::mouseMove(window(), QPoint(5, 5));
    Settle();
    QTest::mouseMove(window(), InButton(10, 10));
    EXPECT_TRUE(button.IsHot());
    EXPECT_TRUE(HoldsCapture());
    EXPECT_EQ(DrawsAfterEvents(), 1);
    QTest::mouseMove(window(), InButton(20, 12));
    QTest::mouseMove(window(), InButton(60, 15));
    EXPECT_EQ(DrawsAfterEvents(), 1) << "moves inside redraw nothing";
    QTest::mouseMove(window(), QPoint(250, 150));
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(HoldsCapture());
}

TEST_F(HoverButtonTest, LeavingAcrossTheRightEdgeDropsTheHotState) {
    QTest::mouseMove(window(), InButton(kButton.width() - 1, 10));
    ASSERT_TRUE(button.IsHot());
    QTest::mouseMove(window(), InButton(kButton.width(), 10));
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(HoldsCapture());
}

TEST_F(HoverButtonTest, DraggingOntoItWithTheLeftButtonHeldDoesNotMakeItHot) {
    QTest::mouseMove(window(), QPoint(250, 150));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(250, 150));
    QTest::mouseMove(window(), InButton(10, 10));
    QTest::mouseMove(window(), InButton(12, 10));
    EXPECT_FALSE(button.IsHot());
    QTest::mouseRelease(window(), Qt::LeftButton, {}, InButton(12, 10));
    QTest::mouseMove(window(), InButton(14, 10));
    EXPECT_TRUE(button.IsHot());
}

TEST_F(HoverButtonTest, PressHoldsTheCaptureAndAfterTheClickTheButtonSeesThePointerAgain) {
    QTest::mouseMove(window(), InButton(10, 10));
    QTest::mousePress(window(), Qt::LeftButton, {}, InButton(10, 10));
    auto* qtButton = static_cast<QAbstractButton*>(button.m_hWnd);
    EXPECT_TRUE(qtButton->isDown());
    EXPECT_TRUE(HoldsCapture());
    int clicks = 0;
    QObject::connect(qtButton, &QAbstractButton::clicked, [&] { ++clicks; });
    QTest::mouseRelease(window(), Qt::LeftButton, {}, InButton(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button.IsHot());
    // The release gives up the capture; the move that every capture change brings takes it
    // again at once, so the first move outside drops the hot look.
    QApplication::processEvents();
    EXPECT_TRUE(HoldsCapture());
    QTest::mouseMove(window(), QPoint(250, 150));
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(HoldsCapture());
}

TEST_F(HoverButtonTest, LeavingWithTheLeftButtonHeldDropsHotButKeepsCapture) {
    auto* qtButton = static_cast<QAbstractButton*>(button.m_hWnd);
    QTest::mouseMove(window(), InButton(10, 10));
    QTest::mousePress(window(), Qt::LeftButton, {}, InButton(10, 10));
    QTest::mouseMove(window(), QPoint(250, 150));
    EXPECT_FALSE(button.IsHot());
    EXPECT_TRUE(HoldsCapture());
    EXPECT_FALSE(qtButton->isDown());
    QTest::mouseMove(window(), InButton(10, 10));
    EXPECT_FALSE(button.IsHot()) << "the hot look does not come back";
    EXPECT_TRUE(qtButton->isDown()) << "the base control's pressed look does";
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(250, 150));
    EXPECT_FALSE(HoldsCapture());
}

TEST_F(HoverButtonTest, FocusMovingToAnotherControlDropsTheHotState) {
    parent->activateWindow();
    button.SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(button.m_hWnd->hasFocus());
    QTest::mouseMove(window(), InButton(10, 10));
    ASSERT_TRUE(button.IsHot());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(button.IsHot());
}

TEST_F(HoverButtonTest, ADisabledButtonNeverBecomesHot) {
    button.EnableWindow(FALSE);
    QTest::mouseMove(window(), QPoint(5, 5));
    QTest::mouseMove(window(), InButton(10, 10));
    QTest::mouseMove(window(), InButton(11, 11));
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(HoldsCapture());
}

} // namespace
