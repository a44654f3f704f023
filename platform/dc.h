// The drawing layer: device contexts (CDC) over QPainter, GDI objects (pens, brushes, fonts,
// bitmaps) as owning values, system colours, and icons and bitmaps loaded from the compiled-in
// resources. Coordinates are logical pixels: device = logical − window origin (MM_TEXT); right
// and bottom edges of rectangles are exclusive. Text is UTF-8.
//
// Where a context draws:
//   CPaintDC(CWnd*)   the window, during its WM_PAINT (the Qt paint event being handled); the
//                     clip box is the area to repaint. Outside a paint event it draws nowhere.
//   CClientDC(CWnd*)  Qt paints windows only in their paint event, so this context draws into a
//                     scratch image of the client size: use it to measure and as the model for
//                     CreateCompatibleDC, not to put pixels on the screen.
//   CreateCompatibleDC a memory context drawing into the bitmap selected into it (at first a
//                     stock 1 × 1 bitmap); BitBlt/StretchBlt read it back out.
//   CImageDC(QImage&) a context drawing straight into an image the caller owns.
//   The owner-draw request of a button hands DrawItem a context over the button's paint event.
//
// Object lifetime follows the window system's: SelectObject returns the object selected before
// (a stock object when nothing was), to be selected again when done. Deleting an object that is
// still selected somewhere is deferred until it is deselected, so it never dangles.
#pragma once

#include "platform/cstring.h"
#include "platform/win_types.h"

#include <memory>

class CWnd;
class QImage;

// ---------------------------------------------------------------------------------------------
// Constants.

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// DrawText formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// DrawState image types and states.
constexpr UINT DST_TEXT = 0x0001;
constexpr UINT DST_PREFIXTEXT = 0x0002;
constexpr UINT DST_ICON = 0x0003;
constexpr UINT DST_BITMAP = 0x0004;
constexpr UINT DSS_NORMAL = 0x0000;
constexpr UINT DSS_DISABLED = 0x0020;

// Raster operation: the only one the layer knows.
constexpr DWORD SRCCOPY = 0x00CC0020;

// GetClipBox results.
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

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

// Resources: a module handle, names that are small integers, types and load flags.
struct GkModule;
using HINSTANCE = GkModule*;
using HMODULE = HINSTANCE;
using HANDLE = void*;
inline const char* MAKEINTRESOURCE(UINT id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id & 0xFFFF));
}
inline bool IS_INTRESOURCE(const char* name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}
inline const char* const RT_BITMAP = MAKEINTRESOURCE(2);
inline const char* const RT_GROUP_CURSOR = MAKEINTRESOURCE(12);
inline const char* const RT_GROUP_ICON = MAKEINTRESOURCE(14);
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;

// ---------------------------------------------------------------------------------------------
// Records.

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

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint{};
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

// ---------------------------------------------------------------------------------------------
// Device contexts.

