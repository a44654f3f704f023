// The "STATIC" window class: colours asked of the parent and reflected to the control, clicks
// only with the notify style, the client area inside a static edge, icon statics, and posted
// messages.
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/static.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kStaticDialog = 9301;
constexpr int kPlain = 9310;
constexpr int kSelfColoured = 9311;
constexpr int kParentColoured = 9312;
constexpr int kFramed = 9313;
constexpr int kIcon = 9314;

const DialogTemplateRegistration kTemplate{
    DialogTemplate{.id = kStaticDialog,
                   .idName = "IDD_STATIC_TEST",
                   .caption = "static",
                   .cx = 200,
                   .cy = 120,
                   .style = WS_POPUP | WS_CAPTION,
                   .items = {
                       {kPlain, "IDC_PLAIN", "STATIC", "plain text", 10, 10, 80, 10},
                       {kSelfColoured, "IDC_SELF", "STATIC", "self coloured", 10, 25, 80, 10},
                       {kParentColoured, "IDC_PARENT", "STATIC", "parent coloured", 10, 40, 80, 10},
                       {kFramed, "IDC_FRAMED", "STATIC", "", 100, 10, 60, 40, 0, WS_EX_STATICEDGE},
                       {kIcon, "IDC_ICON", "STATIC", "128", 100, 60, 20, 20, SS_ICON},
                   }}};

constexpr COLORREF kSelfBack = RGB(10, 20, 30);
constexpr COLORREF kSelfText = RGB(250, 250, 250);
constexpr COLORREF kParentBack = RGB(255, 255, 0);
constexpr COLORREF kParentText = RGB(0, 128, 0);

// A label object that answers the reflected colour request and counts its presses.
class SelfColoured : public CStatic {
public:
    CBrush back{kSelfBack};
    int presses = 0;

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override {
        if (nCtlColor != CTLCOLOR_STATIC) {
            return nullptr;
        }
        pDC->SetTextColor(kSelfText);
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(back.GetSafeHandle());
    }
    void OnLButtonDown(UINT nFlags, CPoint point) override {
        ++presses;
        CStatic::OnLButtonDown(nFlags, point);
    }
};

// Fills its whole client area, as a window that paints itself does.
class Filler : public CStatic {
protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, RGB(255, 0, 0));
    }
};

class StaticDialog : public CDialog {
public:
    StaticDialog() : CDialog(kStaticDialog) {}
    CBrush parentBack{kParentBack};
    SelfColoured self;
    Filler filler;
    int presses = 0;
    std::vector<UINT> posted;

    bool Open() {
        if (!Create()) {
            return false;
        }
        self.SubclassDlgItem(kSelfColoured, this);
        filler.SubclassDlgItem(kFramed, this);
        ShowWindow(SW_SHOW);
        return true;
    }
    QLabel* Item(const char* name) const { return m_hWnd->findChild<QLabel*>(name); }

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override {
        if (pWnd && pWnd->GetDlgCtrlID() == kParentColoured) {
            pDC->SetTextColor(kParentText);
            return static_cast<HBRUSH>(parentBack.GetSafeHandle());
        }
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    void OnLButtonDown(UINT nFlags, CPoint point) override {
        ++presses;
        CDialog::OnLButtonDown(nFlags, point);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP) {
            posted.push_back(message);
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

QRgb Rgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

void ClickAt(QWidget* widget, QPoint pos) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), pos));
}

