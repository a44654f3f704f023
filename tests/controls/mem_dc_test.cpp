// CMemDC: the surface covers the target's clipping box in the target's logical
// coordinates and is copied back there, and only there, when it goes.
#include "controls/mem_dc.h"

#include "tests/support/image_ink.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

QImage White() {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The device pixels of the image that are not white.
QRect Painted(const QImage& image) {
    return InkExtent(image, qRgb(255, 255, 255));
}

TEST(CMemDC, DrawingAtALogicalPointLandsAtTheSamePointOfTheTarget) {
    QImage image = White();
    CImageDC target(image);
    {
        CMemDC surface(&target);
        surface.FillSolidRect(0, 0, 60, 40, RGB(255, 255, 255));
        surface.SetPixel(17, 23, kRed);
        EXPECT_EQ(image.pixelColor(17, 23), Qt::white) << "nothing reaches the target early";
    }
    EXPECT_EQ(image.pixelColor(17, 23), QColor(255, 0, 0));
    EXPECT_EQ(Painted(image), QRect(17, 23, 1, 1));
}

TEST(CMemDC, NothingOutsideTheClipBoxReachesTheTarget) {
    QImage image = White();
    CImageDC target(image);
    target.IntersectClipRect(10, 5, 30, 25);
    {
        CMemDC surface(&target);
        surface.FillSolidRect(-100, -100, 300, 300, kGreen);
    }
    EXPECT_EQ(Painted(image), QRect(QPoint(10, 5), QPoint(29, 24)));
}

TEST(CMemDC, AnEmptyClipBoxChangesNothing) {
    QImage image = White();
    const QImage before = image;
    CImageDC target(image);
    target.IntersectClipRect(10, 10, 10, 20);
    {
        CMemDC surface(&target);
        CRect box;
        EXPECT_EQ(surface.GetClipBox(&box), NULLREGION);
        surface.FillSolidRect(0, 0, 60, 40, kGreen);
    }
    EXPECT_EQ(image, before);
}

TEST(CMemDC, WindowOriginAndOffsetClipBoxCopyBackToExactlyTheClipBox) {
    QImage image = White();
    CImageDC target(image);
    target.SetWindowOrg(-7, 13);
    target.IntersectClipRect(0, 20, 25, 40); // device (7, 7)–(32, 27)
    CRect box;
    target.GetClipBox(&box);
    ASSERT_TRUE(box == CRect(0, 20, 25, 40));
    {
        CMemDC surface(&target);
        EXPECT_TRUE(surface.GetWindowOrg() == CPoint(0, 20));
        surface.FillSolidRect(-50, -50, 200, 200, kGreen);
        surface.SetPixel(3, 21, kRed);
    }
    EXPECT_EQ(Painted(image), QRect(7, 7, 25, 20));
    EXPECT_EQ(image.pixelColor(3 + 7, 21 - 13), QColor(255, 0, 0));
}

} // namespace
