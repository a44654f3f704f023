// The drop-down list, report-view list and progress bar as a dialog's items: their messages,
// and the notification the list sends when the user picks another entry.
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/list_ctrl.h"
#include "platform/progress_ctrl.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kControlsDialog = 9501;
constexpr int kCombo = 9510;
constexpr int kList = 9511;
constexpr int kProgress = 9512;

const DialogTemplateRegistration kDialog{DialogTemplate{
    .id = kControlsDialog,
    .idName = "IDD_CONTROLS_TEST",
    .caption = "控件",
    .cx = 200,
    .cy = 120,
    .style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
    .items = {
        {kCombo, "IDC_COMBO", "COMBOBOX", "", 5, 5, 80, 14, CBS_DROPDOWNLIST | WS_TABSTOP, 0},
        {kList, "IDC_LIST", "SysListView32", "", 5, 25, 190, 60,
         LVS_REPORT | WS_BORDER | WS_TABSTOP, 0},
        {kProgress, "IDC_PROGRESS", "msctls_progress32", "", 5, 95, 190, 10, WS_BORDER, 0},
    }}};

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(kControlsDialog) {}
    CComboBox m_combo;
    CListCtrl m_list;
    CProgressCtrl m_progress;
    std::vector<std::pair<UINT, int>> notices;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_combo.SubclassDlgItem(kCombo, this);
        m_list.SubclassDlgItem(kList, this);
        m_progress.SubclassDlgItem(kProgress, this);
        return TRUE;
    }
    BOOL OnCmdMsg(UINT nID, int nCode) override {
        notices.emplace_back(nID, nCode);
        return TRUE;
    }
    void Open() {
        ASSERT_TRUE(Create());
        QApplication::setActiveWindow(m_hWnd);
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_hWnd));
    }
};

std::string HeadingOf(const CListCtrl& list, int column) {
    char text[64] = "unchanged";
    LVCOLUMN c;
    c.mask = LVCF_TEXT;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    return list.GetColumn(column, &c) ? text : "<none>";
}

std::vector<std::string> Row(const CListCtrl& list, int row, int columns) {
    std::vector<std::string> texts;
    for (int c = 0; c < columns; ++c) {
        texts.push_back(list.GetItemText(row, c).str());
    }
    return texts;
}

TEST(ComboBox, EntriesAndSelectionAnswerTheirMessages) {
    ControlsDialog dlg;
    dlg.Open();
    EXPECT_EQ(dlg.m_combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(dlg.m_combo.AddString("正算"), 0);
    EXPECT_EQ(dlg.m_combo.AddString("反算"), 1);
    EXPECT_EQ(dlg.m_combo.AddString("三度带 --> 六度带"), 2);
    EXPECT_EQ(dlg.m_combo.GetCount(), 3);
    struct Case {
        int select;
        int returned;
        int selected;
    };
    const Case cases[] = {
        {1, 1, 1}, {2, 2, 2}, {3, CB_ERR, CB_ERR}, {0, 0, 0}, {-1, CB_ERR, CB_ERR}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.select);
        EXPECT_EQ(dlg.m_combo.SetCurSel(c.select), c.returned);
        EXPECT_EQ(dlg.m_combo.GetCurSel(), c.selected);
    }
    EXPECT_EQ(dlg.m_combo.GetLBText(2), "三度带 --> 六度带");
    EXPECT_EQ(dlg.m_combo.GetLBText(3), "");
    EXPECT_EQ(dlg.m_combo.GetLBText(-1), "");
    dlg.m_combo.ResetContent();
    EXPECT_EQ(dlg.m_combo.GetCount(), 0);
    // The program's own selections never notify.
    EXPECT_TRUE(dlg.notices.empty());
}

TEST(ComboBox, TheUsersChoiceTellsTheParentOnceForEachChange) {
    ControlsDialog dlg;
    dlg.Open();
    for (const char* text : {"WGS1984", "西安1980", "北京1954"}) {
        dlg.m_combo.AddString(text);
    }
    dlg.m_combo.SetCurSel(0);
    QWidget* combo = dlg.m_combo.m_hWnd;
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down); // already at the last entry: no change
    const std::vector<std::pair<UINT, int>> expected{{kCombo, CBN_SELCHANGE},
                                                     {kCombo, CBN_SELCHANGE}};
    EXPECT_EQ(dlg.notices, expected);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 2);
    dlg.m_combo.SetCurSel(0);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(dlg.notices.size(), 3u);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 1);
}

