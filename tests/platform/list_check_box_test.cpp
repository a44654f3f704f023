// The report list's check boxes, greyed rows and change notifications, the multi-line edit,
// shapes, and the accessible names lists and drawings take from their labels.
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/edit.h"
#include "platform/list_ctrl.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

constexpr int kCheckDialog = 9601;
constexpr int kList = 9610;
constexpr int kText = 9611;
constexpr int kDrawing = 9612;
constexpr int kAfter = 9613;

const DialogTemplateRegistration kDialog{DialogTemplate{
    .id = kCheckDialog,
    .idName = "IDD_CHECK_TEST",
    .caption = "公共点",
    .cx = 220,
    .cy = 200,
    .style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
    .items = {
        {-1, nullptr, "STATIC", "公共点:", 5, 2, 60, 8, SS_LEFT, 0},
        {kList, "IDC_LIST", "SysListView32", "", 5, 12, 210, 80,
         LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP, 0},
        {-1, nullptr, "STATIC", "结果:", 5, 96, 60, 8, SS_LEFT, 0},
        {kText, "IDC_TEXT", "EDIT", "", 5, 106, 100, 50,
         ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0},
        {-1, nullptr, "STATIC", "残差图:", 110, 96, 60, 8, SS_LEFT, 0},
        {kDrawing, "IDC_DRAWING", "STATIC", "", 110, 106, 100, 50, SS_NOTIFY | WS_TABSTOP, 0},
        {kAfter, "IDC_AFTER", "BUTTON", "关闭", 5, 170, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    }}};

struct Notice {
    int row;
    UINT newState;
    UINT oldState;
    bool operator==(const Notice&) const = default;
};

class CheckDialog : public CDialog {
public:
    CheckDialog() : CDialog(kCheckDialog) {}
    CListCtrl m_list;
    CEdit m_text;
    std::vector<Notice> notices;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.SubclassDlgItem(kList, this);
        m_text.SubclassDlgItem(kText, this);
        return TRUE;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message == WM_NOTIFY) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            EXPECT_EQ(change->hdr.code, LVN_ITEMCHANGED);
            EXPECT_EQ(change->hdr.idFrom, static_cast<UINT_PTR>(kList));
            notices.push_back({change->iItem, change->uNewState, change->uOldState});
            *pResult = 0;
            return TRUE;
        }
        return CDialog::OnWndMsg(message, wParam, lParam, pResult);
    }
    void Open() {
        ASSERT_TRUE(Create());
        QApplication::setActiveWindow(m_hWnd);
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_hWnd));
        m_list.InsertColumn(0, "点名", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "说明", LVCFMT_LEFT, 80);
        for (const char* name : {"P1", "P2", "P3"}) {
            m_list.InsertItem(m_list.GetItemCount(), name);
        }
        m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        notices.clear();
    }
};

const UINT kClear = INDEXTOSTATEIMAGEMASK(1);
const UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

TEST(ListCheckBoxes, TheProgramAndTheSpaceKeyTickRowsAndEachChangeTellsTheParentOnce) {
    CheckDialog dlg;
    dlg.Open();
    CListCtrl& list = dlg.m_list;
    EXPECT_EQ(list.GetExtendedStyle() & LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_TRUE(list.SetCheck(0));
    EXPECT_TRUE(list.SetCheck(0)); // no change: no notice
    EXPECT_TRUE(list.GetCheck(0));
    EXPECT_EQ(list.GetItemState(0, LVIS_STATEIMAGEMASK), kTicked);
    EXPECT_EQ(dlg.notices, (std::vector<Notice>{{0, kTicked, kClear}}));

    // A row added later has its check box too, clear.
    EXPECT_EQ(list.InsertItem(3, "P4"), 3);
    EXPECT_EQ(list.GetItemState(3, LVIS_STATEIMAGEMASK), kClear);

    dlg.notices.clear();
    auto* tree = static_cast<QTreeWidget*>(list.m_hWnd);
    tree->setFocus();
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_TRUE(list.GetCheck(1));
    // From another column too: the row's box, not the cell's.
    tree->setCurrentIndex(tree->model()->index(1, 1));
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_FALSE(list.GetCheck(1));
    EXPECT_EQ(dlg.notices, (std::vector<Notice>{
                               {1, LVIS_SELECTED, 0}, {1, kTicked, kClear}, {1, kClear, kTicked}}));
}

TEST(ListCheckBoxes, SelectionMovesTellTheParentOfTheRowLeftAndTheRowChosen) {
    CheckDialog dlg;
    dlg.Open();
    CListCtrl& list = dlg.m_list;
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    auto* tree = static_cast<QTreeWidget*>(list.m_hWnd);
    const QRect third = tree->visualItemRect(tree->topLevelItem(2));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, third.center() + QPoint(30, 0));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetNextItem(0, LVNI_ALL), 1);
    EXPECT_EQ(
        dlg.notices,
        (std::vector<Notice>{{0, LVIS_SELECTED, 0}, {0, 0, LVIS_SELECTED}, {2, LVIS_SELECTED, 0}}));
}

