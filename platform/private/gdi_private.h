// The Qt side of the drawing layer: what a GDI handle, an icon handle and a device context hold.
// Only platform/ includes this header.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/dc.h"

#include <QFont>
#include <QImage>

#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <vector>

struct GkGdiObject {
    enum class Kind { Pen, Brush, Font, Bitmap };

    explicit GkGdiObject(Kind k) : kind(k) {}
    ~GkGdiObject();

    Kind kind;
    bool stock = false;
    int selections = 0;          // contexts that have it selected
    bool deletePending = false;  // deleted while selected: goes when the last context lets go
    CGdiObject* owner = nullptr; // the object that owns the handle, if any
    std::unique_ptr<CGdiObject> layerWrapper; // FromHandle's wrapper when no object owns it

    // Pen and brush.
    int penStyle = PS_SOLID;
    int penWidth = 0;
    bool hollow = false; // null pen or hollow brush
    COLORREF color = 0;
    // Font.
    LOGFONT logFont{};
    QFont font;
    bool deviceFont = false; // SYSTEM_FONT: the device's own font
    // Bitmap.
    QImage image;

    // Deletes at once, or later when still selected; stock objects stay.
    static BOOL Delete(GkGdiObject* object);
    // Bookkeeping of selection into a context.
    static void Selected(GkGdiObject* object);
    static void Deselected(GkGdiObject* object);
};

struct GkIcon {
    QImage image; // ARGB32 premultiplied
    // Every image of the icon's file, for the window icon and for screens of higher density.
    std::vector<QImage> sizes;
    // The image to draw at `image`'s size on a device of this pixel density: one drawn for
    // it when the file has one, else `image`.
    QImage ForDensity(qreal devicePixelRatio) const;
};

// Builds the Qt font a font description stands for.
QFont FontFromLogFont(const LOGFONT& lf);
QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);

struct GkDcState {
    enum class Kind { Window, Memory, Image };

    Kind kind = Kind::Image;
    QPointer<QWidget> widget; // Window: painted during its paint event
    QImage* image = nullptr;  // Memory: the selected bitmap's image; Image: the target
    QImage scratch;           // the image of a context that reaches no screen
    QRegion deviceClip;       // the paintable area in device pixels
    QPoint origin;            // window origin
    QPoint current;           // current position
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr; // memory contexts only

    // A fresh state for dc, the default objects selected.
    static GkDcState& New(CDC& dc, Kind kind);
    // Sets up a context over a device: the default objects selected, the clip at its extent.
    static void InitWindow(CDC& dc, QWidget* widget, const QRegion& clip);
    static void InitImage(CDC& dc, QImage* image);
    // A context over an image of its own that reaches no screen.
    static void InitScratch(CDC& dc, QSize size);
    static void InitMemory(CDC& dc);
    // Deselects everything and ends the context.
    static void End(CDC& dc);

    QPaintDevice* device() const;
    // Begins a painter on the device in logical coordinates, clipped; false when there is
    // nothing to paint on.
    bool begin(QPainter& painter) const;
    QFont qfont() const;
    QRect deviceBounds() const;
};
