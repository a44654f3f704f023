// CMemDC: an off-screen drawing surface that stands in for a target context for one painting
// pass and is copied onto the target in one block transfer when it is destroyed.
#pragma once

#include "platform/dc.h"

class CMemDC : public CDC {
public:
    // pDC: the target; must not be null. The surface covers the target's clipping box, in the
    // target's logical coordinates.
    explicit CMemDC(CDC* pDC);
    ~CMemDC() override;

private:
    CBitmap m_bmpSurface;                // the off-screen image
    CGdiObject* m_pPrevBitmap = nullptr; // selected before m_bmpSurface; not owned
    CDC* m_pTargetDC = nullptr;          // not owned
    RECT m_rcArea{};                     // the part of the target the surface covers
};
