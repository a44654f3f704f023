// CListCtrl: the window object of a list in report view: rows of texts under a header of
// columns. Columns and rows are counted from 0; a row's sub-item 0 is its first column. With
// LVS_EX_CHECKBOXES each row has a check box before its first column. A change of a row's check
// box or selection, by the user or the program, tells the parent: WM_NOTIFY with an NMLISTVIEW
// whose code is LVN_ITEMCHANGED. Between SetRedraw(FALSE) and SetRedraw(TRUE) the list
// neither repaints nor tells the screen reader of each changed text: it does both once, for
// every row changed meanwhile, when redrawing resumes. Checks and selection tell as ever.
#pragma once

#include "platform/wnd.h"

constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_GETNEXTITEM = 0x100C;
constexpr UINT LVM_SETITEMSTATE = 0x102B;
constexpr UINT LVM_GETITEMSTATE = 0x102C;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = 0x1037;
// The layer's own: a greyed row (wParam the row, lParam TRUE or FALSE) shows its texts in the
// grey of unavailable things and takes neither selection nor a change of its check box; it
// stands in for a row the program colours while it is drawn.
constexpr UINT LVM_SETITEMGRAYED = 0x10F0;
constexpr UINT LVM_GETITEMGRAYED = 0x10F1;
constexpr UINT LVM_INSERTITEM = 0x1007;
constexpr UINT LVM_DELETEALLITEMS = 0x1009;
constexpr UINT LVM_ENSUREVISIBLE = 0x1013;
constexpr UINT LVM_GETCOLUMN = 0x1019;
constexpr UINT LVM_SETCOLUMN = 0x101A;
constexpr UINT LVM_INSERTCOLUMN = 0x101B;
constexpr UINT LVM_DELETECOLUMN = 0x101C;
constexpr UINT LVM_SETCOLUMNWIDTH = 0x101E;
constexpr UINT LVM_GETITEMTEXT = 0x102D;
constexpr UINT LVM_SETITEMTEXT = 0x102E;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_STATE = 0x0008;
constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
// Row states: selected, and the check box's state image (1 clear, 2 ticked).
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) {
    return i << 12;
}
// GetNextItem's relations.
constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_SELECTED = 0x0002;

constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);

// What every WM_NOTIFY carries: the control, its id, the notification.
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

// A row's state changed: uChanged is LVIF_STATE, the states before and after.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
};
// Column widths that fit the column's texts, without or with its heading.
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// A column: which fields count (LVCF_*), alignment, width in pixels, heading text. When read,
// pszText is a buffer of cchTextMax bytes.
struct LVCOLUMN {
    UINT mask = 0;
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
};

// A row's text in one column, or (LVIF_STATE) its states of stateMask; when text is read,
// pszText is a buffer of cchTextMax bytes.
struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
};

class CListCtrl : public CWnd {
public:
    // Inserts a column before nCol (at the end when nCol is past it); nWidth < 0 fits the
    // heading. Returns its index, or -1.
    int InsertColumn(int nCol, const char* lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1);
    BOOL DeleteColumn(int nCol);
    // Reads the fields pColumn->mask names; FALSE when there is no such column.
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    // cx in pixels, or LVSCW_AUTOSIZE / LVSCW_AUTOSIZE_USEHEADER.
    BOOL SetColumnWidth(int nCol, int cx);
    // Inserts a row before nItem (at the end when nItem is past it) with lpszItem in its first
    // column; returns its index, or -1.
    int InsertItem(int nItem, const char* lpszItem);
    BOOL SetItemText(int nItem, int nSubItem, const char* lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemCount() const;
    BOOL DeleteAllItems();
    // Scrolls the row into view.
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);

    // LVS_EX_* bits; returns the ones set before.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    // The row's check box (with LVS_EX_CHECKBOXES).
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    // The states (LVIS_SELECTED, LVIS_FOCUSED, the state image) of nMask that the row has / sets.
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    // The first row after nItem (-1: from the top) with the relation's states; -1 when none.
    int GetNextItem(int nItem, int nFlags) const;
    // A greyed row: see LVM_SETITEMGRAYED.
    BOOL SetItemGrayed(int nItem, BOOL bGrayed = TRUE);
    BOOL IsItemGrayed(int nItem) const;
};
