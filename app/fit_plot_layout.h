// Where the parameter window's plot draws each common point and its residual vector: the
// points at their positions, scaled as one to fit the drawing; the vectors at a scale of their
// own, chosen so that the ordinary ones show and a gross error does not shrink them to nothing;
// a scale bar of a round length for each. Kept apart from the window so it can be tested
// without one.
#pragma once

#include <string>
#include <vector>

// A point as the plot shows it: position and residual in metres, x to the right (east, or
// longitude), y upwards (north, or latitude).
struct PlotPoint {
    double x = 0.0;
    double y = 0.0;
    double vx = 0.0;
    double vy = 0.0;
    bool used = true;     // left-out points are drawn hollow and have no vector
    bool flagged = false; // a suspected gross error
};

// A scale bar: its length in pixels, and what that length stands for.
struct ScaleBar {
    int pixels = 0;
    double metres = 0.0;
};

struct PlotLayout {
    int width = 0;
    int height = 0;
    double centreX = 0.0; // the position, in metres, drawn at the middle of the drawing area
    double centreY = 0.0;
    double pixelsPerMetre = 1.0;       // positions
    double vectorPixelsPerMetre = 1.0; // residuals
    ScaleBar positionBar;
    ScaleBar vectorBar;
};

// The margin kept free around the points, and the length the typical residual is drawn at.
constexpr int kPlotMargin = 18;
constexpr int kTypicalVectorPixels = 20;
// How near a click must come to a point to select it.
constexpr int kPickRadius = 6;

// The largest length of 1, 2 or 5 times a power of ten not above limit (> 0).
double RoundLength(double limit);

// The layout for a drawing of width × height pixels.
PlotLayout LayoutPlot(const std::vector<PlotPoint>& points, int width, int height);

// Pixel coordinates of a point's position, and of its vector's end.
struct PixelPoint {
    int x = 0;
    int y = 0;
};
PixelPoint PositionPixel(const PlotLayout& layout, const PlotPoint& point);
PixelPoint VectorEndPixel(const PlotLayout& layout, const PlotPoint& point);

// The point nearest the pixel within kPickRadius, or -1.
int PickPoint(const PlotLayout& layout, const std::vector<PlotPoint>& points, int x, int y);

// A length as a scale bar's label: "500 米", "2 千米", "10 毫米", "0.5 毫米".
std::string LengthText(double metres);
