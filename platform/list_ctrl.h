// CListCtrl: the window object of a list in report view: rows of texts under a header of
// columns. Columns and rows are counted from 0; a row's sub-item 0 is its first column.
#pragma once

#include "platform/wnd.h"

constexpr UINT LVM_GETITEMCOUNT = 0x1004;
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
constexpr UINT LVIF_TEXT = 0x0001;
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

// A row's text in one column; when read, pszText is a buffer of cchTextMax bytes.
struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
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
};
