// GDI objects: pens, brushes, fonts and bitmaps as handles with owners, the stock objects and
// the system colours.
#include "platform/private/gdi_private.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The pixel density of the device a context draws on: a window's screen, or an image's own.
qreal DeviceDensity(CDC* pDC) {
    const GkDcState* state = pDC ? pDC->state() : nullptr;
    if (!state) {
        return 1.0;
    }
    if (state->kind == GkDcState::Kind::Window && state->widget) {
        return state->widget->devicePixelRatioF();
    }
    return state->image ? state->image->devicePixelRatio() : 1.0;
}

GkGdiObject* NewPen(int style, int width, COLORREF color) {
    auto* pen = new GkGdiObject(GkGdiObject::Kind::Pen);
    pen->penStyle = style;
    pen->penWidth = width;
    pen->hollow = style == PS_NULL;
    pen->color = color;
    return pen;
}

GkGdiObject* NewBrush(COLORREF color, bool hollow = false) {
    auto* brush = new GkGdiObject(GkGdiObject::Kind::Brush);
    brush->color = color;
    brush->hollow = hollow;
    return brush;
}

GkGdiObject* NewFont(const LOGFONT& lf) {
    auto* font = new GkGdiObject(GkGdiObject::Kind::Font);
    font->logFont = lf;
    font->font = FontFromLogFont(lf);
    return font;
}

LOGFONT DefaultGuiLogFont() {
    // The dialog font of the program's templates: 9 pt 宋体 at 96 dpi.
    LOGFONT lf;
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    std::strncpy(lf.lfFaceName, "宋体", LF_FACESIZE - 1);
    return lf;
}

// Stock objects live for the whole process; the array keeps them reachable.
GkGdiObject* Stock(int index) {
    static std::array<GkGdiObject*, DEFAULT_GUI_FONT + 1> stock = [] {
        std::array<GkGdiObject*, DEFAULT_GUI_FONT + 1> s{};
        s[WHITE_BRUSH] = NewBrush(RGB(255, 255, 255));
        s[LTGRAY_BRUSH] = NewBrush(RGB(192, 192, 192));
        s[GRAY_BRUSH] = NewBrush(RGB(128, 128, 128));
        s[DKGRAY_BRUSH] = NewBrush(RGB(64, 64, 64));
        s[BLACK_BRUSH] = NewBrush(RGB(0, 0, 0));
        s[NULL_BRUSH] = NewBrush(0, true);
        s[WHITE_PEN] = NewPen(PS_SOLID, 0, RGB(255, 255, 255));
        s[BLACK_PEN] = NewPen(PS_SOLID, 0, RGB(0, 0, 0));
        s[NULL_PEN] = NewPen(PS_NULL, 0, 0);
        s[SYSTEM_FONT] = new GkGdiObject(GkGdiObject::Kind::Font);
        s[SYSTEM_FONT]->deviceFont = true;
        s[DEFAULT_GUI_FONT] = NewFont(DefaultGuiLogFont());
        for (GkGdiObject* o : s) {
            if (o) {
                o->stock = true;
            }
        }
        return s;
    }();
    return index >= 0 && index < static_cast<int>(stock.size()) ? stock[static_cast<size_t>(index)]
                                                                : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Handles.

GkGdiObject::~GkGdiObject() {
    if (layerWrapper) {
        layerWrapper->m_hObject = nullptr;
    }
}

BOOL GkGdiObject::Delete(GkGdiObject* object) {
    if (!object || object->stock) {
        return object ? TRUE : FALSE;
    }
    if (object->owner) {
        object->owner->m_hObject = nullptr;
        object->owner = nullptr;
    }
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    delete object;
    return TRUE;
}

void GkGdiObject::Selected(GkGdiObject* object) {
    if (object) {
        ++object->selections;
    }
}

void GkGdiObject::Deselected(GkGdiObject* object) {
    if (!object) {
        return;
    }
    if (--object->selections == 0 && object->deletePending) {
        delete object;
    }
}

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

QFont FontFromLogFont(const LOGFONT& lf) {
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    QFont font(QString::fromUtf8(face));
    if (!face[0]) {
        font = QApplication::font();
    }
    font.setWeight(lf.lfWeight > 0
                       ? static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight, 1, 1000))
                       : QFont::Normal);
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NONANTIALIASED_QUALITY) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    if (lf.lfHeight < 0) {
        font.setPixelSize(-lf.lfHeight);
    } else if (lf.lfHeight > 0) {
        // A positive height is the cell height (ascent + descent): the largest em size whose
        // cell still fits.
        const int cell = lf.lfHeight;
        const auto cellOf = [&font](int px) {
            QFont f = font;
            f.setPixelSize(px);
            return QFontMetrics(f).height();
        };
        int size = std::max(1, cell * cell / std::max(1, cellOf(cell)));
        while (size > 1 && cellOf(size) > cell) {
            --size;
        }
        while (cellOf(size + 1) <= cell) {
            ++size;
        }
        font.setPixelSize(size);
    } else {
        font.setPixelSize(12);
    }
    return font;
}

