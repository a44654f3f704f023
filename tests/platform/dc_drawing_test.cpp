// The drawing layer by its pixels: lines with the end-point rule, fills, text measuring and
// mnemonic text, disabled drawing, block transfers, clipping, object selection and resources.
#include "platform/dc.h"

#include <gtest/gtest.h>
#include <QImage>

#include <cstring>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

QImage Canvas(int w = 40, int h = 30) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

COLORREF At(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
}

int CountNot(const QImage& image, COLORREF background) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += At(image, x, y) != background;
        }
    }
    return n;
}

TEST(DcLines, EachSegmentStopsShortOfItsEndPoint) {
    struct Case {
        const char* name;
        CPoint from, to;
        std::vector<CPoint> painted;
    };
    const Case cases[] = {
        {"right", {2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {"left", {6, 5}, {2, 5}, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {"down", {3, 1}, {3, 4}, {{3, 1}, {3, 2}, {3, 3}}},
        {"up", {3, 4}, {3, 1}, {{3, 4}, {3, 3}, {3, 2}}},
        {"diagonal", {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = Canvas();
        CImageDC dc(image);
        CPen pen(PS_SOLID, 0, kRed);
        dc.SelectObject(&pen);
        dc.MoveTo(c.from);
        dc.LineTo(c.to);
        for (const CPoint& p : c.painted) {
            EXPECT_EQ(At(image, p.x, p.y), kRed) << p.x << "," << p.y;
        }
        EXPECT_EQ(At(image, c.to.x, c.to.y), kWhite);
        EXPECT_EQ(CountNot(image, kWhite), static_cast<int>(c.painted.size()));
        EXPECT_TRUE(dc.GetCurrentPosition() == c.to);
    }
}

TEST(DcFills, FillRectCoversLeftAndTopButNotRightAndBottom) {
    QImage image = Canvas();
    CImageDC dc(image);
    CBrush brush(kBlue);
    const CRect r(3, 4, 8, 6);
    dc.FillRect(&r, &brush);
    EXPECT_EQ(At(image, 3, 4), kBlue);
    EXPECT_EQ(At(image, 7, 5), kBlue);
    EXPECT_EQ(At(image, 8, 5), kWhite);
    EXPECT_EQ(At(image, 7, 6), kWhite);
    EXPECT_EQ(CountNot(image, kWhite), 10);
}

TEST(DcOrigin, LogicalPointsMoveByTheWindowOrigin) {
    QImage image = Canvas();
    CImageDC dc(image);
    EXPECT_TRUE(dc.SetWindowOrg(10, 5) == CPoint(0, 0));
    dc.SetPixel(12, 8, kRed);
    EXPECT_EQ(At(image, 2, 3), kRed);
    EXPECT_EQ(dc.GetPixel(12, 8), kRed);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_TRUE(box == CRect(10, 5, 50, 35));
}

TEST(DcClip, IntersectClipRectKeepsDrawingInside) {
    QImage image = Canvas();
    CImageDC dc(image);
    dc.IntersectClipRect(5, 5, 10, 8);
    dc.FillSolidRect(0, 0, 40, 30, kRed);
    EXPECT_EQ(CountNot(image, kWhite), 15);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_TRUE(box == CRect(5, 5, 10, 8));
    EXPECT_EQ(dc.IntersectClipRect(20, 20, 20, 25), NULLREGION);
}

TEST(DcSelection, SelectObjectReturnsTheObjectSelectedBefore) {
    QImage image = Canvas();
    CImageDC dc(image);
    CFont first, second;
    first.CreateFont(15, 0, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6, "Arial");
    second.CreateFont(21, 0, 0, 0, 700, 0, 1, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6, "Arial");
    CFont* stock = dc.SelectObject(&first);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->m_hObject, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(dc.SelectObject(&second), &first);
    EXPECT_EQ(dc.SelectObject(stock), &second);
}

TEST(DcSelection, AnObjectDeletedWhileSelectedLivesUntilDeselected) {
    QImage image = Canvas();
    CImageDC dc(image);
    CBrush* old = nullptr;
    {
        CPen pen(PS_SOLID, 0, kRed);
        dc.SelectObject(&pen);
        CBrush brush(kBlue);
        old = dc.SelectObject(&brush);
    } // both deleted while selected: the context still draws with the pen
    dc.MoveTo(0, 0);
    dc.LineTo(3, 0);
    EXPECT_EQ(At(image, 1, 0), kRed);
    dc.SelectObject(old);
    dc.SelectStockObject(BLACK_PEN);
}

TEST(DcBitmaps, ABitmapGoesIntoOneMemoryContextAtATime) {
    CDC first, second;
    ASSERT_TRUE(first.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(second.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&first, 8, 4));
    CBitmap* original = first.SelectObject(&bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(second.SelectObject(&bitmap), nullptr);
    BITMAP bm;
    ASSERT_EQ(bitmap.GetBitmap(&bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 8);
    EXPECT_EQ(bm.bmHeight, 4);
    first.SelectObject(original);
}

TEST(DcTransfers, BitBltCopiesFromTheSourcesLogicalPosition) {
    CDC source;
    source.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&source, 4, 4);
    CBitmap* old = source.SelectObject(&bitmap);
    source.FillSolidRect(0, 0, 4, 4, kBlue);
    source.SetPixel(1, 2, kRed);
    QImage image = Canvas();
    CImageDC target(image);
    ASSERT_TRUE(target.BitBlt(10, 10, 4, 4, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(At(image, 11, 12), kRed);
    EXPECT_EQ(At(image, 10, 10), kBlue);
    EXPECT_EQ(At(image, 14, 10), kWhite);
    EXPECT_EQ(CountNot(image, kWhite), 16);
    source.SelectObject(old);
}

TEST(DcTransfers, StretchBltDrawsNoRowsBeyondTheSource) {
    CDC source;
    source.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&source, 5, 3);
    CBitmap* old = source.SelectObject(&bitmap);
    source.FillSolidRect(0, 0, 5, 3, kBlue);
    QImage image = Canvas();
    CImageDC target(image);
    // The credits scroller's call: one source column fewer, more rows than the bitmap has.
    ASSERT_TRUE(target.StretchBlt(2, 2, 5, 6, &source, 0, 0, 4, 6, SRCCOPY));
    EXPECT_EQ(At(image, 2, 2), kBlue);
    EXPECT_EQ(At(image, 6, 4), kBlue);
    EXPECT_EQ(At(image, 2, 5), kWhite);
    EXPECT_EQ(CountNot(image, kWhite), 15);
    source.SelectObject(old);
}

class DcText : public ::testing::Test {
protected:
    void SetUp() override {
        font.CreateFont(17, 0, 0, 0, 700, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 6, "Arial");
    }
    CFont font;
};

TEST_F(DcText, CalcRectMeasuresOneLineAndDrawsNothing) {
    QImage image = Canvas(200, 40);
    CImageDC dc(image);
    dc.SelectObject(&font);
    CRect r(5, 6, 10, 7);
    const int height = dc.DrawText("Gauss", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    const CSize extent = dc.GetTextExtent("Gauss", -1);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.Width(), extent.cx);
    EXPECT_EQ(r.Height(), extent.cy);
    EXPECT_EQ(height, extent.cy);
    EXPECT_LE(extent.cy, 17) << "a positive height is the cell height";
    EXPECT_EQ(CountNot(image, kWhite), 0);
}

TEST_F(DcText, AnAmpersandIsHiddenUnlessNoPrefix) {
    QImage image = Canvas(200, 40);
    CImageDC dc(image);
    dc.SelectObject(&font);
    CRect prefixed(0, 0, 0, 0), plain(0, 0, 0, 0), bare(0, 0, 0, 0);
    dc.DrawText("&Open", -1, &prefixed, DT_CALCRECT | DT_SINGLELINE);
    dc.DrawText("&Open", -1, &plain, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    dc.DrawText("Open", -1, &bare, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), bare.Width());
    EXPECT_GT(plain.Width(), bare.Width());
}

TEST_F(DcText, CentredTopAlignedTextStaysInsideItsBox) {
    QImage image = Canvas(200, 40);
    CImageDC dc(image);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect box(20, 10, 180, 40);
    dc.DrawText("Name", -1, &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    const int w = dc.GetTextExtent("Name", -1).cx;
    int minX = 200, maxX = -1, minY = 40;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (At(image, x, y) != kWhite) {
                minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y);
            }
        }
    }
    const int left = 20 + (160 - w) / 2;
    EXPECT_GE(minX, left - 1);
    EXPECT_LE(maxX, left + w);
    EXPECT_GE(minY, 10);
    EXPECT_LT(minY, 10 + 17);
}

TEST_F(DcText, MnemonicLetterIsUnderlined) {
    QImage withPrefix = Canvas(200, 40), without = Canvas(200, 40);
    for (auto [image, text] : {std::pair{&withPrefix, "&Open"}, std::pair{&without, "Open"}}) {
        CImageDC dc(*image);
        dc.SelectObject(&font);
        dc.DrawState(CPoint(4, 4), CSize(0, 0), text, DSS_NORMAL, TRUE);
    }
    EXPECT_NE(withPrefix, without);
    // The difference is a line under the first letter only.
    CImageDC measure(without);
    measure.SelectObject(&font);
    const int firstWidth = measure.GetTextExtent("O", 1).cx;
    for (int y = 0; y < 40; ++y) {
        for (int x = 4 + firstWidth; x < 200; ++x) {
            EXPECT_EQ(At(withPrefix, x, y), At(without, x, y)) << x << "," << y;
        }
    }
}

TEST(DcUnderline, AnUnderlinedLineKeepsItsUnderlineInsideABoxOneLineHigh) {
    // The label's font (the song face at 12 pixels) and a label exactly one line high, as the
    // About box's link is: the underline must be on the box's last rows, not clipped below.
    LOGFONT lf{};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    struct Case {
        const char* label;
        BYTE underline;
        bool lineExpected;
    };
    const Case cases[] = {{"underlined", 1, true}, {"plain", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        lf.lfUnderline = c.underline;
        CFont font;
        font.CreateFontIndirect(&lf);
        QImage image = Canvas(200, 40);
        CImageDC dc(image);
        CFont* old = dc.SelectObject(&font);
        CRect line(0, 0, 0, 0);
        dc.DrawText("www.example.com", -1, &line, DT_CALCRECT | DT_SINGLELINE);
        CRect box(2, 2, 2 + line.Width(), 2 + line.Height());
        dc.IntersectClipRect(&box);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText("www.example.com", -1, &box, DT_LEFT | DT_SINGLELINE);
        // An underline is a run of ink across most of the text on one row.
        int longestRun = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            int run = 0;
            for (int x = box.left; x < box.right; ++x) {
                run = At(image, x, y) != kWhite ? run + 1 : 0;
                longestRun = std::max(longestRun, run);
            }
        }
        EXPECT_EQ(longestRun > box.Width() * 3 / 4, c.lineExpected) << longestRun;
        dc.SelectObject(old);
    }
}

TEST_F(DcText, DisabledTextIsEmbossedInTheSystemColours) {
    QImage image = Canvas(200, 40);
    image.fill(QColor(10, 20, 30));
    CImageDC dc(image);
    dc.SelectObject(&font);
    dc.SetTextColor(kRed);
    DrawState(dc.GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>("Name"), 0, 4, 4, 0, 0,
              DST_PREFIXTEXT | DSS_DISABLED);
    bool highlight = false, shadow = false, red = false;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            highlight |= At(image, x, y) == GetSysColor(COLOR_BTNHIGHLIGHT);
            shadow |= At(image, x, y) == GetSysColor(COLOR_BTNSHADOW);
            red |= At(image, x, y) == kRed;
        }
    }
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(shadow);
    EXPECT_FALSE(red);
}

TEST(DcFonts, CreateFontIndirectKeepsTheDescription) {
    LOGFONT lf;
    ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &lf),
              static_cast<int>(sizeof(LOGFONT)));
    EXPECT_NE(lf.lfHeight, 0);
    lf.lfUnderline = TRUE;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    LOGFONT back;
    ASSERT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(std::memcmp(&lf, &back, sizeof(LOGFONT)), 0);
}

TEST(DcSystemColours, ComeFromThePalette) {
    EXPECT_NE(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT));
}

TEST(DcResources, OperationIconIs32By32) {
    HICON icon =
        static_cast<HICON>(LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(130), RT_GROUP_ICON),
                                     MAKEINTRESOURCE(130), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(GetIconSize(icon).cx, 32);
    EXPECT_EQ(GetIconSize(icon).cy, 32);
    QImage image = Canvas(40, 40);
    CImageDC dc(image);
    dc.DrawIcon(4, 4, icon);
    int painted = CountNot(image, kWhite);
    EXPECT_GT(painted, 0);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (x < 4 || y < 4 || x >= 36 || y >= 36) {
                EXPECT_EQ(At(image, x, y), kWhite);
            }
        }
    }
    DestroyIcon(icon);
}

TEST(DcResources, MissingResourcesLoadNothing) {
    EXPECT_EQ(LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(999), IMAGE_ICON, 0, 0, 0),
              nullptr);
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap("NO_SUCH_BITMAP"));
}

TEST(DcResources, CreditsBitmapLoadsByName) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap("IDB_COMBITMAP2"));
    BITMAP bm;
    bitmap.GetObject(sizeof(BITMAP), &bm);
    EXPECT_GT(bm.bmWidth, 0);
    EXPECT_GT(bm.bmHeight, 0);
}

} // namespace