TEST(ListCheckBoxes, AGreyedRowStaysClearUnselectedAndGrey) {
    CheckDialog dlg;
    dlg.Open();
    CListCtrl& list = dlg.m_list;
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(list.SetItemGrayed(2));
    EXPECT_TRUE(list.IsItemGrayed(2));
    EXPECT_FALSE(list.IsItemGrayed(1));
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), 0u);
    list.SetCheck(2);
    EXPECT_FALSE(list.GetCheck(2));
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), 0u);
    auto* tree = static_cast<QTreeWidget*>(list.m_hWnd);
    QTreeWidgetItem* row = tree->topLevelItem(2);
    const QColor grey = row->foreground(1).color();
    EXPECT_EQ(RGB(grey.red(), grey.green(), grey.blue()), GetSysColor(COLOR_GRAYTEXT));
    const QRect greyed = tree->visualItemRect(row);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, greyed.center());
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    // Made ordinary again, it can be ticked.
    EXPECT_TRUE(list.SetItemGrayed(2, FALSE));
    list.SetCheck(2);
    EXPECT_TRUE(list.GetCheck(2));
    EXPECT_FALSE(list.SetItemGrayed(9));
}

TEST(ListRedraw, TextsSetWhileRedrawIsOffReadBackAndTicksStillTell) {
    CheckDialog dlg;
    dlg.Open();
    CListCtrl& list = dlg.m_list;
    auto* tree = static_cast<QTreeWidget*>(list.m_hWnd);
    list.SetRedraw(FALSE);
    EXPECT_FALSE(tree->updatesEnabled());
    EXPECT_TRUE(list.SetItemText(1, 1, "未选用"));
    EXPECT_EQ(list.GetItemText(1, 1).str(), "未选用");
    EXPECT_FALSE(list.SetItemText(7, 1, "x"));
    list.SetCheck(2);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(dlg.notices, (std::vector<Notice>{{2, kTicked, kClear}, {0, LVIS_SELECTED, 0}}));
    list.SetRedraw(TRUE);
    EXPECT_TRUE(tree->updatesEnabled());
    EXPECT_EQ(tree->topLevelItem(1)->text(1).toStdString(), "未选用");
    // Rows emptied while redrawing is off leave nothing behind to repaint.
    list.SetRedraw(FALSE);
    list.SetItemText(2, 1, "x");
    list.DeleteAllItems();
    list.SetRedraw(TRUE);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.InsertItem(0, "P9"), 0);
    EXPECT_TRUE(list.SetItemText(0, 1, "仅在源文件中"));
    EXPECT_EQ(list.GetItemText(0, 1).str(), "仅在源文件中");
}

TEST(MultiLineEdit, HoldsLinesReadOnlyAndLetsTabMoveOn) {
    CheckDialog dlg;
    dlg.Open();
    const std::string report = "tx  -15.4150\nty   12.0000\n\nm0 0.0100 米\n";
    dlg.m_text.SetWindowText(report.c_str());
    EXPECT_EQ(dlg.m_text.GetWindowText().str(), report);
    auto* text = static_cast<QPlainTextEdit*>(dlg.m_text.m_hWnd);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    text->setFocus();
    QTest::keyClick(text, Qt::Key_A);
    EXPECT_EQ(dlg.m_text.GetWindowText().str(), report);
    // Tab moves on to the drawing, which takes the keys, then to the button.
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("IDC_DRAWING"));
    dlg.m_text.SetReadOnly(FALSE);
    text->setFocus();
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(text, "x");
    EXPECT_EQ(dlg.m_text.GetWindowText().str(), report + "x");
}

TEST(FieldLabels, ListsTextsAndDrawingsAreNamedByTheLabelAboveThem) {
    CheckDialog dlg;
    dlg.Open();
    struct Case {
        const char* objectName;
        const char* spoken;
    };
    const Case cases[] = {{"IDC_LIST", "公共点"}, {"IDC_TEXT", "结果"}, {"IDC_DRAWING", "残差图"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.objectName);
        auto* control = dlg.m_hWnd->findChild<QWidget*>(QString::fromUtf8(c.objectName));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->accessibleName(), QString::fromUtf8(c.spoken));
    }
}

TEST(DcShapes, OutlinesWithThePenAndFillsWithTheBrushInsideTheRectangle) {
    struct Case {
        const char* name;
        bool ellipse;
        bool filled;
    };
    const Case cases[] = {{"filled ellipse", true, true},
                          {"hollow ellipse", true, false},
                          {"filled rectangle", false, true},
                          {"hollow rectangle", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(30, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        CImageDC dc(image);
        CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
        CBrush brush(RGB(0, 0, 255));
        dc.SelectObject(&pen);
        if (c.filled) {
            dc.SelectObject(&brush);
        } else {
            dc.SelectStockObject(NULL_BRUSH);
        }
        if (c.ellipse) {
            EXPECT_TRUE(dc.Ellipse(5, 5, 25, 25));
        } else {
            EXPECT_TRUE(dc.Rectangle(5, 5, 25, 25));
        }
        const QColor centre = image.pixelColor(15, 15);
        EXPECT_EQ(centre, c.filled ? QColor(0, 0, 255) : QColor(255, 255, 255));
        // Nothing at or beyond the right and bottom edges, nor outside the rectangle.
        for (int i = 0; i < 30; ++i) {
            EXPECT_EQ(image.pixelColor(25, i), QColor(Qt::white));
            EXPECT_EQ(image.pixelColor(i, 25), QColor(Qt::white));
            EXPECT_EQ(image.pixelColor(4, i), QColor(Qt::white));
        }
        // The outline is red where the shape meets its rectangle's left edge.
        EXPECT_EQ(image.pixelColor(5, 15).red(), 255);
        EXPECT_LT(image.pixelColor(5, 15).blue(), 128);
    }
    QImage image(10, 10, QImage::Format_RGB32);
    CImageDC dc(image);
    EXPECT_FALSE(dc.Ellipse(5, 5, 5, 9)); // an empty rectangle draws nothing
}

} // namespace
