// The plot's layout: scales, bars and picking.
#include "app/fit_plot_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

double RoundLength(double limit) {
    const double decade = std::pow(10.0, std::floor(std::log10(limit)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= limit) {
            return step * decade;
        }
    }
    return decade / 2.0; // log10 rounded up at an exact power: 5 of the decade below
}

PlotLayout LayoutPlot(const std::vector<PlotPoint>& points, int width, int height) {
    PlotLayout layout;
    layout.width = width;
    layout.height = height;
    if (points.empty()) {
        return layout;
    }
    double left = points.front().x;
    double right = left;
    double bottom = points.front().y;
    double top = bottom;
    std::vector<double> lengths;
    for (const PlotPoint& point : points) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        bottom = std::min(bottom, point.y);
        top = std::max(top, point.y);
        if (point.used) {
            lengths.push_back(std::hypot(point.vx, point.vy));
        }
    }
    layout.centreX = (left + right) / 2.0;
    layout.centreY = (bottom + top) / 2.0;
    const double usableWidth = std::max(1, width - 2 * kPlotMargin);
    const double usableHeight = std::max(1, height - 2 * kPlotMargin);
    // One scale for both axes, so the figure the points make is not distorted; a single point
    // (or all at one place) is drawn as if spread over a metre.
    layout.pixelsPerMetre = std::min(usableWidth / std::max(right - left, 1.0),
                                     usableHeight / std::max(top - bottom, 1.0));

    // The typical residual (the 90th percentile of the used points') is drawn kTypicalVectorPixels
    // long: a gross error is drawn longer, and does not dwarf the others.
    double typical = 0.0;
    if (!lengths.empty()) {
        const auto at =
            lengths.begin() + static_cast<std::ptrdiff_t>((lengths.size() - 1) * 9 / 10);
        std::nth_element(lengths.begin(), at, lengths.end());
        typical = *at;
    }
    layout.vectorPixelsPerMetre = kTypicalVectorPixels / std::max(typical, 1e-4);

    const double barLimit = usableWidth / 3.0;
    layout.positionBar.metres = RoundLength(barLimit / layout.pixelsPerMetre);
    layout.positionBar.pixels =
        static_cast<int>(std::lround(layout.positionBar.metres * layout.pixelsPerMetre));
    layout.vectorBar.metres = RoundLength(barLimit / layout.vectorPixelsPerMetre);
    layout.vectorBar.pixels =
        static_cast<int>(std::lround(layout.vectorBar.metres * layout.vectorPixelsPerMetre));
    return layout;
}

PixelPoint PositionPixel(const PlotLayout& layout, const PlotPoint& point) {
    return {static_cast<int>(std::lround(layout.width / 2.0 +
                                         (point.x - layout.centreX) * layout.pixelsPerMetre)),
            static_cast<int>(std::lround(layout.height / 2.0 -
                                         (point.y - layout.centreY) * layout.pixelsPerMetre))};
}

PixelPoint VectorEndPixel(const PlotLayout& layout, const PlotPoint& point) {
    const PixelPoint at = PositionPixel(layout, point);
    // Pixel coordinates stay within what a drawing can take, however long the vector.
    const auto clamp = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6)));
    };
    return {clamp(at.x + point.vx * layout.vectorPixelsPerMetre),
            clamp(at.y - point.vy * layout.vectorPixelsPerMetre)};
}

int PickPoint(const PlotLayout& layout, const std::vector<PlotPoint>& points, int x, int y) {
    int nearest = -1;
    long best = static_cast<long>(kPickRadius) * kPickRadius;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PixelPoint at = PositionPixel(layout, points[i]);
        const long dx = at.x - x;
        const long dy = at.y - y;
        if (dx * dx + dy * dy <= best) {
            best = dx * dx + dy * dy;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

std::string LengthText(double metres) {
    const char* unit = "米";
    double value = metres;
    if (metres >= 1000.0) {
        value = metres / 1000.0;
        unit = "千米";
    } else if (metres < 1.0) {
        value = metres * 1000.0;
        unit = "毫米";
    }
    char digits[32];
    // Round lengths: a few significant digits say them exactly.
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 6).ptr;
    return std::string(digits, end) + " " + unit;
}
