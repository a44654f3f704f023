// Many lines or shapes in one call paint exactly the pixels of the single calls, in their
// order: the same pens and brushes, overlaps, window origin and clip.
#include "platform/dc.h"

#include <gtest/gtest.h>
#include <QImage>

#include <vector>

namespace {

// The surfaces a context may draw on: the 32-bit ones of one pixel per logical pixel take
// one-pixel lines' pixels straight, the others through a painter; a whole density copies one
// drawn ellipse, another draws each.
struct Surface {
    QImage::Format format;
    qreal density;
};
const Surface kSurfaces[] = {{QImage::Format_RGB32, 1.0},
                             {QImage::Format_ARGB32_Premultiplied, 1.0},
                             {QImage::Format_RGB888, 1.0},
                             {QImage::Format_RGB32, 2.0},
                             {QImage::Format_RGB32, 1.5}};

QImage Canvas(const Surface& surface) {
    QImage image(QSize(80, 60) * surface.density, surface.format);
    image.setDevicePixelRatio(surface.density);
    image.fill(Qt::white);
    return image;
}

std::string Describe(const Surface& surface) {
    return "format " + std::to_string(surface.format) + ", density " +
           std::to_string(surface.density);
}

// The first pixel where the two pictures differ, or "" when none does.
std::string FirstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return "";
}

// How a context is set up before drawing: origin and clip.
struct Setting {
    const char* name;
    CPoint origin;
    RECT clip; // empty: none
};
const Setting kSettings[] = {
    {"plain", {0, 0}, {0, 0, 0, 0}},
    {"moved origin", {-7, 5}, {0, 0, 0, 0}},
    {"clipped", {0, 0}, {10, 8, 50, 40}},
};

void Prepare(CDC& dc, const Setting& s) {
    dc.SetWindowOrg(s.origin);
    if (s.clip.right > s.clip.left) {
        dc.IntersectClipRect(&s.clip);
    }
}

TEST(DcPoly, PolyPolylinePaintsWhatMoveToAndLineToPaint) {
    // Segments in every direction, steep and shallow, one of no length, some crossing, some
    // leaving the canvas.
    const std::vector<std::vector<POINT>> lines = {
        {{5, 5}, {30, 5}},     {{30, 8}, {5, 8}},    {{12, 2}, {12, 40}},
        {{14, 40}, {14, 2}},   {{3, 50}, {40, 31}},  {{40, 50}, {33, 10}},
        {{60, 5}, {20, 57}},   {{22, 22}, {22, 22}}, {{50, 30}, {95, 70}, {70, 20}, {50, 30}},
        {{-10, -4}, {20, 15}},
    };
    std::vector<POINT> points;
    std::vector<DWORD> counts;
    for (const auto& line : lines) {
        points.insert(points.end(), line.begin(), line.end());
        counts.push_back(static_cast<DWORD>(line.size()));
    }
    for (int width : {1, 2}) {
        for (const Setting& s : kSettings) {
            for (const Surface& surface : kSurfaces) {
                SCOPED_TRACE(std::string(s.name) + ", pen " + std::to_string(width) + ", " +
                             Describe(surface));
                CPen pen(PS_SOLID, width, RGB(200, 0, 0));
                QImage single = Canvas(surface);
                {
                    CImageDC dc(single);
                    Prepare(dc, s);
                    dc.SelectObject(&pen);
                    for (const auto& line : lines) {
                        dc.MoveTo(line[0].x, line[0].y);
                        for (size_t k = 1; k < line.size(); ++k) {
                            dc.LineTo(line[k].x, line[k].y);
                        }
                    }
                }
                QImage batch = Canvas(surface);
                {
                    CImageDC dc(batch);
                    Prepare(dc, s);
                    dc.SelectObject(&pen);
                    dc.MoveTo(1, 1);
                    EXPECT_TRUE(dc.PolyPolyline(points.data(), counts.data(),
                                                static_cast<int>(counts.size())));
                    // The current position is neither used nor moved.
                    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(1, 1));
                }
                EXPECT_EQ(FirstDifference(single, batch), "");
            }
        }
    }
}

TEST(DcPoly, PolyEllipsePaintsWhatEllipsePaintsInOrder) {
    // Overlapping shapes of two sizes, so the later one must cover the earlier where they meet.
    std::vector<RECT> rects;
    for (int i = 0; i < 40; ++i) {
        const int x = -4 + (i * 13) % 84;
        const int y = -3 + (i * 7) % 64;
        const int size = i % 3 == 0 ? 13 : 7;
        rects.push_back({x, y, x + size, y + size});
    }
    struct Style {
        const char* name;
        int penWidth;
        bool filled;
    };
    const Style styles[] = {{"filled", 1, true}, {"hollow", 1, false}, {"thick", 2, false}};
    for (const Style& style : styles) {
        for (const Setting& s : kSettings) {
            for (const Surface& surface : kSurfaces) {
                SCOPED_TRACE(std::string(s.name) + ", " + style.name + ", " + Describe(surface));
                CPen pen(PS_SOLID, style.penWidth, RGB(0, 0, 160));
                CBrush brush(RGB(90, 160, 0));
                // Each picture starts from lines under the shapes, so a hollow one shows them.
                const auto draw = [&](bool batched) {
                    QImage image = Canvas(surface);
                    CImageDC dc(image);
                    Prepare(dc, s);
                    CPen under(PS_SOLID, 1, RGB(255, 128, 0));
                    dc.SelectObject(&under);
                    for (int y = 0; y < 60; y += 3) {
                        dc.MoveTo(-10, y);
                        dc.LineTo(90, y + 9);
                    }
                    dc.SelectObject(&pen);
                    if (style.filled) {
                        dc.SelectObject(&brush);
                    } else {
                        dc.SelectStockObject(NULL_BRUSH);
                    }
                    if (batched) {
                        EXPECT_TRUE(dc.PolyEllipse(rects.data(), static_cast<int>(rects.size())));
                    } else {
                        for (const RECT& r : rects) {
                            dc.Ellipse(r.left, r.top, r.right, r.bottom);
                        }
                    }
                    dc.SelectStockObject(BLACK_PEN);
                    dc.SelectStockObject(WHITE_BRUSH);
                    return image;
                };
                const QImage single = draw(false);
                EXPECT_EQ(FirstDifference(single, draw(true)), "");
            }
        }
    }
}

} // namespace