// ---------------------------------------------------------------------------------------------
// CGdiObject and its kinds.

namespace {
// Attaches a handle just made; one the object cannot take (it holds another) is released.
BOOL AttachNew(CGdiObject& object, HGDIOBJ made) {
    if (object.Attach(made)) {
        return TRUE;
    }
    DeleteObject(made);
    return FALSE;
}
} // namespace

CGdiObject::~CGdiObject() {
    if (m_bOwns) {
        DeleteObject();
    }
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    if (!hObject) {
        return nullptr;
    }
    if (hObject->owner) {
        return hObject->owner;
    }
    if (!hObject->layerWrapper) {
        std::unique_ptr<CGdiObject> wrapper;
        switch (hObject->kind) {
        case GkGdiObject::Kind::Pen:
            wrapper = std::make_unique<CPen>();
            break;
        case GkGdiObject::Kind::Brush:
            wrapper = std::make_unique<CBrush>();
            break;
        case GkGdiObject::Kind::Font:
            wrapper = std::make_unique<CFont>();
            break;
        case GkGdiObject::Kind::Bitmap:
            wrapper = std::make_unique<CBitmap>();
            break;
        }
        wrapper->m_bOwns = false;
        wrapper->m_hObject = hObject;
        hObject->layerWrapper = std::move(wrapper);
    }
    return hObject->layerWrapper.get();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject || m_hObject || (hObject->owner && hObject->owner != this)) {
        return FALSE;
    }
    m_hObject = hObject;
    if (!hObject->stock) {
        hObject->owner = this;
    }
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h && h->owner == this) {
        h->owner = nullptr;
    }
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    HGDIOBJ h = Detach();
    return h ? GkGdiObject::Delete(h) : FALSE;
}

