// GDI objects: pens, brushes, fonts and bitmaps as owning values over their handles, the font
// and bitmap descriptions, stock objects and the system colours. Deleting an object that is
// still selected into a context is deferred until it is deselected, so it never dangles.
#pragma once

#include "platform/cstring.h"
#include "platform/resources.h"
#include "platform/win_types.h"

class CDC;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13; // the device's own font (the window's Qt font)
constexpr int DEFAULT_GUI_FONT = 17;

// Font description values.
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_SWISS = 0x20;

// More system colours (the rest are in win_types.h).
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;

// A font description in its narrow-character form (60 bytes). The face name is UTF-8.
struct LOGFONT {
    LONG lfHeight = 0; // > 0: cell height in pixels; < 0: character (em) height; 0: default
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0; // 100..900; 0 = normal
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTA = LOGFONT;
static_assert(sizeof(LOGFONT) == 60, "LOGFONTA is 60 bytes");

// A bitmap's dimensions as GetObject reports them (bmBits is always null here).
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

// ---------------------------------------------------------------------------------------------
// GDI objects: each owns its handle (when it made or attached it) and deletes it on destruction.

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // The object that owns the handle, or a wrapper the layer keeps for as long as the handle
    // lives (stock objects, handles made by the free functions).
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Releases the handle (stock objects are never released); FALSE when there is none.
    BOOL DeleteObject();
    // Copies the object's description: LOGFONT for a font, BITMAP for a bitmap; returns the
    // bytes written (at most nCount), or 0.
    int GetObject(int nCount, void* lpObject) const;

private:
    friend struct GkGdiObject;
    bool m_bOwns = true; // false for the layer's wrappers of handles no object owns
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    static CPen* FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);
    BOOL CreateSolidBrush(COLORREF crColor);
    static CBrush* FromHandle(HBRUSH hBrush) {
        return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
    }
};

class CFont : public CGdiObject {
public:
    // The fourteen arguments of CreateFontA, in its order.
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                    const char* lpszFacename);
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    // Height in tenths of a point at 96 dpi.
    BOOL CreatePointFont(int nPointSize, const char* lpszFaceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const;
    static CFont* FromHandle(HFONT hFont) {
        return static_cast<CFont*>(CGdiObject::FromHandle(hFont));
    }
};

class CBitmap : public CGdiObject {
public:
    // Loads the bitmap resource ":/res/bitmap/<name>" (an integer name is its decimal id).
    BOOL LoadBitmap(const char* lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // A colour bitmap of the given size (black); zero width or height gives an empty bitmap.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    static CBitmap* FromHandle(HBITMAP hBitmap) {
        return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
    }
};

// Free functions of the window system's drawing objects.
COLORREF GetSysColor(int nIndex); // from the application's Qt palette
HBRUSH CreateSolidBrush(COLORREF crColor);
HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
HFONT CreateFontIndirect(const LOGFONT* lpLogFont);
HGDIOBJ GetStockObject(int nIndex);
int GetObject(HGDIOBJ hObject, int nCount, void* lpObject);
BOOL DeleteObject(HGDIOBJ hObject);
