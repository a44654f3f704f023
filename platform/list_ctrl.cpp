// CListCtrl and the "SysListView32" window class over QTreeWidget: a flat list of rows, one
// column per header section, whole rows selected.
#include "platform/list_ctrl.h"

#include "platform/private/window_bridge.h"
#include "platform/private/window_classes.h"

#include "platform/gdi_objects.h"
#include "platform/private/gdi_private.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Copies text into a buffer of size bytes as UTF-8, cut before a character that would not fit
// whole; returns the bytes copied.
int CopyUtf8(const QString& text, char* buffer, int size) {
    if (!buffer || size <= 0) {
        return 0;
    }
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > size - 1) {
        qsizetype cut = size - 1;
        while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
            --cut;
        }
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
        // A tick the user or the program changes tells the parent; the row keeps the state it
        // last told, so a change of anything else in the row tells nothing.
        QObject::connect(
            this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* row, int column) {
                if (column != 0 || !m_checkBoxes) {
                    return;
                }
                const bool ticked = row->checkState(0) == Qt::Checked;
                const bool told = row->data(0, kToldTick).toBool();
                if (ticked == told) {
                    return;
                }
                row->setData(0, kToldTick, ticked);
                notify(indexOfTopLevelItem(row), CheckImage(ticked), CheckImage(!ticked));
            });
        watchSelection();
    }

    // Space ticks or clears the focused row's box, in whichever column the focus stands, as
    // the window system's list does; Qt would only toggle it from the first column.
    void keyPressEvent(QKeyEvent* e) override {
        translateKeyPress(e, [this, e] {
            QTreeWidgetItem* row = currentItem();
            if (m_checkBoxes && e->key() == Qt::Key_Space && row &&
                (row->flags() & Qt::ItemIsUserCheckable)) {
                row->setCheckState(0,
                                   row->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
                return;
            }
            QTreeWidget::keyPressEvent(e);
        });
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
            if (!item) {
                return 0;
            }
            const QString text = row ? row->text(item->iSubItem) : QString();
            return CopyUtf8(text, item->pszText, item->cchTextMax);
        }
        case LVM_GETITEMCOUNT:
            return topLevelItemCount();
        case LVM_SETEXTENDEDLISTVIEWSTYLE:
            return setExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return m_exStyle;
        case LVM_SETITEMSTATE:
            return setItemState(index, reinterpret_cast<const LVITEM*>(lParam));
        case LVM_GETITEMSTATE:
            return itemState(index, static_cast<UINT>(lParam));
        case LVM_GETNEXTITEM:
            return nextItem(index, static_cast<UINT>(lParam));
        case LVM_SETITEMGRAYED:
            return setGrayed(index, lParam != 0);
        case LVM_GETITEMGRAYED: {
            QTreeWidgetItem* row = topLevelItem(index);
            return row && row->data(0, kGrayed).toBool();
        }
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
    static constexpr int kToldTick = Qt::UserRole + 1; // the tick the parent was last told of
    static constexpr int kGrayed = Qt::UserRole + 2;

    static UINT CheckImage(bool ticked) { return INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1); }

    void notify(int row, UINT newState, UINT oldState) {
        QWidget* parent = LayerParent(this);
        if (!parent || row < 0) {
            return;
        }
        NMLISTVIEW change;
        change.hdr.hwndFrom = this;
        change.hdr.idFrom = static_cast<UINT_PTR>(id());
        change.hdr.code = LVN_ITEMCHANGED;
        change.iItem = row;
        change.uChanged = LVIF_STATE;
        change.uNewState = newState;
        change.uOldState = oldState;
        SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(id()),
                    reinterpret_cast<LPARAM>(&change));
    }

    // Selection changes tell the parent row by row, as the window system's list does.
    void watchSelection() {
        if (!selectionModel()) {
            return;
        }
        QObject::connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
                         [this](const QItemSelection& selected, const QItemSelection& deselected) {
                             for (const QModelIndex& at : deselected.indexes()) {
                                 if (at.column() == 0) {
                                     notify(at.row(), 0, LVIS_SELECTED);
                                 }
                             }
                             for (const QModelIndex& at : selected.indexes()) {
                                 if (at.column() == 0) {
                                     notify(at.row(), LVIS_SELECTED, 0);
                                 }
                             }
                         });
    }

    void makeCheckable(QTreeWidgetItem* row) {
        if (!m_checkBoxes || row->data(0, kGrayed).toBool()) {
            return;
        }
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        if (row->data(0, Qt::CheckStateRole).isNull()) {
            row->setData(0, kToldTick, false);
            row->setCheckState(0, Qt::Unchecked);
        }
    }

    LRESULT setExtendedStyle(DWORD mask, DWORD style) {
        const DWORD old = m_exStyle;
        m_exStyle = mask ? (m_exStyle & ~mask) | (style & mask) : style;
        m_checkBoxes = m_exStyle & LVS_EX_CHECKBOXES;
        for (int r = 0; r < topLevelItemCount(); ++r) {
            makeCheckable(topLevelItem(r));
        }
        return old;
    }

    LRESULT itemState(int at, UINT mask) const {
        QTreeWidgetItem* row = topLevelItem(at);
        if (!row) {
            return 0;
        }
        UINT state = 0;
        if (row->isSelected()) {
            state |= LVIS_SELECTED;
        }
        if (currentItem() == row) {
            state |= LVIS_FOCUSED;
        }
        if (m_checkBoxes) {
            state |= CheckImage(row->checkState(0) == Qt::Checked);
        }
        return state & mask;
    }

    LRESULT setItemState(int at, const LVITEM* item) {
        if (!item) {
            return FALSE;
        }
        // Row -1 sets the state of every row.
        const int first = at < 0 ? 0 : at;
        const int last = at < 0 ? topLevelItemCount() - 1 : at;
        for (int r = first; r <= last; ++r) {
            QTreeWidgetItem* row = topLevelItem(r);
            if (!row) {
                return FALSE;
            }
            if (item->stateMask & LVIS_STATEIMAGEMASK && m_checkBoxes &&
                !row->data(0, kGrayed).toBool()) {
                row->setCheckState(0, (item->state & LVIS_STATEIMAGEMASK) == CheckImage(true)
                                          ? Qt::Checked
                                          : Qt::Unchecked);
            }
            if (item->stateMask & LVIS_FOCUSED && item->state & LVIS_FOCUSED) {
                setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
            }
            if (item->stateMask & LVIS_SELECTED && !row->data(0, kGrayed).toBool()) {
                // A single-selection list holds one selected row, whoever selects it.
                if (item->state & LVIS_SELECTED &&
                    selectionMode() == QAbstractItemView::SingleSelection && !row->isSelected()) {
                    clearSelection();
                }
                row->setSelected(item->state & LVIS_SELECTED);
            }
        }
        return TRUE;
    }

    LRESULT nextItem(int after, UINT flags) const {
        for (int r = std::max(after + 1, 0); r < topLevelItemCount(); ++r) {
            if (!(flags & LVNI_SELECTED) || topLevelItem(r)->isSelected()) {
                return r;
            }
        }
        return -1;
    }

    LRESULT setGrayed(int at, bool grayed) {
        QTreeWidgetItem* row = topLevelItem(at);
        if (!row) {
            return FALSE;
        }
        row->setData(0, kGrayed, grayed);
        if (grayed) {
            row->setSelected(false);
            row->setFlags(row->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsSelectable));
        } else {
            row->setFlags(row->flags() | Qt::ItemIsSelectable);
            makeCheckable(row);
        }
        const QBrush text(ToQColor(GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)));
        for (int c = 0; c < columnCount(); ++c) {
            row->setForeground(c, text);
        }
        return TRUE;
    }

    DWORD m_exStyle = 0;
    bool m_checkBoxes = false;

    // The header's model is the tree's: a column lives as a header label plus its width.
    QStringList headings() const {
        QStringList labels;
        for (int i = 0; i < columnCount(); ++i) {
            labels << headerItem()->text(i);
        }
        return labels;
    }

    LRESULT insertColumn(int at, const LVCOLUMN* column) {
        if (!column || at < 0) {
            return -1;
        }
        at = std::min(at, columnCount());
        QStringList labels = headings();
        std::vector<int> widths;
        for (int i = 0; i < columnCount(); ++i) {
            widths.push_back(columnWidth(i));
        }
        labels.insert(at, (column->mask & LVCF_TEXT) && column->pszText
                              ? QString::fromUtf8(column->pszText)
                              : QString());
        // Rows keep their texts in their own columns: shift those right of the new one.
        for (int r = 0; r < topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = topLevelItem(r);
            for (int c = columnCount(); c > at; --c) {
                row->setText(c, row->text(c - 1));
            }
            row->setText(at, QString());
        }
        setHeaderLabels(labels);
        widths.insert(widths.begin() + at, 0);
        m_alignment.insert(m_alignment.begin() + at, Qt::AlignLeft | Qt::AlignVCenter);
        for (int i = 0; i < columnCount(); ++i) {
            setColumnWidth(i, widths[static_cast<size_t>(i)]);
        }
        applyFormat(at, column);
        if (!(column->mask & LVCF_WIDTH) || column->cx < 0) {
            resizeColumnToContents(at);
        }
        return at;
    }

    void applyFormat(int at, const LVCOLUMN* column) {
        if ((column->mask & LVCF_WIDTH) && column->cx >= 0) {
            setColumnWidth(at, column->cx);
        }
        if (column->mask & LVCF_FMT) {
            m_alignment[static_cast<size_t>(at)] =
                ((column->fmt & LVCFMT_RIGHT)    ? Qt::AlignRight
                 : (column->fmt & LVCFMT_CENTER) ? Qt::AlignHCenter
                                                 : Qt::AlignLeft) |
                Qt::AlignVCenter;
        }
        realign();
    }

    // Header and rows take each column's alignment.
    void realign() {
        for (int c = 0; c < columnCount(); ++c) {
            headerItem()->setTextAlignment(c, m_alignment[static_cast<size_t>(c)]);
            for (int r = 0; r < topLevelItemCount(); ++r) {
                topLevelItem(r)->setTextAlignment(c, m_alignment[static_cast<size_t>(c)]);
            }
        }
    }

    LRESULT deleteColumn(int at) {
        if (at < 0 || at >= columnCount()) {
            return FALSE;
        }
        QStringList labels = headings();
        labels.removeAt(at);
        for (int r = 0; r < topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = topLevelItem(r);
            for (int c = at; c + 1 < columnCount(); ++c) {
                row->setText(c, row->text(c + 1));
            }
        }
        m_alignment.erase(m_alignment.begin() + at);
        setColumnCount(columnCount() - 1);
        setHeaderLabels(labels);
        realign();
        return TRUE;
    }

    LRESULT getColumn(int at, LVCOLUMN* column) const {
        if (!column || at < 0 || at >= columnCount()) {
            return FALSE;
        }
        if (column->mask & LVCF_TEXT) {
            CopyUtf8(headerItem()->text(at), column->pszText, column->cchTextMax);
        }
        if (column->mask & LVCF_WIDTH) {
            column->cx = columnWidth(at);
        }
        if (column->mask & LVCF_FMT) {
            column->fmt = (headerItem()->textAlignment(at) & Qt::AlignRight)     ? LVCFMT_RIGHT
                          : (headerItem()->textAlignment(at) & Qt::AlignHCenter) ? LVCFMT_CENTER
                                                                                 : LVCFMT_LEFT;
        }
        return TRUE;
    }

    LRESULT setColumn(int at, const LVCOLUMN* column) {
        if (!column || at < 0 || at >= columnCount()) {
            return FALSE;
        }
        if ((column->mask & LVCF_TEXT) && column->pszText) {
            headerItem()->setText(at, QString::fromUtf8(column->pszText));
        }
        if (column->mask & (LVCF_WIDTH | LVCF_FMT)) {
            applyFormat(at, column);
        }
        return TRUE;
    }

    LRESULT setWidth(int at, int cx) {
        if (at < 0 || at >= columnCount()) {
            return FALSE;
        }
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
        if (!item || item->iItem < 0) {
            return -1;
        }
        const int at = std::min(item->iItem, topLevelItemCount());
        auto* row = new QTreeWidgetItem;
        for (int c = 0; c < columnCount(); ++c) {
            row->setTextAlignment(c, m_alignment[static_cast<size_t>(c)]);
        }
        if ((item->mask & LVIF_TEXT) && item->pszText) {
            row->setText(0, QString::fromUtf8(item->pszText));
        }
        makeCheckable(row);
        insertTopLevelItem(at, row);
        return at;
    }

    LRESULT setItemText(int at, const LVITEM* item) {
        QTreeWidgetItem* row = topLevelItem(at);
        if (!row || !item || item->iSubItem < 0 || item->iSubItem >= columnCount()) {
            return FALSE;
        }
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

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    return static_cast<DWORD>(
        SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE));
}

BOOL CListCtrl::GetCheck(int nItem) const {
    return GetItemState(nItem, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    return static_cast<UINT>(::SendMessage(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(nItem),
                                           static_cast<LPARAM>(nMask)));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEM item;
    item.mask = LVIF_STATE;
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(nItem),
                                          static_cast<LPARAM>(nFlags)));
}

BOOL CListCtrl::SetItemGrayed(int nItem, BOOL bGrayed) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMGRAYED, static_cast<WPARAM>(nItem), static_cast<LPARAM>(bGrayed)));
}

BOOL CListCtrl::IsItemGrayed(int nItem) const {
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETITEMGRAYED, static_cast<WPARAM>(nItem)));
}
