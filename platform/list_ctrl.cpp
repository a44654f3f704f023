// CListCtrl and the "SysListView32" window class over QTreeWidget: a flat list of rows, one
// column per header section, whole rows selected.
#include "platform/list_ctrl.h"

#include "platform/private/window_bridge.h"
#include "platform/private/window_classes.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Copies text into a buffer of size bytes as UTF-8, cut before a character that would not fit
// whole; returns the bytes copied.
int CopyUtf8(const QString& text, char* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > size - 1) {
        qsizetype cut = size - 1;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.truncate(cut);
    }
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
    return static_cast<int>(bytes.size());
}

class ListViewWindow : public Bridged<QTreeWidget> {
public:
    explicit ListViewWindow(QWidget* parent) : Bridged<QTreeWidget>(parent) {
        setRootIsDecorated(false);
        setUniformRowHeights(true);
        setItemsExpandable(false);
        setAllColumnsShowFocus(true);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setColumnCount(0);
        header()->setStretchLastSection(false);
        header()->setSectionsMovable(false);
    }

    void setWindowStyle(DWORD style) override {
        WindowBridge::setWindowStyle(style);
        setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
        header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
    }

    LRESULT classProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const int index = static_cast<int>(wParam);
        switch (message) {
        case LVM_INSERTCOLUMN:
            return insertColumn(index, reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_DELETECOLUMN:
            return deleteColumn(index);
        case LVM_GETCOLUMN:
            return getColumn(index, reinterpret_cast<LVCOLUMN*>(lParam));
        case LVM_SETCOLUMN:
            return setColumn(index, reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_SETCOLUMNWIDTH:
            return setWidth(index, static_cast<int>(lParam));
        case LVM_INSERTITEM:
            return insertItem(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_SETITEMTEXT:
            return setItemText(index, reinterpret_cast<const LVITEM*>(lParam));
        case LVM_GETITEMTEXT: {
            auto* item = reinterpret_cast<LVITEM*>(lParam);
            QTreeWidgetItem* row = topLevelItem(index);
            if (!item)
                return 0;
            const QString text = row ? row->text(item->iSubItem) : QString();
            return CopyUtf8(text, item->pszText, item->cchTextMax);
        }
        case LVM_GETITEMCOUNT:
            return topLevelItemCount();
        case LVM_DELETEALLITEMS:
            clear();
            return TRUE;
        case LVM_ENSUREVISIBLE:
            if (QTreeWidgetItem* row = topLevelItem(index)) {
                scrollToItem(row);
                return TRUE;
            }
            return FALSE;
        default:
            return WindowBridge::classProc(message, wParam, lParam);
        }
    }

private:
    // The header's model is the tree's: a column lives as a header label plus its width.
    QStringList headings() const {
        QStringList labels;
        for (int i = 0; i < columnCount(); ++i)
            labels << headerItem()->text(i);
        return labels;
    }

    LRESULT insertColumn(int at, const LVCOLUMN* column) {
        if (!column || at < 0)
            return -1;
        at = std::min(at, columnCount());
        QStringList labels = headings();
        std::vector<int> widths;
        for (int i = 0; i < columnCount(); ++i)
            widths.push_back(columnWidth(i));
        labels.insert(at, (column->mask & LVCF_TEXT) && column->pszText
                              ? QString::fromUtf8(column->pszText)
                              : QString());
        // Rows keep their texts in their own columns: shift those right of the new one.
        for (int r = 0; r < topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = topLevelItem(r);
            for (int c = columnCount(); c > at; --c)
                row->setText(c, row->text(c - 1));
            row->setText(at, QString());
        }
        setHeaderLabels(labels);
        widths.insert(widths.begin() + at, 0);
        m_alignment.insert(m_alignment.begin() + at, Qt::AlignLeft | Qt::AlignVCenter);
        for (int i = 0; i < columnCount(); ++i)
            setColumnWidth(i, widths[static_cast<size_t>(i)]);
        applyFormat(at, column);
        if (!(column->mask & LVCF_WIDTH) || column->cx < 0)
            resizeColumnToContents(at);
        return at;
    }

    void applyFormat(int at, const LVCOLUMN* column) {
        if ((column->mask & LVCF_WIDTH) && column->cx >= 0)
            setColumnWidth(at, column->cx);
        if (column->mask & LVCF_FMT)
            m_alignment[static_cast<size_t>(at)] =
                ((column->fmt & LVCFMT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        realign();
    }

    // Header and rows take each column's alignment.
    void realign() {
        for (int c = 0; c < columnCount(); ++c) {
            headerItem()->setTextAlignment(c, m_alignment[static_cast<size_t>(c)]);
            for (int r = 0; r < topLevelItemCount(); ++r)
                topLevelItem(r)->setTextAlignment(c, m_alignment[static_cast<size_t>(c)]);
        }
    }

    LRESULT deleteColumn(int at) {
        if (at < 0 || at >= columnCount())
            return FALSE;
        QStringList labels = headings();
        labels.removeAt(at);
        for (int r = 0; r < topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = topLevelItem(r);
            for (int c = at; c + 1 < columnCount(); ++c)
                row->setText(c, row->text(c + 1));
        }
        m_alignment.erase(m_alignment.begin() + at);
        setColumnCount(columnCount() - 1);
        setHeaderLabels(labels);
        realign();
        return TRUE;
    }

    LRESULT getColumn(int at, LVCOLUMN* column) const {
        if (!column || at < 0 || at >= columnCount())
            return FALSE;
        if (column->mask & LVCF_TEXT)
            CopyUtf8(headerItem()->text(at), column->pszText, column->cchTextMax);
        if (column->mask & LVCF_WIDTH)
            column->cx = columnWidth(at);
        if (column->mask & LVCF_FMT)
            column->fmt =
                (headerItem()->textAlignment(at) & Qt::AlignRight) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        return TRUE;
    }

    LRESULT setColumn(int at, const LVCOLUMN* column) {
        if (!column || at < 0 || at >= columnCount())
            return FALSE;
        if ((column->mask & LVCF_TEXT) && column->pszText)
            headerItem()->setText(at, QString::fromUtf8(column->pszText));
        if (column->mask & (LVCF_WIDTH | LVCF_FMT))
            applyFormat(at, column);
        return TRUE;
    }

    LRESULT setWidth(int at, int cx) {
        if (at < 0 || at >= columnCount())
            return FALSE;
        if (cx >= 0) {
            setColumnWidth(at, cx);
        } else if (cx == LVSCW_AUTOSIZE_USEHEADER) {
            resizeColumnToContents(at);
        } else {
            setColumnWidth(at, std::max(0, sizeHintForColumn(at)));
        }
        return TRUE;
    }

    LRESULT insertItem(const LVITEM* item) {
        if (!item || item->iItem < 0)
            return -1;
        const int at = std::min(item->iItem, topLevelItemCount());
        auto* row = new QTreeWidgetItem;
        for (int c = 0; c < columnCount(); ++c)
            row->setTextAlignment(c, m_alignment[static_cast<size_t>(c)]);
        if ((item->mask & LVIF_TEXT) && item->pszText)
            row->setText(0, QString::fromUtf8(item->pszText));
        insertTopLevelItem(at, row);
        return at;
    }

    LRESULT setItemText(int at, const LVITEM* item) {
        QTreeWidgetItem* row = topLevelItem(at);
        if (!row || !item || item->iSubItem < 0 || item->iSubItem >= columnCount())
            return FALSE;
        row->setText(item->iSubItem, QString::fromUtf8(item->pszText ? item->pszText : ""));
        return TRUE;
    }

    std::vector<Qt::Alignment> m_alignment; // one per column
};

} // namespace

QWidget* CreateListViewWindow(const WindowCreateParams& params) {
    auto* list = new ListViewWindow(params.parent);
    list->setWindowStyle(params.style);
    list->setFocusPolicy((params.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    return list;
}

int CListCtrl::InsertColumn(int nCol, const char* lpszColumnHeading, int nFormat, int nWidth) {
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_FMT | (nWidth >= 0 ? LVCF_WIDTH : 0);
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<char*>(lpszColumnHeading ? lpszColumnHeading : "");
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol),
                                        reinterpret_cast<LPARAM>(&column)));
}

BOOL CListCtrl::DeleteColumn(int nCol) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol)));
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETCOLUMN, static_cast<WPARAM>(nCol),
                                           reinterpret_cast<LPARAM>(pColumn)));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), static_cast<LPARAM>(cx)));
}

int CListCtrl::InsertItem(int nItem, const char* lpszItem) {
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(lpszItem ? lpszItem : "");
    return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const char* lpszText) {
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(lpszText ? lpszText : "");
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // The message fills a buffer of a given size and cannot say how long the text is: grow the
    // buffer until the text fits with room to spare.
    std::string buffer(256, '\0');
    for (;;) {
        LVITEM item;
        item.iSubItem = nSubItem;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT n = ::SendMessage(m_hWnd, LVM_GETITEMTEXT, static_cast<WPARAM>(nItem),
                                        reinterpret_cast<LPARAM>(&item));
        if (n + 4 < static_cast<LRESULT>(buffer.size())) {
            buffer.resize(static_cast<size_t>(n));
            return CString(std::move(buffer));
        }
        buffer.resize(buffer.size() * 2);
    }
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETITEMCOUNT));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem)));
}