struct GkDcState; // the Qt side of a context (platform/gdi_private.h)

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Both name this object while it is a usable context, else null.
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC) { return hDC; }

    // A memory context (pDC may be null: compatible with the screen).
    BOOL CreateCompatibleDC(CDC* pDC);
    // Ends the context: deselects everything it holds.
    BOOL DeleteDC();

    // Selection: each returns the object selected before, or null on failure (a bitmap can be
    // selected only into a memory context).
    CGdiObject* SelectObject(CGdiObject* pObject);
    CPen* SelectObject(CPen* pPen) {
        return static_cast<CPen*>(SelectObject(static_cast<CGdiObject*>(pPen)));
    }
    CBrush* SelectObject(CBrush* pBrush) {
        return static_cast<CBrush*>(SelectObject(static_cast<CGdiObject*>(pBrush)));
    }
    CFont* SelectObject(CFont* pFont) {
        return static_cast<CFont*>(SelectObject(static_cast<CGdiObject*>(pFont)));
    }
    CBitmap* SelectObject(CBitmap* pBitmap) {
        return static_cast<CBitmap*>(SelectObject(static_cast<CGdiObject*>(pBitmap)));
    }
    CGdiObject* SelectStockObject(int nIndex);
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // Attributes.
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    // The smallest rectangle around the area the context may paint, in logical coordinates.
    int GetClipBox(RECT* lpRect) const;
    // Narrows the clipping area to its part inside the rectangle (logical coordinates).
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(const RECT* lpRect) {
        return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }

    // Lines with the selected pen; a segment paints from its start up to, not including, its end.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;

    // Fills.
    void FillRect(const RECT* lpRect, CBrush* pBrush);
    void FillSolidRect(const RECT* lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const; // 0xFFFFFFFF outside the surface or on a window
    COLORREF SetPixel(int x, int y, COLORREF crColor);

    // Text in the selected font and text colour; in OPAQUE mode the text's cells are filled
    // with the background colour first. nCount −1 = up to the terminator. Lines are top-aligned
    // unless DT_VCENTER/DT_BOTTOM with DT_SINGLELINE. Without DT_NOPREFIX "&x" shows x
    // underlined and "&&" shows "&". DT_CALCRECT only measures: right and bottom become those
    // of the text's extent. Returns the text's height.
    int DrawText(const char* lpszString, int nCount, RECT* lpRect, UINT nFormat);
    int DrawText(const CString& str, RECT* lpRect, UINT nFormat) {
        return DrawText(str.GetString(), -1, lpRect, nFormat);
    }
    BOOL TextOut(int x, int y, const char* lpszString, int nCount);
    CSize GetTextExtent(const char* lpszString, int nCount) const;

    // DrawState: an icon at its own size with its top-left at pt, or (prefix) text in the
    // selected font and text colour, drawn transparently and cut to pt/size (a zero size means
    // the text's extent). DSS_DISABLED gives the embossed look: the shape in COLOR_BTNHIGHLIGHT
    // one pixel right and down, then in COLOR_BTNSHADOW at the place itself.
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, const char* lpszText, UINT nFlags,
                   BOOL bPrefixText = TRUE, int nTextLen = 0, HBRUSH hBrush = nullptr);
    // The icon at its own size with its top-left at (x, y), blended by its transparency.
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

    // Block transfers (SRCCOPY only) from a memory or image context. Source pixels outside the
    // source's surface are not drawn; StretchBlt scales by nearest pixel.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);

    // The Qt side, for platform code.
    GkDcState* state() const { return m_state.get(); }

protected:
    friend struct GkDcState;
    std::unique_ptr<GkDcState> m_state;
};

// The context of a window's paint pass (BeginPaint/EndPaint).
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
    HWND m_hWnd = nullptr;
};

// A context of a window's client area outside painting (a scratch image; see the file's head).
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    HWND m_hWnd = nullptr;
};

// A context drawing straight into an image the caller owns and keeps alive meanwhile.
class CImageDC : public CDC {
public:
    explicit CImageDC(QImage& target);
};

// ---------------------------------------------------------------------------------------------
// Free functions of the window system's drawing and resource services.

COLORREF GetSysColor(int nIndex); // from the application's Qt palette
HBRUSH CreateSolidBrush(COLORREF crColor);
HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
HFONT CreateFontIndirect(const LOGFONT* lpLogFont);
HGDIOBJ GetStockObject(int nIndex);
int GetObject(HGDIOBJ hObject, int nCount, void* lpObject);
BOOL DeleteObject(HGDIOBJ hObject);
HGDIOBJ SelectObject(HDC hDC, HGDIOBJ hObject);
int FillRect(HDC hDC, const RECT* lpRect, HBRUSH hBrush);
int DrawText(HDC hDC, const char* lpszString, int nCount, RECT* lpRect, UINT nFormat);
// DrawStateA: uFlags is a DST_ type and a DSS_ state; lData is the HICON or the text, wData the
// text length (0 = up to the terminator). No callback is supported (lpOutputFunc must be null).
BOOL DrawState(HDC hDC, HBRUSH hBrush, void* lpOutputFunc, LPARAM lData, WPARAM wData, int x, int y,
               int cx, int cy, UINT uFlags);
BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon);
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint); // a new CPaintDC, ended by EndPaint
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);

// Resources live in this one program: every lookup yields the same module handle.
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxFindResourceHandle(const char* lpszName, const char* lpszType);
// IMAGE_ICON from ":/res/icon/<id>" (cx, cy 0 = the resource's own size, 32 × 32 when it has
// several) or IMAGE_BITMAP from ":/res/bitmap/<name>"; null when there is no such resource.
// Release icons with DestroyIcon, bitmaps with DeleteObject.
HANDLE LoadImage(HINSTANCE hInst, const char* lpszName, UINT uType, int cxDesired, int cyDesired,
                 UINT fuLoad);
HICON LoadIcon(HINSTANCE hInst, const char* lpszName); // the 32 × 32 image
HBITMAP LoadBitmap(HINSTANCE hInst, const char* lpszName);
BOOL DestroyIcon(HICON hIcon);
// An icon's size in pixels ({0, 0} for none).
CSize GetIconSize(HICON hIcon);
