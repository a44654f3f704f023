// Cursors read from Windows .cur files: the first image of the file, its hot spot from the
// file's directory entry, and the two masks turned into an ARGB picture for Qt.
#include "platform/cursor.h"

#include "platform/private/window_bridge.h"

#include <QCursor>
#include <QFile>
#include <QImage>
#include <QPixmap>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

struct GkCursor {
    QCursor cursor;
    POINT hotSpot;
};

namespace {

std::uint32_t ReadLe(const QByteArray& data, qsizetype at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<std::uint8_t>(data.at(at + i));
    }
    return v;
}

// Bit, nibble or byte number x of a packed row.
unsigned PixelIndex(const QByteArray& data, qsizetype rowStart, int x, int bitCount) {
    const qsizetype bit = static_cast<qsizetype>(x) * bitCount;
    const auto byte = static_cast<std::uint8_t>(data.at(rowStart + bit / 8));
    const int shift = 8 - bitCount - static_cast<int>(bit % 8);
    return (byte >> shift) & ((1u << bitCount) - 1);
}

// Decodes the first image of a cursor file; nullopt for anything the layer does not read
// (compressed or true-colour images, truncated files).
std::optional<GkCursor> DecodeCursorFile(const QByteArray& data) {
    constexpr qsizetype kDirSize = 6, kEntrySize = 16, kHeaderSize = 40;
    if (data.size() < kDirSize + kEntrySize || ReadLe(data, 0, 2) != 0 || ReadLe(data, 2, 2) != 2 ||
        ReadLe(data, 4, 2) == 0) {
        return std::nullopt;
    }
    const int hotX = static_cast<int>(ReadLe(data, kDirSize + 4, 2));
    const int hotY = static_cast<int>(ReadLe(data, kDirSize + 6, 2));
    const qsizetype image = ReadLe(data, kDirSize + 12, 4);
    if (image < 0 || image + kHeaderSize > data.size()) {
        return std::nullopt;
    }

    const auto width = static_cast<std::int32_t>(ReadLe(data, image + 4, 4));
    // The height counts both masks.
    const auto height = static_cast<std::int32_t>(ReadLe(data, image + 8, 4)) / 2;
    const int bitCount = static_cast<int>(ReadLe(data, image + 14, 2));
    const std::uint32_t compression = ReadLe(data, image + 16, 4);
    std::uint32_t colours = ReadLe(data, image + 32, 4);
    if (width <= 0 || width > 256 || height <= 0 || height > 256 || compression != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8)) {
        return std::nullopt;
    }
    if (colours == 0 || colours > (1u << bitCount)) {
        colours = 1u << bitCount;
    }

    const qsizetype palette = image + ReadLe(data, image, 4);
    const qsizetype colourRow = ((static_cast<qsizetype>(width) * bitCount + 31) / 32) * 4;
    const qsizetype maskRow = ((static_cast<qsizetype>(width) + 31) / 32) * 4;
    const qsizetype colourBits = palette + static_cast<qsizetype>(colours) * 4;
    const qsizetype maskBits = colourBits + colourRow * height;
    if (maskBits + maskRow * height > data.size()) {
        return std::nullopt;
    }

    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const qsizetype colourStart = colourBits + colourRow * (height - 1 - y);
        const qsizetype maskStart = maskBits + maskRow * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const unsigned index = PixelIndex(data, colourStart, x, bitCount);
            const bool screen = PixelIndex(data, maskStart, x, 1) != 0;
            QRgb rgb = qRgb(0, 0, 0);
            if (index < colours) {
                const qsizetype entry = palette + static_cast<qsizetype>(index) * 4;
                rgb = qRgb(static_cast<std::uint8_t>(data.at(entry + 2)),
                           static_cast<std::uint8_t>(data.at(entry + 1)),
                           static_cast<std::uint8_t>(data.at(entry)));
            }
            // The mask keeps the screen where it is set: transparent over black; over any other
            // colour the screen would be inverted, which Qt cannot show, so it stays black.
            if (screen) {
                picture.setPixel(x, y, (rgb & 0xFFFFFF) == 0 ? qRgba(0, 0, 0, 0) : qRgb(0, 0, 0));
            } else {
                picture.setPixel(x, y, rgb);
            }
        }
    }
    return GkCursor{QCursor(QPixmap::fromImage(picture), hotX, hotY), POINT{hotX, hotY}};
}

std::map<UINT, std::unique_ptr<GkCursor>>& LoadedCursors() {
    static std::map<UINT, std::unique_ptr<GkCursor>> cursors;
    return cursors;
}

HCURSOR g_current = nullptr;

} // namespace

HCURSOR LoadCursor(UINT nIDResource) {
    auto& cursors = LoadedCursors();
    if (auto it = cursors.find(nIDResource); it != cursors.end()) {
        return it->second.get();
    }
    QFile file(QStringLiteral(":/res/cursor/%1").arg(nIDResource));
    if (!file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    std::optional<GkCursor> cursor = DecodeCursorFile(file.readAll());
    if (!cursor) {
        return nullptr;
    }
    return cursors.emplace(nIDResource, std::make_unique<GkCursor>(std::move(*cursor)))
        .first->second.get();
}

HCURSOR SetCursor(HCURSOR hCursor) {
    const HCURSOR previous = g_current;
    g_current = hCursor;
    if (QWidget* target = CursorRequestTarget()) {
        if (hCursor) {
            target->setCursor(hCursor->cursor);
        } else {
            target->unsetCursor();
        }
    }
    return previous;
}

POINT GetCursorHotSpot(HCURSOR hCursor) {
    return hCursor ? hCursor->hotSpot : POINT{};
}
