// The parameter window's plot: round scale bars, points kept inside the drawing at one scale
// for both axes, residuals drawn at a readable scale that a gross error does not shrink, and
// clicks picking the nearest point.
#include "app/fit_plot_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(FitPlotLayout, ScaleBarsAreOneTwoOrFiveTimesAPowerOfTen) {
    struct Case {
        double limit;
        double length;
    };
    const Case cases[] = {{1000.0, 1000.0}, {999.0, 500.0}, {0.3, 0.2},        {7.3, 5.0},
                          {1.99, 1.0},      {2.0, 2.0},     {0.00049, 0.0002}, {12345.0, 10000.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        EXPECT_DOUBLE_EQ(RoundLength(c.limit), c.length);
    }
}

TEST(FitPlotLayout, LengthsAreLabelledInTheUnitThatReadsBest) {
    struct Case {
        double metres;
        const char* text;
    };
    const Case cases[] = {{2000.0, "2 千米"},
                          {500.0, "500 米"},
                          {1.0, "1 米"},
                          {0.01, "10 毫米"},
                          {0.0005, "0.5 毫米"}};
    for (const Case& c : cases) {
        EXPECT_EQ(LengthText(c.metres), c.text);
    }
}

std::vector<PlotPoint> Square(double side, double residual) {
    return {{0, 0, residual, 0, true, false},
            {side, 0, 0, residual, true, false},
            {side, side, -residual, 0, true, false},
            {0, side, 0, -residual, true, false}};
}

TEST(FitPlotLayout, PointsFillTheDrawingInsideItsMarginAtOneScaleForBothAxes) {
    // A field 3 km wide and 1 km tall in a drawing 300 by 200 pixels.
    const std::vector<PlotPoint> points = {{500000, 3000000, 0, 0, true, false},
                                           {503000, 3001000, 0, 0, true, false}};
    const PlotLayout layout = LayoutPlot(points, 300, 200);
    const PixelPoint a = PositionPixel(layout, points[0]);
    const PixelPoint b = PositionPixel(layout, points[1]);
    EXPECT_EQ(a.x, kPlotMargin);
    EXPECT_EQ(b.x, 300 - kPlotMargin);
    // North is up, and a metre is as long across as up.
    EXPECT_GT(a.y, b.y);
    EXPECT_NEAR(a.y - b.y, (b.x - a.x) / 3.0, 1.0);
    EXPECT_EQ((a.y + b.y) / 2, 100);
    // The position bar is a round length no longer than a third of the drawing.
    EXPECT_LE(layout.positionBar.pixels, (300 - 2 * kPlotMargin) / 3 + 1);
    EXPECT_EQ(layout.positionBar.metres, RoundLength(layout.positionBar.metres));
    EXPECT_NEAR(layout.positionBar.pixels, layout.positionBar.metres * layout.pixelsPerMetre, 0.5);
}

TEST(FitPlotLayout, TheTypicalResidualIsReadableAndAGrossErrorDoesNotShrinkIt) {
    std::vector<PlotPoint> points = Square(2000.0, 0.005);
    PlotLayout layout = LayoutPlot(points, 300, 300);
    const PixelPoint from = PositionPixel(layout, points[0]);
    const PixelPoint to = VectorEndPixel(layout, points[0]);
    EXPECT_EQ(to.x - from.x, kTypicalVectorPixels);
    // One point a metre off among ten that agree to millimetres.
    for (int i = 0; i < 6; ++i) {
        points.push_back({100.0 * i, 50.0, 0.004, 0.003, true, false});
    }
    points.push_back({1000, 1000, 1.0, 0.0, true, true});
    layout = LayoutPlot(points, 300, 300);
    EXPECT_GE(layout.vectorPixelsPerMetre * 0.005, kTypicalVectorPixels - 1);
    // Left-out points do not set the scale.
    points.push_back({500, 500, 50.0, 0.0, false, false});
    EXPECT_DOUBLE_EQ(LayoutPlot(points, 300, 300).vectorPixelsPerMetre,
                     layout.vectorPixelsPerMetre);
    EXPECT_NEAR(layout.vectorBar.pixels, layout.vectorBar.metres * layout.vectorPixelsPerMetre,
                0.5);
}

TEST(FitPlotLayout, AClickPicksTheNearestPointWithinReach) {
    const std::vector<PlotPoint> points = Square(100.0, 0.01);
    const PlotLayout layout = LayoutPlot(points, 200, 200);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PixelPoint at = PositionPixel(layout, points[i]);
        EXPECT_EQ(PickPoint(layout, points, at.x + 2, at.y - 3), static_cast<int>(i));
    }
    const PixelPoint corner = PositionPixel(layout, points[0]);
    EXPECT_EQ(PickPoint(layout, points, corner.x + kPickRadius + 1, corner.y), -1);
    EXPECT_EQ(PickPoint(layout, points, 100, 100), -1);
    EXPECT_EQ(PickPoint(layout, {}, 100, 100), -1);
}

TEST(FitPlotLayout, OnePointOrNoneStillLaysOut) {
    const std::vector<PlotPoint> one = {{10, 20, 0, 0, true, false}};
    const PlotLayout layout = LayoutPlot(one, 100, 80);
    const PixelPoint at = PositionPixel(layout, one[0]);
    EXPECT_EQ(at.x, 50);
    EXPECT_EQ(at.y, 40);
    EXPECT_TRUE(std::isfinite(layout.vectorPixelsPerMetre));
    EXPECT_EQ(LayoutPlot({}, 100, 80).positionBar.pixels, 0);
}

} // namespace
