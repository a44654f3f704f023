// CDC over QPainter: contexts on windows, memory bitmaps and images; selection, fills, lines,
// text, icons and block transfers.
#include "platform/private/gdi_private.h"

#include "platform/private/window_bridge.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>

#include <algorithm>

namespace {

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// The 1 × 1 bitmap a memory context holds before the program selects one of its own.
GkGdiObject* StockBitmap() {
    static GkGdiObject* bitmap = [] {
        auto* b = new GkGdiObject(GkGdiObject::Kind::Bitmap);
        b->image = QImage(1, 1, QImage::Format_RGB32);
        b->image.fill(Qt::black);
        b->stock = true;
        return b;
    }();
    return bitmap;
}

HGDIOBJ& SlotOf(GkDcState& s, GkGdiObject::Kind kind) {
    switch (kind) {
    case GkGdiObject::Kind::Pen:
        return s.pen;
    case GkGdiObject::Kind::Brush:
        return s.brush;
    case GkGdiObject::Kind::Font:
        return s.font;
    case GkGdiObject::Kind::Bitmap:
    default:
        return s.bitmap;
    }
}

void Select(GkDcState& s, HGDIOBJ h) {
    HGDIOBJ& slot = SlotOf(s, h->kind);
    GkGdiObject::Selected(h);
    HGDIOBJ previous = slot;
    slot = h;
    if (h->kind == GkGdiObject::Kind::Bitmap) {
        s.image = &h->image;
        s.deviceClip = QRegion(h->image.rect());
    }
    GkGdiObject::Deselected(previous);
}

// Text with its mnemonic marks resolved: "&&" is "&", "&x" is x underlined.
struct PrefixedText {
    QString text;
    int underline = -1;
};

PrefixedText ResolvePrefix(const QString& in, bool prefix) {
    if (!prefix) {
        return {in, -1};
    }
    PrefixedText out;
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] != QLatin1Char('&')) {
            out.text += in[i];
            continue;
        }
        if (++i >= in.size()) {
            break;
        }
        if (in[i] != QLatin1Char('&') && out.underline < 0) {
            out.underline = static_cast<int>(out.text.size());
        }
        out.text += in[i];
    }
    return out;
}

QString Utf8(const char* s, int n) {
    if (!s) {
        return {};
    }
    return n < 0 ? QString::fromUtf8(s) : QString::fromUtf8(s, n);
}

// Draws one line of text with its top-left at (x, y); the mnemonic letter is underlined, and
// the whole line when the font is. The window system draws an underline inside the text's
// cell; a font whose underline lies just below its cell (the song face at 12 pixels) would
// lose it to the clip of a label exactly one line high, so it is kept on the cell's last row.
void PaintLine(QPainter& p, const QFont& font, const PrefixedText& line, int x, int y,
               const QColor& color) {
    QFont plain = font;
    plain.setUnderline(false);
    const QFontMetrics fm(plain);
    p.setFont(plain);
    p.setPen(color);
    p.drawText(QPoint(x, y + fm.ascent()), line.text);
    const int thickness = std::max(1, fm.lineWidth());
    const int underlineY =
        std::min(y + fm.ascent() + std::max(1, fm.underlinePos()), y + fm.height() - thickness);
    if (font.underline()) {
        p.fillRect(QRect(x, underlineY, fm.horizontalAdvance(line.text), thickness), color);
    } else if (line.underline >= 0 && line.underline < line.text.size()) {
        const int left = x + fm.horizontalAdvance(line.text.left(line.underline));
        const int width = fm.horizontalAdvance(line.text.mid(line.underline, 1));
        p.fillRect(QRect(left, underlineY, width, thickness), color);
    }
}

// The icon's shape (its opaque pixels) in one colour.
QImage Silhouette(const QImage& image, const QColor& color) {
    QImage shape = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&shape);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(shape.rect(), color);
    return shape;
}