int CGdiObject::GetObject(int nCount, void* lpObject) const {
    return ::GetObject(m_hObject, nCount, lpObject);
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    CreatePen(nPenStyle, nWidth, crColor);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return AttachNew(*this, ::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush::CBrush(COLORREF crColor) {
    CreateSolidBrush(crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return AttachNew(*this, ::CreateSolidBrush(crColor));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       const char* lpszFacename) {
    LOGFONT lf;
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfStrikeOut = cStrikeOut;
    lf.lfCharSet = nCharSet;
    lf.lfOutPrecision = nOutPrecision;
    lf.lfClipPrecision = nClipPrecision;
    lf.lfQuality = nQuality;
    lf.lfPitchAndFamily = nPitchAndFamily;
    if (lpszFacename) {
        std::strncpy(lf.lfFaceName, lpszFacename, LF_FACESIZE - 1);
    }
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return lpLogFont ? AttachNew(*this, ::CreateFontIndirect(lpLogFont)) : FALSE;
}

BOOL CFont::CreatePointFont(int nPointSize, const char* lpszFaceName, CDC*) {
    LOGFONT lf;
    lf.lfHeight = -(nPointSize * 96 / 720);
    lf.lfWeight = FW_NORMAL;
    if (lpszFaceName) {
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    }
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const {
    return GetObject(sizeof(LOGFONT), pLogFont);
}

BOOL CBitmap::LoadBitmap(const char* lpszResourceName) {
    return AttachNew(*this, ::LoadBitmap(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    auto* bitmap = new GkGdiObject(GkGdiObject::Kind::Bitmap);
    if (nWidth > 0 && nHeight > 0) {
        // Compatible with the context's device down to its pixel density, so what is drawn
        // here is as sharp on a dense screen as what is drawn there directly.
        const qreal density = DeviceDensity(pDC);
        bitmap->image = QImage((QSizeF(nWidth, nHeight) * density).toSize(), QImage::Format_RGB32);
        bitmap->image.setDevicePixelRatio(density);
        bitmap->image.fill(Qt::black);
    }
    return AttachNew(*this, bitmap);
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const {
    return GetObject(sizeof(BITMAP), pBitMap);
}

// ---------------------------------------------------------------------------------------------
// Free functions.

COLORREF GetSysColor(int nIndex) {
    if (!qApp) {
        // Without an application there is no palette: the classic colours.
        switch (nIndex) {
        case COLOR_BTNSHADOW:
            return RGB(128, 128, 128);
        case COLOR_BTNHIGHLIGHT:
        case COLOR_WINDOW:
        case COLOR_HIGHLIGHTTEXT:
            return RGB(255, 255, 255);
        case COLOR_GRAYTEXT:
            return RGB(128, 128, 128);
        case COLOR_HIGHLIGHT:
            return RGB(0, 0, 128);
        case COLOR_3DDKSHADOW:
        case COLOR_WINDOWTEXT:
        case COLOR_BTNTEXT:
            return RGB(0, 0, 0);
        default:
            return RGB(192, 192, 192);
        }
    }
    const QPalette palette = QApplication::palette();
    switch (nIndex) {
    case COLOR_WINDOW:
        return FromQColor(palette.color(QPalette::Base));
    case COLOR_WINDOWTEXT:
        return FromQColor(palette.color(QPalette::WindowText));
    case COLOR_BTNSHADOW:
        return FromQColor(palette.color(QPalette::Dark));
    case COLOR_GRAYTEXT:
        return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_BTNTEXT:
        return FromQColor(palette.color(QPalette::ButtonText));
    case COLOR_BTNHIGHLIGHT:
        return FromQColor(palette.color(QPalette::Light));
    case COLOR_HIGHLIGHT:
        return FromQColor(palette.color(QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT:
        return FromQColor(palette.color(QPalette::HighlightedText));
    case COLOR_3DDKSHADOW:
        return FromQColor(palette.color(QPalette::Shadow));
    case COLOR_3DLIGHT:
        return FromQColor(palette.color(QPalette::Midlight));
    case COLOR_BTNFACE:
    default:
        return FromQColor(palette.color(QPalette::Button));
    }
}

HBRUSH CreateSolidBrush(COLORREF crColor) {
    return NewBrush(crColor);
}

HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return NewPen(nPenStyle, std::max(0, nWidth), crColor);
}

HFONT CreateFontIndirect(const LOGFONT* lpLogFont) {
    return lpLogFont ? NewFont(*lpLogFont) : nullptr;
}

HGDIOBJ GetStockObject(int nIndex) {
    return Stock(nIndex);
}

int GetObject(HGDIOBJ hObject, int nCount, void* lpObject) {
    if (!hObject || !lpObject || nCount <= 0) {
        return 0;
    }
    switch (hObject->kind) {
    case GkGdiObject::Kind::Font: {
        LOGFONT lf = hObject->logFont;
        if (hObject->deviceFont) {
            lf = LOGFONT{};
            const QFont app = QApplication::font();
            lf.lfHeight = -(app.pixelSize() > 0 ? app.pixelSize() : 12);
            lf.lfWeight = FW_NORMAL;
            std::strncpy(lf.lfFaceName, app.family().toUtf8().constData(), LF_FACESIZE - 1);
        }
        const int n = std::min<int>(nCount, sizeof(LOGFONT));
        std::memcpy(lpObject, &lf, static_cast<size_t>(n));
        return n;
    }
    case GkGdiObject::Kind::Bitmap: {
        BITMAP bm;
        bm.bmWidth = hObject->image.width();
        bm.bmHeight = hObject->image.height();
        bm.bmWidthBytes = bm.bmWidth * 4;
        const int n = std::min<int>(nCount, sizeof(BITMAP));
        std::memcpy(lpObject, &bm, static_cast<size_t>(n));
        return n;
    }
    default:
        return 0;
    }
}

BOOL DeleteObject(HGDIOBJ hObject) {
    return GkGdiObject::Delete(hObject);
}
