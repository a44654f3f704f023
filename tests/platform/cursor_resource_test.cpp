// Cursors from the program's .cur resources, and SetCursor during a cursor request.
#include "platform/cursor.h"

#include "platform/wnd.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

constexpr UINT kHand = 136;

TEST(CursorResource, TheHandLoadsOnceWithTheHotSpotOfItsFile) {
    const HCURSOR hand = LoadCursor(kHand);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(LoadCursor(kHand), hand);
    const POINT hot = GetCursorHotSpot(hand);
    EXPECT_EQ(hot.x, 6);
    EXPECT_EQ(hot.y, 0);
    EXPECT_EQ(LoadCursor(4242), nullptr);
    EXPECT_EQ(GetCursorHotSpot(nullptr).x, 0);
}

// Sets its cursor, or not, when asked.
class CursorWnd : public CWnd {
public:
    HCURSOR cursor = nullptr;
    int asked = 0;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override {
        ++asked;
        if (!cursor) {
            return CWnd::OnSetCursor(pWnd, nHitTest, message);
        }
        SetCursor(cursor);
        return TRUE;
    }
};

TEST(CursorResource, SetCursorGoesToTheWindowWhoseRequestIsBeingHandled) {
    auto top = std::make_unique<QWidget>();
    top->resize(200, 100);
    HWND left = CreateWindowEx(0, "STATIC", "left", WS_CHILD | WS_VISIBLE | SS_NOTIFY,
                               CRect(0, 0, 100, 100), top.get(), 1);
    HWND right = CreateWindowEx(0, "STATIC", "right", WS_CHILD | WS_VISIBLE | SS_NOTIFY,
                                CRect(100, 0, 200, 100), top.get(), 2);
    CursorWnd withHand, plain;
    withHand.cursor = LoadCursor(kHand);
    ASSERT_TRUE(withHand.SubclassWindow(left));
    ASSERT_TRUE(plain.SubclassWindow(right));
    top->show();

    QTest::mouseMove(top->windowHandle(), QPoint(150, 50));
    QTest::mouseMove(top->windowHandle(), QPoint(50, 50));
    EXPECT_GT(withHand.asked, 0);
    EXPECT_GT(plain.asked, 0);
    EXPECT_EQ(left->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(left->cursor().hotSpot(), QPoint(6, 0));
    EXPECT_EQ(left->cursor().pixmap().size(), QSize(32, 32));
    EXPECT_EQ(right->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(top->cursor().shape(), Qt::ArrowCursor);

    // The picture has the hand's shape: see-through around it, opaque on it.
    const QImage picture = left->cursor().pixmap().toImage();
    int opaque = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            opaque += qAlpha(picture.pixel(x, y)) == 255;
        }
    }
    EXPECT_GT(opaque, 40);
    EXPECT_LT(opaque, 32 * 32 / 2);
    EXPECT_EQ(qAlpha(picture.pixel(31, 31)), 0);
}

} // namespace
