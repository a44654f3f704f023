// CHyperLink on a label of a small dialog: clicks, font, colours and cursor.
#include "about/hyper_link.h"

#include "tests/about/about_test_support.h"

#include "platform/cursor.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/services.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTestDialog = 9601;
constexpr int kLinkId = 100;

const DialogTemplateRegistration kTemplate{
    DialogTemplate{.id = kTestDialog,
                   .idName = "IDD_LINK_TEST",
                   .caption = "link",
                   .cx = 160,
                   .cy = 60,
                   .style = WS_POPUP | WS_CAPTION,
                   .items = {{.id = kLinkId,
                              .idName = "IDC_LINK",
                              .caption = "http://www.example.com/start",
                              .x = 10,
                              .y = 10,
                              .cx = 120,
                              .cy = 10}}}};

// A dialog that counts the presses that reach it.
class HostDlg : public CDialog {
public:
    HostDlg() : CDialog(kTestDialog) {}
    int presses = 0;
    CHyperLink link;

    bool Open() {
        if (!Create()) {
            return false;
        }
        link.SubclassDlgItem(kLinkId, this);
        ShowWindow(SW_SHOW);
        return true;
    }
    QLabel* Label() const { return m_hWnd->findChild<QLabel*>("IDC_LINK"); }

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override {
        ++presses;
        CDialog::OnLButtonDown(nFlags, point);
    }
};

// The font, text colour and background mode the label asks its colour request to set, and the
// brush it hands back.
struct ColourAnswer {
    LOGFONT font{};
    COLORREF text = 0;
    int bkMode = 0;
    HBRUSH brush = nullptr;
};

ColourAnswer AskColours(CHyperLink& link, UINT type) {
    QImage image(8, 8, QImage::Format_RGB32);
    CImageDC dc(image);
    dc.SetTextColor(RGB(1, 2, 3));
    ColourAnswer answer;
    answer.brush = reinterpret_cast<HBRUSH>(link.SendMessage(
        WM_REFLECT_CTLCOLOR, reinterpret_cast<WPARAM>(&dc), static_cast<LPARAM>(type)));
    dc.GetCurrentFont()->GetLogFont(&answer.font);
    answer.text = dc.GetTextColor();
    answer.bkMode = dc.GetBkMode();
    return answer;
}

LOGFONT DefaultGuiFont() {
    LOGFONT lf{};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf;
}

bool SameFont(const LOGFONT& a, const LOGFONT& b) {
    return std::memcmp(&a, &b, sizeof(LOGFONT)) == 0;
}

TEST(HyperLink, OpensItsCurrentTextOncePerPressOnlyWhileClickNotificationIsOn) {
    struct Step {
        const char* what;
        int notify;       // -1: leave as it is
        const char* text; // nullptr: leave as it is
        int presses;
        std::vector<std::string> openedAfter;
        int dialogPressesAfter;
    };
    const std::string start = "http://www.example.com/start";
    const Step steps[] = {
        {"before click notification", -1, nullptr, 2, {}, 2},
        {"notification on", TRUE, nullptr, 1, {start}, 2},
        {"a second press", -1, nullptr, 1, {start, start}, 2},
        {"new text",
         -1,
         "http://www.example.com/other",
         1,
         {start, start, "http://www.example.com/other"},
         2},
        {"notification off", FALSE, nullptr, 1, {start, start, "http://www.example.com/other"}, 3},
    };
    ScopedRecordingServices services;
    HostDlg dlg;
    ASSERT_TRUE(dlg.Open());
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.notify >= 0) {
            EXPECT_EQ(&dlg.link.EnableClickNotify(s.notify), &dlg.link);
        }
        if (s.text) {
            dlg.link.SetWindowText(s.text);
        }
        for (int i = 0; i < s.presses; ++i) {
            ClickAt(dlg.Label(), QPoint(4 + 7 * i, 5));
        }
        EXPECT_EQ(services.opened, s.openedAfter);
        EXPECT_EQ(dlg.presses, s.dialogPressesAfter);
    }
}

