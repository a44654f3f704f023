// Dialogs from templates: placement in dialog units, names, tab order and first focus, Enter
// and Escape, the close box, the menu bar, command routing to the application, DoModal.
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/edit.h"
#include "platform/win_app.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <vector>

namespace {

constexpr int kTestDialog = 9101;
constexpr int kTestMenu = 9102;
constexpr int kFirstEdit = 9110;
constexpr int kSecondEdit = 9111;
constexpr int kDisabledEdit = 9112;
constexpr int kButton = 9113;
constexpr int kMenuCommand = 9120;
constexpr int kAppCommand = 9121;

const MenuTemplateRegistration kMenu{MenuTemplate{
    .id = kTestMenu,
    .idName = "IDR_TEST_MENU",
    .items = {{.text = "文件(&F)",
               .id = 0,
               .popup = {{.text = "命令(&C)", .id = kMenuCommand, .popup = {}},
                         {.text = "应用(&A)", .id = kAppCommand, .popup = {}}}}},
}};

const DialogTemplateRegistration kDialog{DialogTemplate{
    .id = kTestDialog,
    .idName = "IDD_TEST",
    .caption = "测试",
    .cx = 120,
    .cy = 80,
    .pointSize = 9,
    .fontFace = "宋体",
    .style = DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
    .exStyle = 0,
    .menuId = kTestMenu,
    .items = {
        {-1, nullptr, "STATIC", "标签", 5, 5, 30, 9, SS_LEFT, 0},
        {kDisabledEdit, "IDC_DISABLED", "EDIT", "", 40, 3, 30, 13,
         WS_BORDER | WS_TABSTOP | WS_DISABLED, 0},
        {kSecondEdit, "IDC_SECOND", "EDIT", "", 40, 19, 30, 13, WS_BORDER | WS_TABSTOP, 0},
        {kFirstEdit, "IDC_FIRST", "EDIT", "", 40, 35, 30, 13, WS_BORDER | WS_TABSTOP, 0},
        {-1, nullptr, "BUTTON", "框", 1, 50, 117, 29, BS_GROUPBOX, 0},
        {kButton, "IDC_BUTTON", "BUTTON", "按钮", 75, 3, 41, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
        {-1, nullptr, "STATIC", "128", 95, 55, 20, 20, SS_ICON, 0},
    }}};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(kTestDialog) {}
    std::vector<UINT> commands;
    int oks = 0;
    int cancels = 0;
    BOOL refuseCancel = FALSE;
    BOOL focusItself = FALSE;
    CEdit m_first;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_first.SubclassWindow(GetDlgItem(kFirstEdit)->m_hWnd);
        if (focusItself) {
            m_first.SetFocus();
            return FALSE;
        }
        return TRUE;
    }
    void OnOK() override { ++oks; }
    void OnCancel() override {
        ++cancels;
        if (!refuseCancel) {
            CDialog::OnCancel();
        }
    }
    BOOL OnCmdMsg(UINT nID, int nCode) override {
        // Commands only: the fields' change notifications come this way too.
        if (nCode == BN_CLICKED) {
            commands.push_back(nID);
        }
        if (nID == kMenuCommand) {
            return TRUE;
        }
        return CDialog::OnCmdMsg(nID, nCode);
    }
};

class RecordingApp : public CWinApp {
public:
    RecordingApp() : CWinApp("test") {}
    std::vector<UINT> commands;
    BOOL OnCmdMsg(UINT nID, int) override {
        commands.push_back(nID);
        return TRUE;
    }
};

QWidget* Item(const CDialog& dlg, const char* name) {
    return dlg.m_hWnd->findChild<QWidget*>(QString::fromUtf8(name));
}

void Show(CDialog& dlg) {
    ASSERT_TRUE(dlg.Create());
    QApplication::setActiveWindow(dlg.m_hWnd);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.m_hWnd));
}

QRect ClientRect(const CDialog& dlg, QWidget* w) {
    const auto* bar = dlg.m_hWnd->findChild<QMenuBar*>();
    return w->geometry().translated(0, bar ? -bar->height() : 0);
}

TEST(DialogUnits, TheSongFaceAtNinePointsGivesSixByTwelve) {
    TestDialog dlg;
    Show(dlg);
    const CSize units = dlg.GetDialogBaseUnits();
    EXPECT_EQ(units.cx, 6);
    EXPECT_EQ(units.cy, 12);
    EXPECT_EQ(QFontInfo(dlg.m_hWnd->font()).family(), QStringLiteral("AR PL UMing CN"));
}