const QImage* SourceImage(CDC* src) {
    GkDcState* s = src ? src->state() : nullptr;
    if (!s || s->kind == GkDcState::Kind::Window || !s->image || s->image->isNull()) {
        return nullptr;
    }
    return s->image;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The context's Qt side.

GkDcState& GkDcState::New(CDC& dc, Kind kind) {
    dc.m_state = std::make_unique<GkDcState>();
    GkDcState& s = *dc.m_state;
    s.kind = kind;
    Select(s, GetStockObject(BLACK_PEN));
    Select(s, GetStockObject(WHITE_BRUSH));
    Select(s, GetStockObject(SYSTEM_FONT));
    dc.m_hDC = dc.m_hAttribDC = &dc;
    return s;
}

void GkDcState::InitWindow(CDC& dc, QWidget* widget, const QRegion& clip) {
    GkDcState& s = New(dc, Kind::Window);
    s.widget = widget;
    s.deviceClip = clip & QRegion(widget->rect());
}

void GkDcState::InitImage(CDC& dc, QImage* image) {
    GkDcState& s = New(dc, Kind::Image);
    s.image = image;
    s.deviceClip = QRegion(image->rect());
}

void GkDcState::InitScratch(CDC& dc, QSize size) {
    GkDcState& s = New(dc, Kind::Image);
    s.scratch = QImage(size, QImage::Format_RGB32);
    s.scratch.fill(Qt::black);
    s.image = &s.scratch;
    s.deviceClip = QRegion(s.scratch.rect());
}

void GkDcState::InitMemory(CDC& dc) {
    GkDcState& s = New(dc, Kind::Memory);
    Select(s, StockBitmap());
}

void GkDcState::End(CDC& dc) {
    if (!dc.m_state) {
        return;
    }
    GkDcState& s = *dc.m_state;
    for (HGDIOBJ* slot : {&s.pen, &s.brush, &s.font, &s.bitmap}) {
        HGDIOBJ h = *slot;
        *slot = nullptr;
        GkGdiObject::Deselected(h);
    }
    dc.m_state.reset();
    dc.m_hDC = dc.m_hAttribDC = nullptr;
}

QPaintDevice* GkDcState::device() const {
    if (kind == Kind::Window) {
        return widget.data();
    }
    return image && !image->isNull() ? image : nullptr;
}

QRect GkDcState::deviceBounds() const {
    if (kind == Kind::Window) {
        return widget ? widget->rect() : QRect();
    }
    return image ? image->rect() : QRect();
}

bool GkDcState::begin(QPainter& painter) const {
    QPaintDevice* target = device();
    if (!target || deviceClip.isEmpty() || !painter.begin(target)) {
        return false;
    }
    painter.setClipRegion(deviceClip);
    painter.translate(-origin);
    return true;
}

QFont GkDcState::qfont() const {
    if (font && !font->deviceFont) {
        return font->font;
    }
    if (kind == Kind::Window && widget) {
        return widget->font();
    }
    return QApplication::font();
}

// ---------------------------------------------------------------------------------------------
// CDC.

CDC::CDC() = default;

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC*) {
    if (m_state) {
        return FALSE;
    }
    GkDcState::InitMemory(*this);
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_state) {
        return FALSE;
    }
    GkDcState::End(*this);
    return TRUE;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    if (!m_state || !pObject || !pObject->m_hObject) {
        return nullptr;
    }
    HGDIOBJ h = pObject->m_hObject;
    HGDIOBJ previous = SlotOf(*m_state, h->kind);
    if (h->kind == GkGdiObject::Kind::Bitmap) {
        // A bitmap goes into one memory context at a time.
        if (m_state->kind != GkDcState::Kind::Memory || (h != previous && h->selections > 0)) {
            return nullptr;
        }
    }
    if (h == previous) {
        return pObject;
    }
    // A previous object that was deleted while selected goes now; there is nothing to return.
    CGdiObject* result = previous && previous->deletePending && previous->selections == 1
                             ? nullptr
                             : CGdiObject::FromHandle(previous);
    Select(*m_state, h);
    return result;
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    return SelectObject(CGdiObject::FromHandle(GetStockObject(nIndex)));
}

