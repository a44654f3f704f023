// Many lines or shapes in one pass. Each of LineTo and Ellipse begins a painter of its own,
// which is most of what a small shape costs: a drawing of thousands of them (the plot of common
// points) does them here under one painter, or with none where a one-pixel line's pixels can be
// set straight in an image, pixel for pixel as the single calls draw.
#include "platform/private/gdi_private.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The pixels of a one-pixel segment from `from` up to, not including, `to`: the same steps as
// LineTo takes.
void AddSegment(std::vector<QPoint>& pixels, QPoint from, QPoint to) {
    const int dx = std::abs(to.x() - from.x()), sx = from.x() < to.x() ? 1 : -1;
    const int dy = -std::abs(to.y() - from.y()), sy = from.y() < to.y() ? 1 : -1;
    int err = dx + dy;
    QPoint at = from;
    while (at != to) {
        pixels.push_back(at);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy, at.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx, at.ry() += sy;
        }
    }
}

// Sets the pixels (logical coordinates) straight in the context's image where that is a plain
// 32-bit one of one pixel per logical pixel and the clip a rectangle; false, having set none,
// where only a painter can.
bool SetPixelsDirectly(const GkDcState& state, const std::vector<QPoint>& pixels, QRgb rgb) {
    if (state.kind == GkDcState::Kind::Window || !state.image || state.image->isNull() ||
        state.image->devicePixelRatio() != 1.0 || state.deviceClip.rectCount() != 1) {
        return false;
    }
    QImage& image = *state.image;
    const QImage::Format format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        return false;
    }
    const QRect clip = state.deviceClip.boundingRect() & image.rect();
    const QRgb opaque = 0xFF000000u | rgb;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const QPoint& logical : pixels) {
        const QPoint at = logical - state.origin;
        if (clip.contains(at)) {
            reinterpret_cast<QRgb*>(bits + at.y() * stride)[at.x()] = opaque;
        }
    }
    return true;
}

} // namespace

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) {
    if (nCount < 2) {
        return FALSE;
    }
    const DWORD count = static_cast<DWORD>(nCount);
    return PolyPolyline(lpPoints, &count, 1);
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount) {
    if (!m_state || !lpPoints || !lpPolyPoints || nCount <= 0) {
        return FALSE;
    }
    HGDIOBJ pen = m_state->pen;
    if (!pen || pen->hollow || m_state->deviceClip.isEmpty()) {
        return TRUE;
    }
    const QColor color = ToQColor(pen->color);
    const POINT* at = lpPoints;
    if (pen->penWidth > 1) {
        QPainter p;
        if (!m_state->begin(p)) {
            return TRUE;
        }
        p.setPen(QPen(color, pen->penWidth, Qt::SolidLine, Qt::FlatCap));
        for (int line = 0; line < nCount; ++line) {
            for (DWORD k = 1; k < lpPolyPoints[line]; ++k) {
                const QPoint from(at[k - 1].x, at[k - 1].y), to(at[k].x, at[k].y);
                if (from != to) {
                    p.drawLine(from, to);
                }
            }
            at += lpPolyPoints[line];
        }
        return TRUE;
    }
    // One-pixel pen: every segment's pixels gathered, then set in one go.
    std::vector<QPoint> pixels;
    for (int line = 0; line < nCount; ++line) {
        for (DWORD k = 1; k < lpPolyPoints[line]; ++k) {
            AddSegment(pixels, QPoint(at[k - 1].x, at[k - 1].y), QPoint(at[k].x, at[k].y));
        }
        at += lpPolyPoints[line];
    }
    if (SetPixelsDirectly(*m_state, pixels, color.rgb())) {
        return TRUE;
    }
    // Each logical pixel filled as LineTo fills it, whatever the density of the device.
    QPainter p;
    if (m_state->begin(p)) {
        for (const QPoint& pixel : pixels) {
            p.fillRect(QRect(pixel, QSize(1, 1)), color);
        }
    }
    return TRUE;
}

BOOL CDC::PolyEllipse(const RECT* lpRects, int nCount) {
    if (!m_state || !lpRects || nCount <= 0) {
        return FALSE;
    }
    QPainter p;
    if (!m_state->begin(p)) {
        return FALSE;
    }
    // An ellipse is drawn once into a clear image by Ellipse itself and copied to each place
    // of that size: only its own pixels are opaque, so the copies cover what Ellipse would. The
    // image has the device's density; at a density that is not whole, a copy would fall between
    // device pixels, so each ellipse is drawn on its own.
    const qreal density = p.device()->devicePixelRatioF();
    if (density != std::floor(density)) {
        p.end();
        for (int i = 0; i < nCount; ++i) {
            Ellipse(lpRects[i].left, lpRects[i].top, lpRects[i].right, lpRects[i].bottom);
        }
        return TRUE;
    }
    const int pad = m_state->pen ? m_state->pen->penWidth + 1 : 1;
    QImage stamp;
    QSize stampSize;
    for (int i = 0; i < nCount; ++i) {
        const RECT& r = lpRects[i];
        const QSize size(r.right - r.left, r.bottom - r.top);
        if (size.isEmpty()) {
            continue;
        }
        if (size != stampSize) {
            stamp = QImage((size + QSize(2 * pad, 2 * pad)) * density,
                           QImage::Format_ARGB32_Premultiplied);
            stamp.setDevicePixelRatio(density);
            stamp.fill(Qt::transparent);
            CImageDC shape(stamp);
            ::SelectObject(&shape, m_state->pen);
            ::SelectObject(&shape, m_state->brush);
            shape.Ellipse(pad, pad, pad + size.width(), pad + size.height());
            stampSize = size;
        }
        p.drawImage(QPoint(r.left - pad, r.top - pad), stamp);
    }
    return TRUE;
}