TEST(DialogUnits, ItemsSitAtOneAndAHalfPixelsPerUnitBelowTheMenuBar) {
    TestDialog dlg;
    Show(dlg);
    struct Case {
        const char* name;
        QRect pixels;
    };
    const Case cases[] = {
        {"IDC_STATIC_0", QRect(8, 8, 45, 13)},   // 5, 5, 30, 9 (7.5 rounds up)
        {"IDC_SECOND", QRect(60, 29, 45, 19)},   // 40, 19, 30, 13
        {"IDC_FIRST", QRect(60, 53, 45, 19)},    // 40, 35, 30, 13
        {"IDC_STATIC_4", QRect(2, 75, 175, 44)}, // 1, 50, 117, 29
        {"IDC_BUTTON", QRect(113, 5, 61, 21)},   // 75, 3, 41, 14
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = Item(dlg, c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(ClientRect(dlg, w), c.pixels);
    }
    const auto* bar = dlg.m_hWnd->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(dlg.m_hWnd->size(), QSize(180, 120 + bar->height()));
    EXPECT_EQ(dlg.m_hWnd->objectName(), QStringLiteral("IDD_TEST"));
    EXPECT_EQ(dlg.m_hWnd->windowTitle(), QStringLiteral("测试"));
}

TEST(DialogItems, AnIconStaticShowsTheIconItsCaptionNames) {
    TestDialog dlg;
    Show(dlg);
    auto* label = qobject_cast<QLabel*>(Item(dlg, "IDC_STATIC_6"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->pixmap().size(), QSize(32, 32));
    EXPECT_TRUE(label->text().isEmpty());
}

TEST(DialogFocus, TheFirstEnabledTabStopInTemplateOrderHasTheFocus) {
    TestDialog dlg;
    Show(dlg);
    EXPECT_EQ(QApplication::focusWidget(), Item(dlg, "IDC_SECOND"));
}

TEST(DialogFocus, AnInitialisationThatPlacesTheFocusKeepsIt) {
    TestDialog dlg;
    dlg.focusItself = TRUE;
    Show(dlg);
    EXPECT_EQ(QApplication::focusWidget(), Item(dlg, "IDC_FIRST"));
}

TEST(DialogFocus, TabWalksTheTabStopsInTemplateOrder) {
    TestDialog dlg;
    Show(dlg);
    const char* order[] = {"IDC_FIRST", "IDC_BUTTON", "IDC_SECOND"};
    for (const char* name : order) {
        SCOPED_TRACE(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Item(dlg, name));
    }
}

TEST(DialogKeys, EnterIsTheOkCommandAndNeverReachesTheField) {
    TestDialog dlg;
    Show(dlg);
    auto* edit = qobject_cast<QLineEdit*>(Item(dlg, "IDC_SECOND"));
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(dlg.oks, 2);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
    EXPECT_EQ(dlg.commands, (std::vector<UINT>{IDOK, IDOK}));
}

TEST(DialogKeys, EscapeAndTheCloseBoxAreTheCancelCommand) {
    struct Case {
        const char* how;
        bool escape;
    };
    const Case cases[] = {{"Escape", true}, {"close box", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        TestDialog dlg;
        Show(dlg);
        if (c.escape) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            dlg.m_hWnd->close();
        }
        EXPECT_EQ(dlg.cancels, 1);
        EXPECT_FALSE(dlg.m_hWnd->isVisible());
        EXPECT_EQ(dlg.GetModalResult(), IDCANCEL);
    }
}

TEST(DialogKeys, ACancelHandlerThatDoesNotEndTheDialogKeepsItOpen) {
    TestDialog dlg;
    dlg.refuseCancel = TRUE;
    Show(dlg);
    dlg.m_hWnd->close();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dlg.cancels, 2);
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
}

// Opens the bar's first menu by mouse and clicks its entry `index`.
void ChooseMenuItem(CDialog& dlg, int index) {
    auto* bar = dlg.m_hWnd->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QAction* top = bar->actions().at(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
    QMenu* menu = top->menu();
    ASSERT_TRUE(menu->isVisible());
    QAction* item = menu->actions().at(index);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

TEST(DialogMenu, AMenuItemIsACommandOfTheDialogAndUnhandledOnesReachTheApplication) {
    RecordingApp app;
    TestDialog dlg;
    Show(dlg);
    ChooseMenuItem(dlg, 0);
    ChooseMenuItem(dlg, 1);
    EXPECT_EQ(dlg.commands, (std::vector<UINT>{kMenuCommand, kAppCommand}));
    EXPECT_EQ(app.commands, (std::vector<UINT>{kAppCommand}));
    const auto* bar = dlg.m_hWnd->findChild<QMenuBar*>();
    EXPECT_EQ(bar->objectName(), QStringLiteral("IDR_TEST_MENU"));
}

TEST(DialogModal, DoModalRunsOverTheMainWindowAndReturnsTheEndingId) {
    RecordingApp app;
    TestDialog main;
    Show(main);
    app.m_pMainWnd = &main;
    TestDialog modal;
    QWidget* ownerSeen = nullptr;
    bool ranModally = false;
    QTimer::singleShot(0, [&] {
        ownerSeen = modal.m_hWnd->parentWidget();
        ranModally = modal.m_hWnd->isVisible() && QApplication::activeModalWidget() == modal.m_hWnd;
        QTest::keyClick(modal.m_hWnd, Qt::Key_Escape);
    });
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_TRUE(ranModally);
    EXPECT_EQ(ownerSeen, main.m_hWnd);
    EXPECT_EQ(modal.m_hWnd, nullptr); // the window is gone once DoModal returns
    EXPECT_EQ(modal.m_first.m_hWnd, nullptr);
}

TEST(DialogModal, AMissingTemplateFailsAtOnce) {
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

} // namespace