CFont* CDC::GetCurrentFont() const {
    return m_state ? CFont::FromHandle(m_state->font) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const {
    return m_state ? CBitmap::FromHandle(m_state->bitmap) : nullptr;
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
    if (!m_state) {
        return CLR_INVALID;
    }
    return std::exchange(m_state->textColor, crColor);
}

COLORREF CDC::GetTextColor() const {
    return m_state ? m_state->textColor : CLR_INVALID;
}

COLORREF CDC::SetBkColor(COLORREF crColor) {
    if (!m_state) {
        return CLR_INVALID;
    }
    return std::exchange(m_state->bkColor, crColor);
}

COLORREF CDC::GetBkColor() const {
    return m_state ? m_state->bkColor : CLR_INVALID;
}

int CDC::SetBkMode(int nBkMode) {
    if (!m_state || (nBkMode != TRANSPARENT && nBkMode != OPAQUE)) {
        return 0;
    }
    return std::exchange(m_state->bkMode, nBkMode);
}

int CDC::GetBkMode() const {
    return m_state ? m_state->bkMode : 0;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    if (!m_state) {
        return {};
    }
    const QPoint old = std::exchange(m_state->origin, QPoint(x, y));
    return {old.x(), old.y()};
}

CPoint CDC::GetWindowOrg() const {
    return m_state ? CPoint(m_state->origin.x(), m_state->origin.y()) : CPoint();
}

int CDC::GetClipBox(RECT* lpRect) const {
    if (!m_state || !lpRect) {
        return 0;
    }
    const QRegion& clip = m_state->deviceClip;
    if (clip.isEmpty()) {
        *lpRect = CRect();
        return NULLREGION;
    }
    const QRect box = clip.boundingRect().translated(m_state->origin);
    *lpRect = CRect(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
    return clip.rectCount() > 1 ? COMPLEXREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    if (!m_state) {
        return 0;
    }
    const QRect area = x2 > x1 && y2 > y1 ? QRect(x1, y1, x2 - x1, y2 - y1) : QRect();
    m_state->deviceClip &= QRegion(area.translated(-m_state->origin));
    RECT box;
    return GetClipBox(&box);
}

CPoint CDC::MoveTo(int x, int y) {
    if (!m_state) {
        return {};
    }
    const QPoint old = std::exchange(m_state->current, QPoint(x, y));
    return {old.x(), old.y()};
}

CPoint CDC::GetCurrentPosition() const {
    return m_state ? CPoint(m_state->current.x(), m_state->current.y()) : CPoint();
}

BOOL CDC::LineTo(int x, int y) {
    if (!m_state) {
        return FALSE;
    }
    const QPoint from = std::exchange(m_state->current, QPoint(x, y));
    const QPoint to(x, y);
    HGDIOBJ pen = m_state->pen;
    QPainter p;
    if (!pen || pen->hollow || from == to || !m_state->begin(p)) {
        return TRUE;
    }
    const QColor color = ToQColor(pen->color);
    if (pen->penWidth > 1) {
        p.setPen(QPen(color, pen->penWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(from, to);
        return TRUE;
    }
    // One-pixel pen: every pixel of the segment but the end point.
    if (from.y() == to.y()) {
        const int left = std::min(from.x(), to.x() + 1);
        p.fillRect(QRect(left, from.y(), std::abs(to.x() - from.x()), 1), color);
    } else if (from.x() == to.x()) {
        const int top = std::min(from.y(), to.y() + 1);
        p.fillRect(QRect(from.x(), top, 1, std::abs(to.y() - from.y())), color);
    } else {
        const int dx = std::abs(to.x() - from.x()), sx = from.x() < to.x() ? 1 : -1;
        const int dy = -std::abs(to.y() - from.y()), sy = from.y() < to.y() ? 1 : -1;
        int err = dx + dy;
        QPoint at = from;
        while (at != to) {
            p.fillRect(QRect(at, QSize(1, 1)), color);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy, at.rx() += sx;
            }
            if (e2 <= dx) {
                err += dx, at.ry() += sy;
            }
        }
    }
    return TRUE;
}

namespace {

// A painter set up with the context's pen and brush for a shape; false when it cannot draw.
bool BeginShape(const GkDcState* state, QPainter& p) {
    if (!state || !state->begin(p)) {
        return false;
    }
    HGDIOBJ pen = state->pen;
    if (!pen || pen->hollow) {
        p.setPen(Qt::NoPen);
    } else {
        // The outline's pixels lie inside the rectangle, as the window system draws them.
        QPen outline(ToQColor(pen->color), std::max(1, pen->penWidth));
        outline.setJoinStyle(Qt::MiterJoin);
        p.setPen(outline);
    }
    HGDIOBJ brush = state->brush;
    p.setBrush(!brush || brush->hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush->color)));
    return true;
}

} // namespace

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
    QPainter p;
    if (x2 <= x1 || y2 <= y1 || !BeginShape(m_state.get(), p)) {
        return FALSE;
    }
    p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
    QPainter p;
    if (x2 <= x1 || y2 <= y1 || !BeginShape(m_state.get(), p)) {
        return FALSE;
    }
    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    return TRUE;
}

