// The hover button rendered to an image in each look, checked at the pixels its drawing rules
// fix; and icon ownership (checked by the sanitizers' leak and double-free detection).
#include "tests/controls/hover_button_fixture.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QImageReader>

namespace {

COLORREF At(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}

class HoverButtonDrawing : public HoverButtonTest {
protected:
    void SetUp() override {
        HoverButtonTest::SetUp();
        font.CreateFont(15, 0, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6, "Arial");
        button.SetFont(&font);
        button.SetWindowText("Go");
    }
    void TearDown() override {
        HoverButtonTest::TearDown();
        font.DeleteObject();
    }
    QImage Render() {
        QImage image(button.m_hWnd->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        button.m_hWnd->render(&image);
        return image;
    }
    void Resize(int w, int h) { button.m_hWnd->resize(w, h); }
    void MakeHot() { Move(0, 1, 1); }
    void Press() { button.SendMessage(BM_SETSTATE, TRUE); }
    CSize CaptionExtent() {
        QImage scratch(1, 1, QImage::Format_RGB32);
        CImageDC dc(scratch);
        dc.SelectObject(&font);
        return dc.GetTextExtent("Go", -1);
    }
    // What the caption alone looks like with its top-left at (x, y) on the face colour.
    QImage CaptionAt(int x, int y, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
        CImageDC dc(image);
        dc.SelectObject(&font);
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc.DrawState(CPoint(x, y), CSize(0, 0), "Go", DSS_NORMAL, TRUE);
        return image;
    }

    // The button's own drawing of a state, as its owner asks for it, into the image.
    void DrawInto(QImage& image, UINT state) {
        CImageDC dc(image);
        DRAWITEMSTRUCT item;
        item.itemState = state;
        item.hDC = &dc;
        item.hwndItem = button.m_hWnd;
        item.rcItem = CRect(0, 0, kButton.width(), kButton.height());
        button.DrawItem(&item);
    }
    // Icon 130 at its 32-pixel size with its top-left at (x, y).
    static void DrawIcon130(CImageDC& dc, int x, int y) {
        HICON icon = static_cast<HICON>(
            LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(130), IMAGE_ICON, 0, 0, 0));
        dc.DrawIcon(x, y, icon);
        DestroyIcon(icon);
    }

    CFont font;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(HoverButtonDrawing, FrameColoursInEachLook) {
    struct Case {
        const char* name;
        bool hot, pressed;
        COLORREF first, second; // the left/top and the bottom/right polylines
    };
    const Case cases[] = {
        {"normal", false, false, face, face},
        {"hot", true, false, light, shadow},
        {"pressed", false, true, shadow, light},
        {"hot and pressed", true, true, shadow, light},
    };
    const int w = kButton.width(), h = kButton.height();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.hot) {
            MakeHot();
        }
        if (c.pressed) {
            Press();
        }
        const QImage image = Render();
        EXPECT_EQ(At(image, 0, 0), c.first);
        EXPECT_EQ(At(image, 0, h - 2), c.first);
        EXPECT_EQ(At(image, w - 2, 0), c.first);
        EXPECT_EQ(At(image, 0, h - 1), c.second) << "bottom-left carries the second polyline";
        EXPECT_EQ(At(image, w - 1, 0), c.second) << "top-right carries the second polyline";
        EXPECT_EQ(At(image, w - 1, h - 1), c.second);
        EXPECT_EQ(At(image, 1, h - 1), c.second);
        EXPECT_EQ(At(image, w - 1, 1), c.second);
        EXPECT_EQ(At(image, 1, 1), face);
        TearDown();
    }
}

TEST_F(HoverButtonDrawing, CaptionIsCentredWithTheOddPixelRightAndBelow) {
    const CSize extent = CaptionExtent();
    const int w = extent.cx + 5, h = extent.cy + 5; // 5 spare pixels each way: 2 before, 3 after
    Resize(w, h);
    const QImage image = Render();
    EXPECT_EQ(image, CaptionAt(2, 2, QSize(w, h)));
    EXPECT_NE(image, CaptionAt(3, 3, QSize(w, h)));
}

TEST_F(HoverButtonDrawing, IconSitsThreePixelsInAndCaptionIsCentredRightOfIt) {
    button.SetIcon(130, 0, 32, 32);
    const CSize extent = CaptionExtent();
    const int w = 35 + extent.cx + 7, h = 40;
    Resize(w, h);
    const QImage image = Render();
    // The icon alone, at 3 px from the left and centred vertically, on the face colour.
    QImage expected = CaptionAt(35 + 3, (h - extent.cy) / 2, QSize(w, h));
    {
        CImageDC dc(expected);
        dc.FillSolidRect(0, 0, 35, h, face);
        DrawIcon130(dc, 3, (h - 32) / 2);
    }
    EXPECT_EQ(image, expected);
}

