// Icons and bitmaps from the compiled-in resources (":/res/icon/<id>", ":/res/bitmap/<name>").
#include "platform/private/gdi_private.h"

#include <QFile>
#include <QImageReader>

#include <vector>

struct GkModule {};

namespace {

GkModule g_program;

QString ResourcePath(const char* folder, const char* name) {
    const QString key = IS_INTRESOURCE(name)
                            ? QString::number(reinterpret_cast<std::uintptr_t>(name))
                            : QString::fromUtf8(name);
    return QStringLiteral(":/res/%1/%2").arg(QLatin1String(folder), key);
}

// Every image of an .ico, and (in *chosen) the one closest in width to the wanted one; 0 wants
// the standard 32 pixels.
std::vector<QImage> ReadIcon(const QString& path, int cx, int cy, QImage* chosenOut) {
    if (!QFile::exists(path)) {
        return {};
    }
    QImageReader reader(path);
    std::vector<QImage> images;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        QImage image = reader.read();
        if (!image.isNull()) {
            images.push_back(image);
        }
    }
    if (images.empty()) {
        return {};
    }
    for (QImage& image : images) {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    const int want = cx > 0 ? cx : 32;
    const QImage* best = &images.front();
    for (const QImage& image : images) {
        if (std::abs(image.width() - want) < std::abs(best->width() - want)) {
            best = &image;
        }
    }
    QImage chosen = *best;
    if (cx > 0 && cy > 0 && chosen.size() != QSize(cx, cy)) {
        chosen = chosen.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    *chosenOut = chosen;
    return images;
}

} // namespace

QImage GkIcon::ForDensity(qreal devicePixelRatio) const {
    if (devicePixelRatio <= 1.0) {
        return image;
    }
    const QSize wanted = (QSizeF(image.size()) * devicePixelRatio).toSize();
    for (const QImage& dense : sizes) {
        if (dense.size() == wanted) {
            QImage drawn = dense;
            drawn.setDevicePixelRatio(devicePixelRatio);
            return drawn;
        }
    }
    return image;
}

HINSTANCE AfxGetResourceHandle() {
    return &g_program;
}

HINSTANCE AfxGetInstanceHandle() {
    return &g_program;
}

HINSTANCE AfxFindResourceHandle(const char*, const char*) {
    return &g_program;
}

HANDLE LoadImage(HINSTANCE, const char* lpszName, UINT uType, int cxDesired, int cyDesired,
                 UINT fuLoad) {
    if (!lpszName) {
        return nullptr;
    }
    switch (uType) {
    case IMAGE_ICON: {
        const bool standard = (fuLoad & LR_DEFAULTSIZE) != 0;
        QImage image;
        std::vector<QImage> sizes =
            ReadIcon(ResourcePath("icon", lpszName), standard && cxDesired == 0 ? 32 : cxDesired,
                     standard && cyDesired == 0 ? 32 : cyDesired, &image);
        if (image.isNull()) {
            return nullptr;
        }
        return new GkIcon{std::move(image), std::move(sizes)};
    }
    case IMAGE_BITMAP: {
        QImage image(ResourcePath("bitmap", lpszName));
        if (image.isNull()) {
            return nullptr;
        }
        auto* bitmap = new GkGdiObject(GkGdiObject::Kind::Bitmap);
        bitmap->image = image.convertToFormat(QImage::Format_RGB32);
        return bitmap;
    }
    default:
        return nullptr;
    }
}

HICON LoadIcon(HINSTANCE hInst, const char* lpszName) {
    return static_cast<HICON>(LoadImage(hInst, lpszName, IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

HBITMAP LoadBitmap(HINSTANCE hInst, const char* lpszName) {
    return static_cast<HBITMAP>(LoadImage(hInst, lpszName, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

BOOL DestroyIcon(HICON hIcon) {
    if (!hIcon) {
        return FALSE;
    }
    delete hIcon;
    return TRUE;
}

CSize GetIconSize(HICON hIcon) {
    return hIcon ? CSize(hIcon->image.width(), hIcon->image.height()) : CSize();
}
