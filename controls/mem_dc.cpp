// CMemDC: set up over the target's clipping box, copied back at destruction.
#include "controls/mem_dc.h"

CMemDC::CMemDC(CDC* pDC) {
    m_pTargetDC = pDC;
    m_pTargetDC->GetClipBox(&m_rcArea);
    CreateCompatibleDC(m_pTargetDC);
    const CRect area(m_rcArea);
    m_bmpSurface.CreateCompatibleBitmap(m_pTargetDC, area.Width(), area.Height());
    m_pPrevBitmap = SelectObject(&m_bmpSurface);
    // The image's top-left pixel stands for the clipping box's top-left corner.
    SetWindowOrg(m_rcArea.left, m_rcArea.top);
}

CMemDC::~CMemDC() {
    const CRect area(m_rcArea);
    m_pTargetDC->BitBlt(area.left, area.top, area.Width(), area.Height(), this, area.left, area.top,
                        SRCCOPY);
    if (m_pPrevBitmap) {
        SelectObject(m_pPrevBitmap);
    }
    m_bmpSurface.DeleteObject();
}
