// Where a picture differs from its background: the bounding box of the pixels whose colour is
// not the background's, within the rows [top, bottom) (all rows when bottom is -1).
#pragma once

#include <QImage>
#include <QRect>

inline QRect InkExtent(const QImage& image, QRgb background, int top = 0, int bottom = -1) {
    if (bottom < 0) {
        bottom = image.height();
    }
    QRect ink;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFu) != (background & 0xFFFFFFu)) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}