TEST_F(HoverButtonDrawing, AShortButtonCutsTheIconAboveAndBelow) {
    button.SetIcon(130, 0, 32, 32);
    button.SetWindowText("");
    Resize(60, 20); // (20 − 32) / 2 = −6: the icon's top is 6 px above the button
    const QImage image = Render();
    QImage expected(60, 20, QImage::Format_RGB32);
    expected.fill(QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
    {
        CImageDC dc(expected);
        DrawIcon130(dc, (60 - 32) / 2, -6); // no caption: centred both ways
    }
    EXPECT_EQ(image, expected);
}

TEST_F(HoverButtonDrawing, PressedShiftsTheContentByOnePixel) {
    button.SetIcon(130, 0, 32, 32);
    const QImage normal = Render();
    Press();
    const QImage pressed = Render();
    const int w = normal.width(), h = normal.height();
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            ASSERT_EQ(At(pressed, x, y), At(normal, x - 1, y - 1)) << x << "," << y;
        }
    }
}

TEST_F(HoverButtonDrawing, DisabledHasNoFrameAndEmbossedContent) {
    button.SetIcon(130, 0, 32, 32);
    const QImage normal = Render();
    button.EnableWindow(FALSE);
    const QImage disabled = Render();
    const int w = disabled.width(), h = disabled.height();
    EXPECT_EQ(At(disabled, 0, 0), face);
    EXPECT_EQ(At(disabled, w - 1, h - 1), face);
    EXPECT_NE(disabled, normal);
    bool light_ = false, shadow_ = false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < 35; ++x) { // the icon's column
            const COLORREF c = At(disabled, x, y);
            EXPECT_TRUE(c == face || c == light || c == shadow) << x << "," << y;
            light_ |= c == light, shadow_ |= c == shadow;
        }
    }
    EXPECT_TRUE(light_);
    EXPECT_TRUE(shadow_);
}

// Focus shows a dotted frame two pixels inside the edge once the keyboard has moved the focus
// (as on the desktop, a click alone shows none); the look underneath stays.
TEST_F(HoverButtonDrawing, KeyboardFocusAddsADottedFrameInsideTheLook) {
    button.SetIcon(130, 0, 32, 32);
    const auto draw = [&](UINT bits) {
        QImage image(kButton, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        DrawInto(image, bits);
        return image;
    };
    const int right = kButton.width() - 3, bottom = kButton.height() - 3;
    for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_DISABLED)}) {
        SCOPED_TRACE(state);
        const QImage plain = draw(state);
        EXPECT_EQ(draw(state | ODS_FOCUS | ODS_NOFOCUSRECT), plain);
        const QImage focused = draw(state | ODS_FOCUS);
        // Along each side of the frame every other pixel is inverted, the rest as they were.
        const auto changed = [&](int x, int y) { return focused.pixel(x, y) != plain.pixel(x, y); };
        for (int x = 2; x < right; ++x) {
            EXPECT_NE(changed(x, 2), changed(x + 1, 2)) << x;
            EXPECT_NE(changed(x, bottom), changed(x + 1, bottom)) << x;
        }
        for (int y = 2; y < bottom; ++y) {
            EXPECT_NE(changed(2, y), changed(2, y + 1)) << y;
            EXPECT_NE(changed(right, y), changed(right, y + 1)) << y;
        }
        EXPECT_TRUE(changed(2, 2));
        EXPECT_EQ(focused.pixel(2, 2), plain.pixel(2, 2) ^ 0x00FFFFFFu);
        // Outside the mark nothing changed: the frame of the look and the middle.
        for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(kButton.width() - 1, 5),
                         QPoint(kButton.width() / 2, kButton.height() - 1)}) {
            EXPECT_EQ(focused.pixel(p), plain.pixel(p)) << p.x() << "," << p.y();
        }
    }
}

// On a screen of twice the density the icon is drawn from its own 64-pixel image, not the
// 32-pixel one blown up, and the text is drawn at the finer pixels too.
TEST_F(HoverButtonDrawing, AtTwiceTheDensityTheIconComesFromItsLargerImage) {
    button.SetIcon(130, 0, 32, 32);
    QImage dense(kButton * 2, QImage::Format_RGB32);
    dense.setDevicePixelRatio(2.0);
    dense.fill(Qt::magenta);
    DrawInto(dense, 0);
    QImageReader reader(QStringLiteral(":/res/icon/130"));
    QImage large;
    for (int i = 0; i < reader.imageCount() && large.width() != 64; ++i) {
        reader.jumpToImage(i);
        large = reader.read();
    }
    ASSERT_EQ(large.width(), 64);
    // The icon sits 3 pixels in and is centred on the 30-pixel height: at (3, -1), (6, -2) in
    // the dense image.
    int compared = 0;
    for (int y = 2; y < 62; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (qAlpha(large.pixel(x, y)) != 255) {
                continue;
            }
            ASSERT_EQ(dense.pixel(6 + x, y - 2) & 0xFFFFFFu, large.pixel(x, y) & 0xFFFFFFu)
                << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 500);
}

TEST_F(HoverButtonDrawing, AnIdThatNamesNoIconDrawsWithoutOne) {
    const QImage without = Render();
    button.SetIcon(999, 0, 32, 32);
    EXPECT_EQ(Render(), without);
}

// Icon ownership: under the sanitizers a second release is a double free and a missing one a
// leak, so these tests fail there if the button gets it wrong.
TEST(HoverButtonIcons, EachImageIsReleasedOnce) {
    // No normal image (0): the hot one serves as both; 128: a normal image of its own.
    for (const UINT normal : {0u, 128u}) {
        SCOPED_TRACE(normal);
        auto button = std::make_unique<CHoverButton>();
        button->SetIcon(130, normal, 32, 32);
        button.reset();
    }
}

} // namespace
