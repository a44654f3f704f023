// The credits scroller of the About box: when lines are fetched, how they and the bitmap rise,
// and what the credits area shows.
#include "tests/about/about_test_support.h"

#include "platform/services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include <algorithm>

namespace {

TEST(CreditsTiming, EachEntryIsFetchedWhenTheCounterReachesThePitchOfTheLastTextLine) {
    // Entry 0 after the 14 empty ticks; then each entry stays as many ticks as the font height
    // of the last text line: title 21, names 15, role headers 17, blanks the previous one. The
    // bitmap (entry 6) holds the counter until it has risen 188 pixels, at tick 304.
    const Fetch expected[] = {
        {15, 0},  {36, 1},  {57, 2},  {72, 3},   {87, 4},   {102, 5},  {117, 6},
        {319, 7}, {334, 8}, {349, 9}, {366, 10}, {383, 11}, {398, 12},
    };
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.TickUntil(400);
    ASSERT_GE(dlg.fetches.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "fetch " << i);
        EXPECT_EQ(dlg.fetches[i].index, expected[i].index);
        EXPECT_EQ(dlg.fetches[i].tick, expected[i].tick);
    }
}

TEST(CreditsTiming, TheBitmapStopsTheCounterAndRisesFor188Ticks) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.TickUntil(116);
    EXPECT_FALSE(dlg.BitmapShowing());
    dlg.Tick(); // 117: entry 6 fetched and loaded
    ASSERT_TRUE(dlg.BitmapShowing());
    dlg.TickUntil(303);
    EXPECT_TRUE(dlg.BitmapShowing());
    EXPECT_EQ(dlg.Risen(), 187);
    const size_t fetchesSoFar = dlg.fetches.size();
    dlg.Tick(); // 304: risen 188, the whole bitmap is above the bottom edge
    EXPECT_FALSE(dlg.BitmapShowing());
    EXPECT_EQ(dlg.fetches.size(), fetchesSoFar);
}

TEST(CreditsTiming, AfterTheLastEntryTheListStartsAgainAndLoadsTheBitmapAgain) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    auto fetchesOf = [&](int index) {
        return std::count_if(dlg.fetches.begin(), dlg.fetches.end(),
                             [&](const Fetch& f) { return f.index == index; });
    };
    while (fetchesOf(0) < 2 && dlg.ticks < 5000) {
        dlg.Tick();
    }
    ASSERT_EQ(fetchesOf(0), 2);
    const Fetch last = dlg.fetches[dlg.fetches.size() - 2];
    const Fetch again = dlg.fetches.back();
    EXPECT_EQ(last.index, kCreditsCount - 1);
    // Entries 38 and 39 are blanks after the role header of entry 37.
    EXPECT_EQ(again.tick - last.tick, 17);

    while (fetchesOf(6) < 2 && dlg.ticks < 10000) {
        dlg.Tick();
    }
    ASSERT_EQ(fetchesOf(6), 2);
    EXPECT_TRUE(dlg.BitmapShowing());
    dlg.TickUntil(dlg.ticks + 20);
    EXPECT_TRUE(dlg.BitmapShowing());
    EXPECT_FALSE(
        RowsBlack(dlg.CreditsImage(), dlg.ClientRect().height() - 20, dlg.ClientRect().height()));
}

TEST(CreditsTiming, TicksReachThePaintingPassThroughTheWindowSystem) {
    // No painting pass is sent by hand here: each tick must invalidate what the pass paints.
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Create(CAboutDlg::IDD));
    ASSERT_TRUE(dlg.KillTimer(CAboutDlg::kCreditsTimer)); // only the ticks sent here count
    dlg.ShowWindow(SW_SHOW);
    // A window that is not yet exposed gets no painting pass at all, however long one waits.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.m_hWnd));
    for (int i = 0; i < 15 + 21; ++i) {
        dlg.TickUnpainted();
        // Deliver the update request the tick's invalidation posted, as the event loop would
        // between two ticks.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QApplication::processEvents();
    }
    const QImage image = dlg.CreditsImage();
    bool red = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            red = red || image.pixel(x, y) == qRgb(255, 0, 0);
        }
    }
    EXPECT_TRUE(red);
    // The title's font height is its pitch, so entry 1 came 21 ticks later.
    ASSERT_EQ(dlg.fetches.size(), 2u);
    EXPECT_EQ(dlg.fetches[1].index, 1);
    EXPECT_EQ(dlg.fetches[1].tick - dlg.fetches[0].tick, 21);
}