TEST(HyperLink, UnderlineOnThenOffGivesBackTheFontOfConstruction) {
    HostDlg dlg;
    ASSERT_TRUE(dlg.Open());
    const LOGFONT constructed = AskColours(dlg.link, CTLCOLOR_STATIC).font;
    EXPECT_TRUE(SameFont(constructed, DefaultGuiFont()));
    const QImage plain = dlg.Label()->grab().toImage();

    dlg.link.SetUnderlined(TRUE);
    const LOGFONT underlined = AskColours(dlg.link, CTLCOLOR_STATIC).font;
    EXPECT_EQ(underlined.lfUnderline, 1);
    LOGFONT expected = constructed;
    expected.lfUnderline = 1;
    EXPECT_TRUE(SameFont(underlined, expected));
    EXPECT_NE(dlg.Label()->grab().toImage(), plain);

    dlg.link.SetUnderlined(FALSE);
    EXPECT_TRUE(SameFont(AskColours(dlg.link, CTLCOLOR_STATIC).font, constructed));
    EXPECT_EQ(dlg.Label()->grab().toImage(), plain);
}

TEST(HyperLink, TheColourRequestSetsTheLooksOnlyForStaticsAndAlwaysGivesTheBrush) {
    struct Case {
        UINT type;
        bool looksSet;
    };
    const Case cases[] = {{CTLCOLOR_STATIC, true}, {1 /* edit */, false}, {3 /* dialog */, false}};
    HostDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.link.SetLabelColor(RGB(0, 0, 255));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const ColourAnswer answer = AskColours(dlg.link, c.type);
        ASSERT_NE(answer.brush, nullptr);
        EXPECT_EQ(answer.text, c.looksSet ? RGB(0, 0, 255) : RGB(1, 2, 3));
        EXPECT_EQ(answer.bkMode, c.looksSet ? TRANSPARENT : OPAQUE);
        // The brush is the button face of construction time.
        QImage image(4, 4, QImage::Format_RGB32);
        CImageDC dc(image);
        const RECT all{0, 0, 4, 4};
        FillRect(&dc, &all, answer.brush);
        EXPECT_EQ(dc.GetPixel(1, 1), GetSysColor(COLOR_BTNFACE));
    }
}

TEST(HyperLink, PaintsItsTextInItsColourOverTheButtonFace) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF colours[] = {RGB(0, 0, 255), RGB(200, 0, 0), RGB(0, 120, 0)};
    HostDlg dlg;
    ASSERT_TRUE(dlg.Open());
    for (const COLORREF colour : colours) {
        SCOPED_TRACE(colour);
        dlg.link.SetLabelColor(colour);
        const QImage image = dlg.Label()->grab().toImage();
        // Pixels are the face, the colour, or blends of the two along the line between them.
        int faceCount = 0;
        double deepest = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                faceCount += p == qRgb(GetRValue(face), GetGValue(face), GetBValue(face));
                const int channels[3][3] = {{qRed(p), GetRValue(face), GetRValue(colour)},
                                            {qGreen(p), GetGValue(face), GetGValue(colour)},
                                            {qBlue(p), GetBValue(face), GetBValue(colour)}};
                // How far from the face towards the colour, measured on the channel that
                // changes most.
                int widest = 0;
                for (int i = 0; i < 3; ++i) {
                    if (std::abs(channels[i][2] - channels[i][1]) >
                        std::abs(channels[widest][2] - channels[widest][1])) {
                        widest = i;
                    }
                }
                const double t = double(channels[widest][0] - channels[widest][1]) /
                                 (channels[widest][2] - channels[widest][1]);
                for (const auto& ch : channels) {
                    EXPECT_NEAR(ch[0], ch[1] + t * (ch[2] - ch[1]), 3);
                }
                deepest = std::max(deepest, t);
            }
        }
        EXPECT_GT(faceCount, image.width() * image.height() / 2);
        EXPECT_GT(deepest, 0.6);
    }
}

TEST(HyperLink, ShowsItsCursorWhileThePointerIsOverIt) {
    HostDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.link.EnableClickNotify(TRUE);
    MoveTo(dlg.Label(), QPoint(5, 5));
    EXPECT_EQ(dlg.Label()->cursor().shape(), Qt::ArrowCursor);

    const HCURSOR hand = LoadCursor(IDC_HAND_CURSOR);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(&dlg.link.SetPointerCursor(hand), &dlg.link);
    MoveTo(dlg.m_hWnd, QPoint(2, 60));
    MoveTo(dlg.Label(), QPoint(6, 4));
    const QCursor shown = dlg.Label()->cursor();
    EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.hotSpot(), QPoint(6, 0));
    EXPECT_EQ(shown.pixmap().size(), QSize(32, 32));
    // Elsewhere on the dialog the usual cursor stays.
    MoveTo(dlg.m_hWnd, QPoint(2, 60));
    EXPECT_EQ(dlg.m_hWnd->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
