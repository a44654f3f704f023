// Where the batch and parameter windows open: beside the form, clear of each other, on screen.
#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    const char* what;
    CRect form;
    CSize size;
    std::vector<CRect> others;
    CRect work;
    CPoint expected;
    std::optional<CPoint> formMoved;
};

TEST(ToolWindowPlacement, BesideTheFormAndClearOfTheOthers) {
    const CRect fullHd(0, 0, 1920, 1080), small(0, 0, 1024, 768), laptop(0, 0, 1366, 768);
    const CSize batch(482, 700), fit(713, 540);
    // clang-format off
    const PlacementCase cases[] = {
        {"room to the right, raised to stay on screen",
         {781, 389, 1138, 690}, batch, {}, fullHd, {1146, 372}, {}},
        {"room to the left only", {1500, 300, 1857, 601}, batch, {}, fullHd, {1010, 300}, {}},
        {"no room on either side: the form moves over",
         {333, 233, 690, 534}, batch, {}, small, {542, 60}, CPoint(177, 233)},
        {"the batch window on the right: the parameter window goes left",
         {781, 389, 1138, 690}, fit, {{1146, 380, 1628, 1080}}, fullHd, {60, 389}, {}},
        {"the batch window on the left: the parameter window goes right",
         {781, 389, 1138, 690}, fit, {{291, 380, 773, 1080}}, fullHd, {1146, 389}, {}},
        {"no room for all three: the form is covered least, nothing moves",
         {504, 233, 861, 534}, fit, {{872, 66, 1350, 762}}, laptop, {0, 220}, {}},
        {"a screen narrower than the window: its left edge stays on screen",
         {100, 50, 457, 351}, fit, {{0, 0, 482, 480}}, CRect(0, 0, 640, 480), {0, 0}, {}},
    };
    // clang-format on
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ToolWindowPlace place = PlaceToolWindow(c.form, c.size, c.others, c.work);
        EXPECT_EQ(place.topLeft.x, c.expected.x);
        EXPECT_EQ(place.topLeft.y, c.expected.y);
        ASSERT_EQ(place.formMoved.has_value(), c.formMoved.has_value());
        if (c.formMoved) {
            EXPECT_EQ(place.formMoved->x, c.formMoved->x);
            EXPECT_EQ(place.formMoved->y, c.formMoved->y);
        }
    }
}

} // namespace
