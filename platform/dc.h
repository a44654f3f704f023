// The drawing layer: device contexts (CDC) over QPainter. Coordinates are logical pixels:
// device = logical − window origin (MM_TEXT); right and bottom edges of rectangles are
// exclusive. Text is UTF-8.
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
// SelectObject returns the object selected before (a stock object when nothing was), to be
// selected again when done.
#pragma once

#include "platform/cstring.h"
#include "platform/gdi_objects.h"
#include "platform/win_types.h"

#include <memory>

class CWnd;
class QImage;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

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

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint{};
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

    // Shapes inside the rectangle x1, y1 to x2, y2 (right and bottom exclusive): outlined with
    // the selected pen, filled with the selected brush (a hollow brush leaves the inside).
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    // Many at once, each drawn as the single call draws it, in one pass (platform/dc_poly.cpp).
    // Polyline joins the points with the selected pen, its last point not painted; it neither
    // uses nor moves the current position. PolyPolyline draws nCount polylines, the i-th of
    // lpPolyPoints[i] points. PolyEllipse (the layer's own) draws an ellipse in each rectangle.
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount);
    BOOL PolyEllipse(const RECT* lpRects, int nCount);
    // Fills.
    void FillRect(const RECT* lpRect, CBrush* pBrush);
    void FillSolidRect(const RECT* lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const; // 0xFFFFFFFF outside the surface or on a window
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    // The keyboard focus mark: a dotted frame just inside the rectangle, every other pixel
    // inverted, so drawing it twice takes it away again.
    void DrawFocusRect(const RECT* lpRect);

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

// Free functions of the window system's drawing services.
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