TEST(ListCtrl, ColumnsCarryTheirHeadingsAndRowsKeepTheirTextsAcrossColumnChanges) {
    ControlsDialog dlg;
    dlg.Open();
    CListCtrl& list = dlg.m_list;
    EXPECT_EQ(list.InsertColumn(0, "点名"), 0);
    EXPECT_EQ(list.InsertColumn(5, "Y", LVCFMT_RIGHT, 80), 1); // past the end: appended
    EXPECT_EQ(list.InsertColumn(1, "X", LVCFMT_RIGHT, 80), 1);
    EXPECT_EQ(list.InsertColumn(-1, "bad"), -1);
    EXPECT_EQ(HeadingOf(list, 0), "点名");
    EXPECT_EQ(HeadingOf(list, 1), "X");
    EXPECT_EQ(HeadingOf(list, 2), "Y");
    EXPECT_EQ(HeadingOf(list, 3), "<none>");
    auto* tree = static_cast<QTreeWidget*>(list.m_hWnd);
    EXPECT_EQ(tree->headerItem()->text(1), QStringLiteral("X"));
    EXPECT_EQ(tree->columnWidth(2), 80);

    EXPECT_EQ(list.InsertItem(0, "P2"), 0);
    EXPECT_EQ(list.InsertItem(0, "P1"), 0);
    EXPECT_EQ(list.InsertItem(9, "P3"), 2);
    EXPECT_TRUE(list.SetItemText(0, 1, "3386902.25"));
    EXPECT_TRUE(list.SetItemText(0, 2, "18399692.74"));
    EXPECT_FALSE(list.SetItemText(0, 3, "no such column"));
    EXPECT_FALSE(list.SetItemText(7, 0, "no such row"));
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(Row(list, 0, 3), (std::vector<std::string>{"P1", "3386902.25", "18399692.74"}));
    EXPECT_EQ(Row(list, 2, 1), (std::vector<std::string>{"P3"}));

    // A column inserted between keeps every row's texts under their own headings.
    EXPECT_EQ(list.InsertColumn(1, "其他"), 1);
    EXPECT_EQ(Row(list, 0, 4), (std::vector<std::string>{"P1", "", "3386902.25", "18399692.74"}));
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(Row(list, 0, 3), (std::vector<std::string>{"", "3386902.25", "18399692.74"}));
    EXPECT_EQ(HeadingOf(list, 0), "其他");
    LVCOLUMN code;
    code.mask = LVCF_TEXT;
    code.pszText = const_cast<char*>("代码");
    EXPECT_TRUE(list.SetColumn(0, &code));
    EXPECT_EQ(HeadingOf(list, 0), "代码");
    EXPECT_FALSE(list.DeleteColumn(3));

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetItemText(0, 0), "");
}

TEST(ListCtrl, TextsOfAnyLengthReadBackWholeAndBuffersAreCutOnCharacterBoundaries) {
    ControlsDialog dlg;
    dlg.Open();
    CListCtrl& list = dlg.m_list;
    list.InsertColumn(0, "说明");
    std::string message;
    for (int i = 0; i < 200; ++i) {
        message += "第";
    }
    list.InsertItem(0, message.c_str());
    EXPECT_EQ(list.GetItemText(0, 0).str(), message); // 600 bytes, past the first buffer
    // A heading read into a small buffer ends before the character that does not fit.
    char text[5];
    LVCOLUMN c;
    c.mask = LVCF_TEXT;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    ASSERT_TRUE(list.GetColumn(0, &c));
    EXPECT_EQ(std::string(text), "说");
}

TEST(ProgressCtrl, ThePositionStaysInTheRangeAndTheBarFollowsIt) {
    ControlsDialog dlg;
    dlg.Open();
    CProgressCtrl& bar = dlg.m_progress;
    auto* widget = static_cast<QProgressBar*>(bar.m_hWnd);
    EXPECT_FALSE(widget->isTextVisible());
    bar.SetRange32(0, 1000);
    int low = -1, high = -1;
    bar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1000);
    struct Case {
        int pos;
        int previous;
        int now;
    };
    const Case cases[] = {{250, 0, 250}, {1000, 250, 1000}, {1200, 1000, 1000}, {-5, 1000, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pos);
        EXPECT_EQ(bar.SetPos(c.pos), c.previous);
        EXPECT_EQ(bar.GetPos(), c.now);
        EXPECT_EQ(widget->value(), c.now);
    }
    bar.SetPos(800);
    bar.SetRange32(0, 500);
    EXPECT_EQ(bar.GetPos(), 500);
    EXPECT_EQ(widget->maximum(), 500);
}

} // namespace