void CDC::FillRect(const RECT* lpRect, CBrush* pBrush) {
    HGDIOBJ brush = pBrush ? pBrush->m_hObject : nullptr;
    if (!m_state || !lpRect || !brush || brush->hollow) {
        return;
    }
    FillSolidRect(lpRect, brush->color);
}

void CDC::FillSolidRect(const RECT* lpRect, COLORREF crColor) {
    if (lpRect) {
        FillSolidRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                      lpRect->bottom - lpRect->top, crColor);
    }
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
    QPainter p;
    if (!m_state || cx <= 0 || cy <= 0 || !m_state->begin(p)) {
        return;
    }
    p.fillRect(QRect(x, y, cx, cy), ToQColor(crColor));
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m_state || m_state->kind == GkDcState::Kind::Window || !m_state->image) {
        return CLR_INVALID;
    }
    const QPoint at = QPoint(x, y) - m_state->origin;
    if (!m_state->image->rect().contains(at) || !m_state->deviceClip.contains(at)) {
        return CLR_INVALID;
    }
    return FromQColor(m_state->image->pixelColor(at));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) {
    FillSolidRect(x, y, 1, 1, crColor);
    return crColor;
}

void CDC::DrawFocusRect(const RECT* lpRect) {
    QPainter p;
    if (!m_state || !lpRect || lpRect->right <= lpRect->left || lpRect->bottom <= lpRect->top ||
        !m_state->begin(p)) {
        return;
    }
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::NoPen);
    const QColor invert(255, 255, 255);
    // Around the frame clockwise, one dot every second pixel, each pixel once.
    const int left = lpRect->left, top = lpRect->top;
    const int right = lpRect->right - 1, bottom = lpRect->bottom - 1;
    int step = 0;
    const auto dot = [&](int x, int y) {
        if (step++ % 2 == 0) {
            p.fillRect(QRect(x, y, 1, 1), invert);
        }
    };
    for (int x = left; x < right; ++x) {
        dot(x, top);
    }
    for (int y = top; y < bottom; ++y) {
        dot(right, y);
    }
    for (int x = right; x > left; --x) {
        dot(x, bottom);
    }
    for (int y = bottom; y > top; --y) {
        dot(left, y);
    }
    if (right == left && bottom == top) {
        dot(left, top);
    }
}

int CDC::DrawText(const char* lpszString, int nCount, RECT* lpRect, UINT nFormat) {
    if (!m_state || !lpRect) {
        return 0;
    }
    const QFont font = m_state->qfont();
    const QFontMetrics fm(font);
    const QString all = Utf8(lpszString, nCount);
    QStringList pieces;
    if (nFormat & DT_SINGLELINE) {
        pieces << all;
    } else {
        pieces = all.split(QLatin1Char('\n'));
    }
    std::vector<PrefixedText> lines;
    int width = 0;
    for (QString piece : pieces) {
        piece.remove(QLatin1Char('\r'));
        lines.push_back(ResolvePrefix(piece, !(nFormat & DT_NOPREFIX)));
        width = std::max(width, fm.horizontalAdvance(lines.back().text));
    }
    const int lineHeight = fm.height();
    const int height = lineHeight * static_cast<int>(lines.size());
    if (nFormat & DT_CALCRECT) {
        lpRect->right = lpRect->left + width;
        lpRect->bottom = lpRect->top + height;
        return height;
    }
    QPainter p;
    if (all.isEmpty() || !m_state->begin(p)) {
        return height;
    }
    const CRect box(*lpRect);
    if (!(nFormat & DT_NOCLIP)) {
        p.setClipRect(QRect(box.left, box.top, box.Width(), box.Height()), Qt::IntersectClip);
    }
    int y = box.top;
    if (nFormat & DT_SINGLELINE) {
        if (nFormat & DT_VCENTER) {
            y = box.top + (box.Height() - lineHeight) / 2;
        } else if (nFormat & DT_BOTTOM) {
            y = box.bottom - lineHeight;
        }
    }
    const QColor text = ToQColor(m_state->textColor);
    for (const PrefixedText& line : lines) {
        const int w = fm.horizontalAdvance(line.text);
        int x = box.left;
        if (nFormat & DT_CENTER) {
            x = box.left + (box.Width() - w) / 2;
        } else if (nFormat & DT_RIGHT) {
            x = box.right - w;
        }
        if (m_state->bkMode == OPAQUE) {
            p.fillRect(QRect(x, y, w, lineHeight), ToQColor(m_state->bkColor));
        }
        PaintLine(p, font, line, x, y, text);
        y += lineHeight;
    }
    return height;
}

