// CProgressCtrl: the window object of a progress bar, which fills in proportion to where its
// position stands in its range.
#pragma once

#include "platform/wnd.h"

constexpr UINT PBM_SETPOS = 0x0402;
constexpr UINT PBM_SETRANGE32 = 0x0406;
constexpr UINT PBM_GETRANGE = 0x0407;
constexpr UINT PBM_GETPOS = 0x0408;

struct PBRANGE {
    int iLow = 0;
    int iHigh = 0;
};

class CProgressCtrl : public CWnd {
public:
    // The range is [nLower, nUpper]; a new range keeps the position inside it.
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Moves to nPos, held within the range; returns the previous position.
    int SetPos(int nPos);
    int GetPos() const;
};
