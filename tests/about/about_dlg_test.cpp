// The About box as a window: its texts and layout, the hyperlink it sets up, and how it closes.
#include "tests/about/about_test_support.h"

#include "platform/cursor.h"
#include "platform/services.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Runs a check at the moment a widget is hidden.
class OnHide : public QObject {
public:
    explicit OnHide(std::function<void()> check) : m_check(std::move(check)) {}
    int seen = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide) {
            ++seen;
            m_check();
        }
        return false;
    }

private:
    std::function<void()> m_check;
};

TEST(AboutBox, ShowsItsTextsAndTheLinkInBlueWithTheHandCursor) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_EQ(dlg.m_hWnd->objectName(), "IDD_ABOUTBOX");
    EXPECT_EQ(dlg.m_hWnd->windowTitle(), "关于");
    auto* title = dlg.m_hWnd->findChild<QLabel*>("IDC_PRODUCT_TITLE");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Varnel平差2001    --坐标转换模块");
    auto* ok = dlg.m_hWnd->findChild<QAbstractButton*>("IDOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "确定(&O)");
    EXPECT_EQ(dlg.m_hWnd->focusWidget(), ok);

    auto* link = dlg.m_hWnd->findChild<QLabel*>("IDC_HOMEPAGE");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), "http://www.example.com/");
    const QImage pixels = link->grab().toImage();
    // Text strokes, smoothed into the background, are shades of pure blue.
    int strongest = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb p = pixels.pixel(x, y);
            EXPECT_EQ(qRed(p), qGreen(p));
            EXPECT_GE(qBlue(p), qRed(p));
            strongest = std::max(strongest, qBlue(p) - qRed(p));
        }
    }
    EXPECT_GT(strongest, 120);

    MoveTo(link, QPoint(4, 4));
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(6, 0));
    EXPECT_EQ(GetCursorHotSpot(LoadCursor(IDC_HAND_CURSOR)).x, 6);
}

TEST(AboutBox, TheLinkOpensItsAddressOncePerPress) {
    ScopedRecordingServices services;
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    QWidget* link = dlg.m_hWnd->findChild<QWidget*>("IDC_HOMEPAGE");
    ClickAt(link, QPoint(3, 3));
    ClickAt(link, QPoint(30, 5));
    ASSERT_EQ(services.opened.size(), 2u);
    EXPECT_EQ(services.opened[0], "http://www.example.com/");
    EXPECT_EQ(services.opened[1], "http://www.example.com/");
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
}

// A keyboard user reaches the link with Tab and opens it with Enter or Space; neither key
// closes the box as its OK would.
TEST(AboutBox, TheKeyboardReachesTheLinkAndOpensItWithEnterOrSpace) {
    ScopedRecordingServices services;
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    QApplication::setActiveWindow(dlg.m_hWnd);
    auto* link = dlg.m_hWnd->findChild<QLabel*>("IDC_HOMEPAGE");
    auto* ok = dlg.m_hWnd->findChild<QAbstractButton*>("IDOK");
    ASSERT_TRUE(link && ok);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_Space);
    EXPECT_EQ(services.opened,
              (std::vector<std::string>{"http://www.example.com/", "http://www.example.com/"}));
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
    EXPECT_TRUE(services.boxes.empty());
}

TEST(AboutBox, WithNoBrowserTheLinkSaysSoAndShowsTheAddressToCopy) {
    ScopedRecordingServices services;
    services.openSucceeds = FALSE;
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    auto* link = dlg.m_hWnd->findChild<QLabel*>("IDC_HOMEPAGE");
    ASSERT_NE(link, nullptr);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(services.opened.size(), 1u);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_NE(services.boxes[0].text.find("网页浏览器"), std::string::npos);
    EXPECT_NE(services.boxes[0].text.find("http://www.example.com/"), std::string::npos);
    EXPECT_EQ(services.boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
}

// What a screen reader hears of the box: the picture and the credits by name, the link as a
// link it can press.
TEST(AboutBox, ScreenReadersHearThePictureTheCreditsAndALinkTheyCanPress) {
    ScopedRecordingServices services;
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    struct Case {
        const char* name;
        QAccessible::Role role;
        const char* spoken;
    };
    const Case cases[] = {
        {"IDC_ABOUT_ICON", QAccessible::Graphic, "程序图标"},
        {"IDC_CREDITS", QAccessible::StaticText, "鸣谢"},
        {"IDC_HOMEPAGE", QAccessible::Link, "http://www.example.com/"},
        {"IDOK", QAccessible::Button, "确定(O)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = dlg.m_hWnd->findChild<QWidget*>(c.name);
        ASSERT_NE(w, nullptr);
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(heard, nullptr);
        EXPECT_EQ(heard->role(), c.role);
        EXPECT_EQ(heard->text(QAccessible::Name).toStdString(), c.spoken);
    }
    QAccessibleInterface* link =
        QAccessible::queryAccessibleInterface(dlg.m_hWnd->findChild<QWidget*>("IDC_HOMEPAGE"));
    EXPECT_TRUE(link->state().focusable);
    QAccessibleActionInterface* actions = link->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(services.opened, (std::vector<std::string>{"http://www.example.com/"}));
}

// OK stops the scroller before the box closes; Escape and the close box cancel and leave the
// timer to the window.
TEST(AboutBox, HowItClosesAndWhoStopsTheScroller) {
    struct Case {
        const char* how;
        int ticks;
        std::function<void(QWidget*)> close;
        bool timerStillSet;
        int result;
    };
    const Case cases[] = {
        {"OK", 20, [](QWidget* w) { ClickAt(w->findChild<QWidget*>("IDOK"), QPoint(5, 5)); }, false,
         IDOK},
        {"Escape", 5,
         [](QWidget* w) {
             QWidget* focus = QApplication::focusWidget();
             QTest::keyClick(focus && focus->window() == w ? focus : w, Qt::Key_Escape);
         },
         true, IDCANCEL},
        {"close box", 5, [](QWidget* w) { w->close(); }, true, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        ScriptedAboutDlg dlg;
        ASSERT_TRUE(dlg.Open(true));
        dlg.TickUntil(c.ticks);
        bool timerStillSet = !c.timerStillSet;
        OnHide watch([&] { timerStillSet = dlg.KillTimer(CAboutDlg::kCreditsTimer) != FALSE; });
        dlg.m_hWnd->installEventFilter(&watch);
        c.close(dlg.m_hWnd);
        EXPECT_EQ(watch.seen, 1);
        EXPECT_EQ(timerStillSet, c.timerStillSet);
        EXPECT_EQ(dlg.GetModalResult(), c.result);
        dlg.m_hWnd->removeEventFilter(&watch);
    }
}

TEST(AboutBox, EachOpeningIsAFreshBoxStartingAtTheFirstEntry) {
    ScriptedAboutDlg first;
    ASSERT_TRUE(first.Open());
    first.TickUntil(60);
    ASSERT_EQ(first.fetches.size(), 3u);
    ClickAt(first.m_hWnd->findChild<QWidget*>("IDOK"), QPoint(5, 5));

    ScriptedAboutDlg second;
    ASSERT_TRUE(second.Open());
    EXPECT_NE(second.m_hWnd, first.m_hWnd);
    EXPECT_TRUE(RowsBlack(second.CreditsImage(), 0, second.ClientRect().height()));
    second.TickUntil(15);
    ASSERT_EQ(second.fetches.size(), 1u);
    EXPECT_EQ(second.fetches[0].tick, 15);
    EXPECT_EQ(second.fetches[0].index, 0);
}

} // namespace