BOOL CDC::TextOut(int x, int y, const char* lpszString, int nCount) {
    QPainter p;
    if (!m_state || !m_state->begin(p)) {
        return m_state ? TRUE : FALSE;
    }
    const QFont font = m_state->qfont();
    const QFontMetrics fm(font);
    const PrefixedText line{Utf8(lpszString, nCount), -1};
    if (m_state->bkMode == OPAQUE) {
        p.fillRect(QRect(x, y, fm.horizontalAdvance(line.text), fm.height()),
                   ToQColor(m_state->bkColor));
    }
    PaintLine(p, font, line, x, y, ToQColor(m_state->textColor));
    return TRUE;
}

CSize CDC::GetTextExtent(const char* lpszString, int nCount) const {
    if (!m_state) {
        return {};
    }
    const QFontMetrics fm(m_state->qfont());
    return {fm.horizontalAdvance(Utf8(lpszString, nCount)), fm.height()};
}

BOOL CDC::DrawState(CPoint pt, CSize, HICON hIcon, UINT nFlags, HBRUSH) {
    QPainter p;
    if (!m_state || !hIcon) {
        return FALSE;
    }
    if (hIcon->image.isNull() || !m_state->begin(p)) {
        return TRUE;
    }
    const QPoint at(pt.x, pt.y);
    const QImage image = hIcon->ForDensity(p.device()->devicePixelRatioF());
    if (nFlags & DSS_DISABLED) {
        for (auto [offset, colour] : {std::pair{QPoint(1, 1), COLOR_BTNHIGHLIGHT},
                                      std::pair{QPoint(0, 0), COLOR_BTNSHADOW}}) {
            QImage shape = Silhouette(image, ToQColor(GetSysColor(colour)));
            shape.setDevicePixelRatio(image.devicePixelRatio());
            p.drawImage(at + offset, shape);
        }
    } else {
        p.drawImage(at, image);
    }
    return TRUE;
}

