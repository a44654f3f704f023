#include "app/window_placement.h"

#include <algorithm>

namespace {

constexpr int kGap = 8;

long long Overlap(const CRect& a, const CRect& b) {
    const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

} // namespace

ToolWindowPlace PlaceToolWindow(const CRect& form, CSize size, const std::vector<CRect>& others,
                                const CRect& work) {
    // A resizable frame may be a little taller than the form's (a grip at the bottom).
    const int y = std::max<int>(work.top, std::min<int>(form.top, work.bottom - size.cy - kGap));
    auto frameAt = [&](int x) { return CRect(x, y, x + size.cx, y + size.cy); };
    // On a screen narrower than the window its left edge stays on screen (and std::clamp would
    // be undefined with the bounds crossed).
    auto inWork = [&](int x) {
        return std::max<int>(work.left, std::min<int>(x, work.right - size.cx));
    };
    auto covered = [&](int x) {
        const CRect frame = frameAt(x);
        long long area = Overlap(frame, form);
        for (const CRect& other : others) {
            area += Overlap(frame, other);
        }
        return area;
    };

    // To the right of the form, else to its left, else beside one of the open tool windows.
    std::vector<int> candidates = {form.right + kGap, form.left - kGap - size.cx};
    for (const CRect& other : others) {
        candidates.push_back(other.right + kGap);
        candidates.push_back(other.left - kGap - size.cx);
    }
    for (int x : candidates) {
        if (x == inWork(x) && covered(x) == 0) {
            return {CPoint(x, y), std::nullopt};
        }
    }

    if (others.empty()) {
        // Neither side has room, but the two fit side by side: the form moves over just enough.
        const int formLeft = std::max<int>(work.left, work.right - size.cx - kGap - form.Width());
        const int x = std::min<int>(formLeft + form.Width() + kGap, work.right - size.cx);
        return {CPoint(std::max<int>(work.left, x), y), CPoint(formLeft, form.top)};
    }
    // Too little screen for all: where the least of the form and the others is covered.
    int best = inWork(candidates.front());
    for (int x : candidates) {
        if (covered(inWork(x)) < covered(best)) {
            best = inWork(x);
        }
    }
    return {CPoint(std::max<int>(work.left, best), y), std::nullopt};
}