TEST(CreditsTiming, WhatIsShownDependsOnTheTicksAloneNotOnHowOftenTheBoxRepaints) {
    // One box painted after every tick, one painted only when looked at, one painted three
    // times per tick: through text lines, blanks, the bitmap and the lines after it they fetch
    // on the same ticks and show the same picture.
    ScriptedAboutDlg everyTick, seldom, often;
    ASSERT_TRUE(everyTick.Open());
    ASSERT_TRUE(seldom.Open());
    ASSERT_TRUE(often.Open());
    for (const int tick : {14, 15, 16, 36, 50, 117, 118, 200, 303, 304, 305, 319, 340, 420}) {
        SCOPED_TRACE(tick);
        everyTick.TickUntil(tick);
        while (seldom.ticks < tick) {
            seldom.TickUnpainted();
        }
        seldom.Paint();
        while (often.ticks < tick) {
            often.Tick();
            often.Paint();
            often.Paint();
        }
        const QImage expected = everyTick.CreditsImage();
        EXPECT_TRUE(seldom.CreditsImage() == expected);
        EXPECT_TRUE(often.CreditsImage() == expected);
        EXPECT_EQ(seldom.fetches, everyTick.fetches);
        EXPECT_EQ(often.fetches, everyTick.fetches);
        EXPECT_EQ(seldom.BitmapShowing(), everyTick.BitmapShowing());
    }
}

TEST(CreditsTiming, OtherTimersAreLeftToTheDefaultProcessing) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    for (int i = 0; i < 30; ++i) {
        dlg.SendMessage(WM_TIMER, CAboutDlg::kCreditsTimer + 1);
        dlg.Paint();
    }
    EXPECT_TRUE(dlg.fetches.empty());
    EXPECT_TRUE(RowsBlack(dlg.CreditsImage(), 0, dlg.ClientRect().height()));
}

// The extent of the pixels that are not black within the rows [top, bottom).
QRect Ink(const QImage& image, int top, int bottom) {
    return InkExtent(image, qRgb(0, 0, 0), top, bottom);
}

TEST(CreditsPixels, TheFirst14TicksShowAnEmptyBlackArea) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    for (int tick = 1; tick <= 14; ++tick) {
        dlg.Tick();
        SCOPED_TRACE(tick);
        EXPECT_TRUE(RowsBlack(dlg.CreditsImage(), 0, dlg.ClientRect().height()));
    }
    EXPECT_TRUE(dlg.fetches.empty());
}

TEST(CreditsPixels, EachLineKindHasItsColourAndTheTitleItsUnderline) {
    struct Case {
        const char* entry;
        int pitch;
        QRgb colour;
        bool underlined;
        // A trailing blank is drawn too, so the ink sits left of the centre, unless an
        // underline runs under it.
        bool inkLeftOfCentre;
    };
    const Case cases[] = {
        {"Varnel软件 \n", 21, qRgb(255, 0, 0), true, false},
        {"开发团体 \t", 17, qRgb(0, 255, 255), false, true},
        {"张三 HALL\f", 15, qRgb(255, 255, 255), false, false},
        {"HIGHLIGHT\r", 19, qRgb(255, 255, 0), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ScriptedAboutDlg dlg;
        dlg.replaced[0] = c.entry;
        ASSERT_TRUE(dlg.Open());
        dlg.TickUntil(15 + c.pitch - 1); // the whole line has risen into view
        const QImage image = dlg.CreditsImage();
        const int h = image.height();
        // Nothing above the line; the next line is not there yet.
        EXPECT_TRUE(RowsBlack(image, 0, h - c.pitch));
        const QRect ink = Ink(image, h - c.pitch, h);
        ASSERT_FALSE(ink.isEmpty());
        // Every lit pixel is the line's colour at some brightness, and the full colour occurs.
        bool full = false;
        int longestRun = 0;
        for (int y = ink.top(); y <= ink.bottom(); ++y) {
            int run = 0;
            for (int x = ink.left(); x <= ink.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                full = full || p == c.colour;
                run = p == c.colour ? run + 1 : 0;
                longestRun = std::max(longestRun, run);
                const int scale = std::max({qRed(p), qGreen(p), qBlue(p)});
                EXPECT_LE(std::abs(qRed(p) - qRed(c.colour) * scale / 255), 2);
                EXPECT_LE(std::abs(qGreen(p) - qGreen(c.colour) * scale / 255), 2);
                EXPECT_LE(std::abs(qBlue(p) - qBlue(c.colour) * scale / 255), 2);
            }
        }
        EXPECT_TRUE(full);
        // An underline is one unbroken stroke under the whole text.
        EXPECT_EQ(longestRun >= ink.width() * 9 / 10, c.underlined) << longestRun;
        // Centred on the area, to a pixel; a trailing blank takes half its width from the left.
        const int offCentre = image.width() - (ink.left() + ink.right() + 1);
        if (c.inkLeftOfCentre) {
            EXPECT_GE(offCentre, 2);
            EXPECT_LE(offCentre, 14);
        } else {
            EXPECT_LE(std::abs(offCentre), 2);
        }
    }
}

TEST(CreditsPixels, EveryTickMovesThePictureUpOnePixel) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    for (const int tick : {25, 40, 64, 130}) {
        SCOPED_TRACE(tick);
        dlg.TickUntil(tick);
        const QImage before = dlg.CreditsImage();
        dlg.Tick();
        const QImage after = dlg.CreditsImage();
        ASSERT_FALSE(RowsBlack(before, 0, before.height()));
        for (int y = 0; y + 1 < before.height(); ++y) {
            ASSERT_EQ(after.copy(0, y, after.width(), 1), before.copy(0, y + 1, before.width(), 1))
                << "row " << y;
        }
    }
}