TEST(StaticColours, TheParentOrTheControlItselfChoosesTheColours) {
    struct Case {
        const char* name;
        QRgb background;
        QRgb text; // 0: not checked
    };
    StaticDialog dlg;
    ASSERT_TRUE(dlg.Open());
    const QRgb dialogBack = dlg.m_hWnd->grab().toImage().pixel(2, 2);
    const Case cases[] = {
        {"IDC_PLAIN", dialogBack, 0},
        {"IDC_SELF", Rgb(kSelfBack), Rgb(kSelfText)},
        {"IDC_PARENT", Rgb(kParentBack), Rgb(kParentText)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = dlg.Item(c.name)->grab().toImage();
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), c.background);
        if (!c.text) {
            continue;
        }
        // The text is drawn in the chosen colour over the chosen background: its strokes,
        // smoothed at their edges, come at least most of the way to that colour.
        auto distance = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
        };
        int nearest = distance(c.background, c.text);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                nearest = std::min(nearest, distance(image.pixel(x, y), c.text));
            }
        }
        EXPECT_LT(nearest, distance(c.background, c.text) / 3);
    }
}

TEST(StaticClicks, OnlyANotifyingLabelTakesThePressAndKeepsItFromTheDialog) {
    StaticDialog dlg;
    ASSERT_TRUE(dlg.Open());
    QLabel* label = dlg.Item("IDC_SELF");
    ClickAt(label, QPoint(3, 3));
    EXPECT_EQ(dlg.self.presses, 0);
    EXPECT_EQ(dlg.presses, 1);

    dlg.self.ModifyStyle(0, SS_NOTIFY);
    ClickAt(label, QPoint(3, 3));
    EXPECT_EQ(dlg.self.presses, 1);
    EXPECT_EQ(dlg.presses, 1);

    dlg.self.ModifyStyle(SS_NOTIFY, 0);
    ClickAt(label, QPoint(3, 3));
    EXPECT_EQ(dlg.self.presses, 1);
    EXPECT_EQ(dlg.presses, 2);
}

TEST(StaticEdge, TheClientAreaLiesInsideTheEdgeWhichStaysDrawn) {
    StaticDialog dlg;
    ASSERT_TRUE(dlg.Open());
    QLabel* framed = dlg.Item("IDC_FRAMED");
    CRect client;
    dlg.filler.GetClientRect(&client);
    EXPECT_EQ(client, CRect(1, 1, framed->width() - 1, framed->height() - 1));
    POINT origin{client.left, client.top};
    dlg.filler.ClientToScreen(&origin);
    EXPECT_EQ(QPoint(origin.x, origin.y), framed->mapToGlobal(QPoint(1, 1)));

    // The object paints all of its client area; the edge around it is still there.
    const QImage image = framed->grab().toImage();
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 0, 0));
    for (const QPoint edge :
         {QPoint(0, 0), QPoint(image.width() / 2, 0), QPoint(0, image.height() / 2),
          QPoint(image.width() - 1, image.height() - 1)}) {
        SCOPED_TRACE(edge.x() * 1000 + edge.y());
        EXPECT_NE(image.pixel(edge), qRgb(255, 0, 0));
    }
}

TEST(StaticIcon, AnIconStaticTakesTheIconsSize) {
    StaticDialog dlg;
    ASSERT_TRUE(dlg.Open());
    QLabel* icon = dlg.Item("IDC_ICON");
    EXPECT_EQ(icon->size(), QSize(32, 32));
    ASSERT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(icon->pixmap().toImage().pixel(16, 16),
              QIcon(":/res/icon/128").pixmap(32, 32).toImage().pixel(16, 16));
}

TEST(PostedMessages, ArriveAfterTheCurrentEventAndNeverAtAWindowThatHasGone) {
    StaticDialog dlg;
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.PostMessage(WM_APP + 7));
    EXPECT_TRUE(dlg.posted.empty());
    QApplication::processEvents();
    EXPECT_EQ(dlg.posted, std::vector<UINT>{WM_APP + 7});

    auto gone = std::make_unique<StaticDialog>();
    ASSERT_TRUE(gone->Open());
    EXPECT_TRUE(gone->PostMessage(WM_APP + 8));
    gone.reset();
    QApplication::processEvents(); // must not reach the destroyed object
    CWnd unattached;
    EXPECT_FALSE(unattached.PostMessage(WM_APP + 9));
}

} // namespace
