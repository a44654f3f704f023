// Group boxes hold the controls inside them (so assistive technology hears a group with its
// contents), while the layer's callers still see the dialog as those controls' parent: found by
// id, listed, moved and notified as before, and nothing moves on the screen.
#include "platform/dialog.h"
#include "platform/dialog_template.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <vector>

namespace {

constexpr int kGroupDialog = 9801;
constexpr int kNorth = 9810;
constexpr int kSouth = 9811;
constexpr int kDistance = 9812;
constexpr int kFrame = 9813;
constexpr int kOutside = 9814;

const DialogTemplateRegistration kDialog{DialogTemplate{
    .id = kGroupDialog,
    .idName = "IDD_GROUP_TEST",
    .caption = "分组",
    .cx = 160,
    .cy = 100,
    .pointSize = 9,
    .fontFace = "宋体",
    .style = DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
    .exStyle = 0,
    .menuId = 0,
    .items = {
        {kNorth, "IDC_NORTH", "BUTTON", "北(&N)", 12, 14, 40, 10,
         BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0},
        {kSouth, "IDC_SOUTH", "BUTTON", "南(&S)", 12, 28, 40, 10, BS_AUTORADIOBUTTON, 0},
        {-1, nullptr, "STATIC", "距离(&D):", 12, 44, 30, 8, SS_LEFT | WS_GROUP, 0},
        {kDistance, "IDC_DISTANCE", "EDIT", "", 44, 42, 40, 13, WS_BORDER | WS_TABSTOP, 0},
        {kFrame, "IDC_FRAME", "BUTTON", "方向", 5, 3, 100, 60, BS_GROUPBOX, 0},
        {kOutside, "IDC_OUTSIDE", "BUTTON", "确定", 110, 80, 45, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    }}};

class GroupDialog : public CDialog {
public:
    GroupDialog() : CDialog(kGroupDialog) {}
    std::vector<std::pair<UINT, int>> commands;
    std::vector<CPoint> clicks;

    BOOL OnCmdMsg(UINT nID, int nCode) override {
        commands.emplace_back(nID, nCode);
        return TRUE;
    }
    void OnLButtonDown(UINT, CPoint point) override { clicks.push_back(point); }
};

class GroupBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        QApplication::setActiveWindow(dlg.m_hWnd);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.m_hWnd));
    }
    QWidget* Item(const char* name) const {
        return dlg.m_hWnd->findChild<QWidget*>(QString::fromUtf8(name));
    }
    // Where a control is in the dialog, whatever holds it.
    QRect InDialog(const char* name) const {
        QWidget* w = Item(name);
        return QRect(w->mapTo(dlg.m_hWnd, QPoint(0, 0)), w->size());
    }
    GroupDialog dlg;
};

TEST_F(GroupBoxTest, TheControlsInsideAGroupBoxAreItsChildrenWhereTheTemplatePutsThem) {
    struct Case {
        const char* name;
        bool inFrame;
        QRect pixels; // template rectangle at 1.5 pixels per unit, in the dialog
    };
    const Case cases[] = {
        {"IDC_NORTH", true, QRect(18, 21, 60, 15)},
        {"IDC_SOUTH", true, QRect(18, 42, 60, 15)},
        {"IDC_STATIC_2", true, QRect(18, 66, 45, 12)},
        {"IDC_DISTANCE", true, QRect(66, 63, 60, 20)},
        {"IDC_FRAME", false, QRect(8, 5, 150, 90)},
        {"IDC_OUTSIDE", false, QRect(165, 120, 68, 21)},
    };
    QWidget* frame = Item("IDC_FRAME");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(Item(c.name), nullptr);
        EXPECT_EQ(Item(c.name)->parentWidget(), c.inFrame ? frame : dlg.m_hWnd);
        EXPECT_EQ(InDialog(c.name), c.pixels);
        EXPECT_TRUE(Item(c.name)->isVisible());
    }
}