TEST(CreditsPixels, TheBitmapIsCentredAndRisesOnePixelPerTick) {
    const QImage picture =
        QImage(":/res/bitmap/IDB_COMBITMAP2").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(308, 187));
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    for (const int risen : {1, 2, 50, 120, 187}) {
        SCOPED_TRACE(risen);
        dlg.TickUntil(116 + risen); // entry 6 comes on tick 117
        ASSERT_TRUE(dlg.BitmapShowing());
        const QImage image = dlg.CreditsImage();
        const int w = image.width(), h = image.height();
        // The picture's left edge in the area's client coordinates: centred, so it sticks out
        // by the same amount, give or take a pixel, on both sides.
        const int left = w - w / 2 - picture.width() / 2;
        // Columns of the left half are copied one to one (the one-column stretch lands in the
        // right half); row j of the picture is risen - j pixels above the bottom edge.
        for (int j = 0; j < std::min(risen, h); ++j) {
            const int y = h - risen + j;
            if (y < 0) {
                continue;
            }
            for (int x = std::max(0, left); x < w / 2; ++x) {
                ASSERT_EQ(image.pixel(x, y), picture.pixel(x - left, j)) << x << "," << y;
            }
        }
        // Above it, the blank entry 5 that rose before it.
        EXPECT_TRUE(RowsBlack(image, std::max(0, h - risen - 15), std::max(0, h - risen)));
    }
}

TEST(CreditsPixels, ALineWiderThanTheAreaIsCentredAndCutAtBothSides) {
    ScriptedAboutDlg dlg;
    dlg.replaced[0] = std::string(80, 'W') + "\f";
    ASSERT_TRUE(dlg.Open());
    dlg.TickUntil(15 + 14);
    const QImage image = dlg.CreditsImage();
    const QRect ink = Ink(image, image.height() - 15, image.height());
    EXPECT_EQ(ink.left(), 0);
    EXPECT_EQ(ink.right(), image.width() - 1);
    // 80 identical letters centred: the left and right ends show the same cut, mirrored.
    const int row = ink.top() + ink.height() / 2;
    int litLeft = 0, litRight = 0;
    for (int x = 0; x < image.width(); ++x) {
        litLeft += !IsBlack(image.pixel(x, row));
    }
    for (int x = image.width() / 2; x < image.width(); ++x) {
        litRight += !IsBlack(image.pixel(x, row));
    }
    EXPECT_NEAR(litRight * 2, litLeft, 8);
}

TEST(CreditsPixels, ABlankEntryRisesAsEmptyRows) {
    ScriptedAboutDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.TickUntil(36 + 20); // entry 1 (blank) has risen 21 rows under the title
    const QImage image = dlg.CreditsImage();
    EXPECT_TRUE(RowsBlack(image, image.height() - 21, image.height()));
    EXPECT_FALSE(RowsBlack(image, image.height() - 42, image.height() - 21));
}

TEST(MissingBitmap, TheMessageComesOnceAndTheBoxStaysUsable) {
    ScopedRecordingServices services;
    ScriptedAboutDlg dlg;
    dlg.replaced[6] = "NO_SUCH_PICTURE\b";
    ASSERT_TRUE(dlg.Open(true)); // the timer runs, and the failure must stop it
    dlg.TickUntil(117);
    QApplication::processEvents();
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, "Could not find bitmap resource \"NO_SUCH_PICTURE\". Be sure "
                                      "to assign the bitmap a QUOTED resource name");
    EXPECT_EQ(services.boxes[0].caption, "");
    EXPECT_EQ(services.boxes[0].type, MB_OK);
    EXPECT_EQ(services.boxes[0].owner, dlg.m_hWnd);
    // The scroller's timer is gone.
    EXPECT_FALSE(dlg.KillTimer(CAboutDlg::kCreditsTimer));

    // Later passes, stray ticks and repaints neither repeat the message nor move anything, and
    // the bitmap's name is never drawn as text.
    const QImage stopped = dlg.CreditsImage();
    for (int i = 0; i < 30; ++i) {
        dlg.Tick();
    }
    dlg.m_hWnd->repaint();
    QApplication::processEvents();
    EXPECT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(dlg.CreditsImage(), stopped);
    EXPECT_EQ(dlg.fetches.size(), 7u);

    // Still usable: the link opens and OK closes.
    QWidget* link = dlg.m_hWnd->findChild<QWidget*>("IDC_HOMEPAGE");
    ClickAt(link, QPoint(5, 5));
    EXPECT_EQ(services.opened.size(), 1u);
    QWidget* ok = dlg.m_hWnd->findChild<QWidget*>("IDOK");
    ClickAt(ok, QPoint(5, 5));
    EXPECT_EQ(dlg.GetModalResult(), IDOK);
    EXPECT_FALSE(dlg.m_hWnd->isVisible());
}

} // namespace