BOOL CDC::DrawState(CPoint pt, CSize size, const char* lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH) {
    if (!m_state || !lpszText) {
        return FALSE;
    }
    const QFont font = m_state->qfont();
    const QFontMetrics fm(font);
    const PrefixedText line =
        ResolvePrefix(Utf8(lpszText, nTextLen > 0 ? nTextLen : -1), bPrefixText);
    QPainter p;
    if (!m_state->begin(p)) {
        return TRUE;
    }
    const int cx = size.cx ? size.cx : fm.horizontalAdvance(line.text);
    const int cy = size.cy ? size.cy : fm.height();
    p.setClipRect(QRect(pt.x, pt.y, cx, cy), Qt::IntersectClip);
    if (nFlags & DSS_DISABLED) {
        PaintLine(p, font, line, pt.x + 1, pt.y + 1, ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT)));
        PaintLine(p, font, line, pt.x, pt.y, ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    } else {
        PaintLine(p, font, line, pt.x, pt.y, ToQColor(m_state->textColor));
    }
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
    QPainter p;
    if (!m_state || !hIcon) {
        return FALSE;
    }
    if (!hIcon->image.isNull() && m_state->begin(p)) {
        p.drawImage(QPoint(x, y), hIcon->ForDensity(p.device()->devicePixelRatioF()));
    }
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    return StretchBlt(x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, nWidth, nHeight, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    const QImage* source = SourceImage(pSrcDC);
    if (!m_state || !source || dwRop != SRCCOPY || nWidth < 0 || nHeight < 0 || nSrcWidth < 0 ||
        nSrcHeight < 0) {
        return FALSE;
    }
    if (nWidth == 0 || nHeight == 0 || nSrcWidth == 0 || nSrcHeight == 0) {
        return TRUE;
    }
    // The source rectangle in the source's device pixels, cut to its surface; the destination
    // shrinks with it in proportion.
    // A surface made for a denser screen holds more pixels than its size: coordinates are in
    // its size, the copy takes its pixels.
    const qreal density = source->devicePixelRatio();
    const QRect wanted(QPoint(xSrc, ySrc) - pSrcDC->state()->origin, QSize(nSrcWidth, nSrcHeight));
    const QRect taken = wanted & QRect(QPoint(0, 0), source->deviceIndependentSize().toSize());
    if (taken.isEmpty()) {
        return TRUE;
    }
    const double sx = static_cast<double>(nWidth) / nSrcWidth;
    const double sy = static_cast<double>(nHeight) / nSrcHeight;
    const QRectF target(x + (taken.left() - wanted.left()) * sx,
                        y + (taken.top() - wanted.top()) * sy, taken.width() * sx,
                        taken.height() * sy);
    // A copy, so a context may copy onto itself.
    QImage part = density == 1.0 ? source->copy(taken)
                                 : source->copy(QRectF(QPointF(taken.topLeft()) * density,
                                                       QSizeF(taken.size()) * density)
                                                    .toRect());
    part.setDevicePixelRatio(density);
    QPainter p;
    if (!m_state->begin(p)) {
        return TRUE;
    }
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (sx == 1.0 && sy == 1.0) {
        p.drawImage(target.topLeft().toPoint(), part);
    } else {
        p.drawImage(target, part);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Contexts of windows and images.

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    WindowBridge* bridge = WindowBridge::Of(m_hWnd);
    QPaintEvent* event = bridge ? bridge->currentPaintEvent() : nullptr;
    if (event) {
        GkDcState::InitWindow(*this, m_hWnd, event->region());
    } else {
        // Not in a paint event: Qt lets nothing reach the window now, so the drawing goes to
        // an image that is thrown away.
        GkDcState::InitScratch(*this, m_hWnd ? m_hWnd->size() : QSize());
    }
    m_ps.hdc = this;
    m_ps.fErase = TRUE;
    GetClipBox(&m_ps.rcPaint);
}

CPaintDC::~CPaintDC() = default;

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    GkDcState::InitScratch(*this, m_hWnd ? m_hWnd->size() : QSize());
}

CImageDC::CImageDC(QImage& target) {
    GkDcState::InitImage(*this, &target);
}

// ---------------------------------------------------------------------------------------------
// Free functions over contexts.

HGDIOBJ SelectObject(HDC hDC, HGDIOBJ hObject) {
    CGdiObject* previous = hDC ? hDC->SelectObject(CGdiObject::FromHandle(hObject)) : nullptr;
    return previous ? previous->m_hObject : nullptr;
}

int FillRect(HDC hDC, const RECT* lpRect, HBRUSH hBrush) {
    if (!hDC || !hBrush) {
        return 0;
    }
    hDC->FillRect(lpRect, CBrush::FromHandle(hBrush));
    return 1;
}

int DrawText(HDC hDC, const char* lpszString, int nCount, RECT* lpRect, UINT nFormat) {
    return hDC ? hDC->DrawText(lpszString, nCount, lpRect, nFormat) : 0;
}

BOOL DrawState(HDC hDC, HBRUSH hBrush, void* lpOutputFunc, LPARAM lData, WPARAM wData, int x, int y,
               int cx, int cy, UINT uFlags) {
    if (!hDC || lpOutputFunc) {
        return FALSE;
    }
    const UINT type = uFlags & 0x000F;
    const UINT state = uFlags & ~0x000Fu;
    switch (type) {
    case DST_ICON:
        return hDC->DrawState(CPoint(x, y), CSize(cx, cy), reinterpret_cast<HICON>(lData), state,
                              hBrush);
    case DST_TEXT:
    case DST_PREFIXTEXT:
        return hDC->DrawState(CPoint(x, y), CSize(cx, cy), reinterpret_cast<const char*>(lData),
                              state, type == DST_PREFIXTEXT, static_cast<int>(wData), hBrush);
    default:
        return FALSE;
    }
}

BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon) {
    return hDC ? hDC->DrawIcon(x, y, hIcon) : FALSE;
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint) {
    auto* dc = new CPaintDC(CWnd::FromHandle(hWnd));
    if (lpPaint) {
        *lpPaint = dc->m_ps;
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (!lpPaint || !lpPaint->hdc) {
        return FALSE;
    }
    delete static_cast<CPaintDC*>(lpPaint->hdc);
    return TRUE;
}