TEST_F(GroupBoxTest, AScreenReaderHearsTheGroupWithItsRadioButtonsAndTheGroupTakesNoFocus) {
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(Item("IDC_FRAME"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("方向"));
    EXPECT_FALSE(group->state().focusable);
    std::vector<QString> radios;
    for (int i = 0; i < group->childCount(); ++i) {
        if (group->child(i)->role() == QAccessible::RadioButton) {
            radios.push_back(group->child(i)->text(QAccessible::Name));
        }
    }
    EXPECT_EQ(radios, (std::vector<QString>{QStringLiteral("北"), QStringLiteral("南")}));
    EXPECT_EQ(group->child(0)->object(), Item("IDC_NORTH")) << "read in template order";
}

TEST_F(GroupBoxTest, TheLayerStillCallsTheDialogTheParentAndListsItsControlsInTemplateOrder) {
    CWnd* distance = dlg.GetDlgItem(kDistance);
    ASSERT_NE(distance, nullptr);
    EXPECT_EQ(distance->m_hWnd, Item("IDC_DISTANCE"));
    ASSERT_NE(distance->GetParent(), nullptr);
    EXPECT_EQ(distance->GetParent()->m_hWnd, dlg.m_hWnd);
    std::vector<int> ids;
    for (CWnd* w = dlg.GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT)) {
        ids.push_back(w->GetDlgCtrlID());
    }
    EXPECT_EQ(ids, (std::vector<int>{kNorth, kSouth, -1, kDistance, kFrame, kOutside}));
    EXPECT_EQ(dlg.GetDlgItem(kFrame)->GetWindow(GW_CHILD), nullptr);
}

TEST_F(GroupBoxTest, NotificationsFromInsideTheGroupReachTheDialog) {
    QTest::mouseClick(Item("IDC_SOUTH"), Qt::LeftButton);
    QTest::keyClicks(Item("IDC_DISTANCE"), "12");
    const std::vector<std::pair<UINT, int>> expected{
        {kSouth, BN_CLICKED}, {kDistance, EN_CHANGE}, {kDistance, EN_CHANGE}};
    EXPECT_EQ(dlg.commands, expected);
    EXPECT_TRUE(static_cast<QRadioButton*>(Item("IDC_SOUTH"))->isChecked());
    EXPECT_FALSE(static_cast<QRadioButton*>(Item("IDC_NORTH"))->isChecked());
}

TEST_F(GroupBoxTest, ALabelsMnemonicAndTheRadioGroupsTabStopWorkInsideTheGroup) {
    QTest::keyClick(dlg.m_hWnd, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Item("IDC_DISTANCE"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Item("IDC_OUTSIDE"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Item("IDC_NORTH"));
    QTest::keyClick(Item("IDC_NORTH"), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Item("IDC_SOUTH"));
    EXPECT_TRUE(static_cast<QRadioButton*>(Item("IDC_SOUTH"))->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Item("IDC_DISTANCE")) << "the group is one stop";
}

TEST_F(GroupBoxTest, AClickOnTheGroupBoxFrameReachesTheDialogBeneath) {
    QTest::mouseClick(Item("IDC_FRAME"), Qt::LeftButton, {}, QPoint(140, 80));
    ASSERT_EQ(dlg.clicks.size(), 1u);
    EXPECT_EQ(dlg.clicks[0], CPoint(148, 85));
}

// Controls are moved in the dialog's coordinates; a moved group box leaves the controls it
// frames where they were, as it would on the desktop.
TEST_F(GroupBoxTest, MovingFollowsTheDialogsCoordinates) {
    dlg.GetDlgItem(kDistance)->MoveWindow(70, 60, 50, 20);
    EXPECT_EQ(InDialog("IDC_DISTANCE"), QRect(70, 60, 50, 20));
    dlg.GetDlgItem(kFrame)->MoveWindow(4, 4, 160, 100);
    EXPECT_EQ(InDialog("IDC_FRAME"), QRect(4, 4, 160, 100));
    EXPECT_EQ(InDialog("IDC_DISTANCE"), QRect(70, 60, 50, 20));
    EXPECT_EQ(InDialog("IDC_NORTH"), QRect(18, 21, 60, 15));
    dlg.GetDlgItem(kNorth)->SetWindowPos(nullptr, 20, 22, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(InDialog("IDC_NORTH"), QRect(20, 22, 60, 15));
    CRect rect;
    dlg.GetDlgItem(kNorth)->GetWindowRect(&rect);
    dlg.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(20, 22, 80, 37));
}

} // namespace
