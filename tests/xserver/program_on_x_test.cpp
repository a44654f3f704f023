// The desktop program on a real X server (Xvfb, no window manager), driven through its real
// entry with pointer and keys from xdotool: what the offscreen platform cannot show. Each test
// is a script of steps; a step waits for what the server reports (exposure, activation, focus,
// a window appearing) before it acts, so nothing depends on how long anything takes.
#include "app/batch_dlg.h"
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "app/fit_dlg.h"
#include "platform/win_app.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

int g_argc = 0;
char** g_argv = nullptr;

// xdotool only sends the events; the steps wait for their effects.
void Xdotool(const QStringList& args) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0)
        << args.join(' ').toStdString();
}

// The server takes the motion before any later event from xdotool, so no wait is needed here.
void PointerTo(QPoint global) {
    Xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
}

void ClickOn(QWidget* widget) {
    PointerTo(widget->mapToGlobal(widget->rect().center()));
    Xdotool({"click", "1"});
}

void TypeText(const char* text) {
    Xdotool({"type", "--delay", "0", QString::fromUtf8(text)});
}

void Key(const char* key) {
    Xdotool({"key", QString::fromUtf8(key)});
}

struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
};

// The application with a script: its steps run from a timer inside the program's own event
// loops (the form's and any prompt's), each as soon as what it waits for holds.
class ScriptedApp : public CConverterApp {
public:
    std::vector<Step> steps;
    std::string stuckAt; // the step whose condition never came, if any

    CConverterDlg* Form() const { return static_cast<CConverterDlg*>(m_pMainWnd); }
    QWidget* FormWindow() const { return Form() ? Form()->m_hWnd : nullptr; }
    QLineEdit* Field(const char* name) const {
        return FormWindow() ? FormWindow()->findChild<QLineEdit*>(name) : nullptr;
    }
    QAbstractButton* Button(const char* name) const {
        return FormWindow() ? FormWindow()->findChild<QAbstractButton*>(name) : nullptr;
    }
    static QMessageBox* Prompt() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        return box && box->isActiveWindow() ? box : nullptr;
    }
    bool FormActive() const { return FormWindow() && FormWindow()->isActiveWindow() && !Prompt(); }

    // Clicks the field and types text over all of it.
    void Retype(const char* name, const char* text) {
        ClickOn(Field(name));
        Key("ctrl+a");
        TypeText(text);
    }

    BOOL InitInstance() override {
        QTimer timer;
        QElapsedTimer sinceLastStep;
        size_t next = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (next == steps.size() || !stuckAt.empty()) {
                timer.stop();
                if (QMessageBox* box = Prompt()) {
                    box->done(QMessageBox::Ok);
                }
                if (Form()) {
                    Form()->EndDialog(IDCANCEL);
                }
                return;
            }
            if (sinceLastStep.elapsed() > 15000) {
                stuckAt = steps[next].what;
                return;
            }
            if (!steps[next].ready()) {
                return;
            }
            const Step& step = steps[next++];
            SCOPED_TRACE(step.what);
            step.act();
            sinceLastStep.restart();
        });
        sinceLastStep.start();
        timer.start(10);
        return CConverterApp::InitInstance();
    }

    void RunProgram() {
        AfxWinMain(g_argc, g_argv);
        EXPECT_EQ(stuckAt, "") << "waited in vain";
    }
};

TEST(ProgramOnX, AFailedReadStopsAndLeavesTheFieldSelectedAfterThePrompt) {
    ScriptedApp app;
    std::string xBefore, title, buttonText;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); },
         [&] {
             xBefore = app.Field("IDC_X")->text().toStdString();
             app.Retype("IDC_B_MIN", "61");
         }},
        {"61 typed into B minutes", [&] { return app.Field("IDC_B_MIN")->text() == "61"; },
         [&] { app.Retype("IDC_L_DEG", "100"); }},
        {"100 typed into L degrees", [&] { return app.Field("IDC_L_DEG")->text() == "100"; },
         [&] { app.Retype("IDC_L_MIN", "12"); }},
        {"12 typed into L minutes", [&] { return app.Field("IDC_L_MIN")->text() == "12"; },
         [&] { ClickOn(app.Button("IDC_PROJ_3")); }},
        {"the prompt is shown and active", [&] { return ScriptedApp::Prompt() != nullptr; },
         [&] {
             QMessageBox* box = ScriptedApp::Prompt();
             title = box->windowTitle().toStdString();
             buttonText = box->button(QMessageBox::Ok)->text().toStdString();
             Key("Return");
         }},
        {"the form is active again with B minutes focused",
         [&] { return app.FormActive() && app.Field("IDC_B_MIN")->hasFocus(); },
         [&] {
             QLineEdit* bMin = app.Field("IDC_B_MIN");
             EXPECT_EQ(bMin->selectedText().toStdString(), "61");
             EXPECT_EQ(app.Field("IDC_L_DEG")->text().toStdString(), "100");
             EXPECT_EQ(app.Field("IDC_L_MIN")->text().toStdString(), "12");
             EXPECT_EQ(app.Field("IDC_X")->text().toStdString(), xBefore);
             EXPECT_FALSE(app.Button("IDC_ADJ_3")->isEnabled());
             TypeText("5"); // a correction replaces the selection
         }},
        {"the correction typed", [&] { return app.Field("IDC_B_MIN")->text() == "5"; }, [] {}},
    };
    app.RunProgram();
    EXPECT_EQ(title, "高斯坐标转换");
    EXPECT_EQ(buttonText, "确定");
}

TEST(ProgramOnX, AClickedButtonDropsItsHotLookOnTheFirstMoveOutside) {
    ScriptedApp app;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); },
         [&] { ClickOn(app.Button("IDC_PROJ_3")); }},
        {"the projection ran and the button is hot",
         [&] { return app.Button("IDC_ADJ_3")->isEnabled() && app.Form()->m_btnProj3.IsHot(); },
         [&] {
             // One jump far off the button, to a place with no window of the program.
             const QRect frame = app.FormWindow()->frameGeometry();
             PointerTo(frame.bottomRight() + QPoint(40, 40));
         }},
        {"the hot look is gone", [&] { return !app.Form()->m_btnProj3.IsHot(); },
         [&] { EXPECT_TRUE(app.Button("IDC_PROJ_3")->hasFocus()) << "not by a focus change"; }},
    };
    app.RunProgram();
}

TEST(ProgramOnX, TheFormOffersTheWindowManagerItsIcon) {
    ScriptedApp app;
    QString icon;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); },
         [&] {
             QProcess xprop;
             xprop.start(QStringLiteral("xprop"),
                         {"-id", QString::number(app.FormWindow()->winId()), "_NET_WM_ICON"});
             ASSERT_TRUE(xprop.waitForFinished());
             icon = QString::fromUtf8(xprop.readAllStandardOutput());
         }},
    };
    app.RunProgram();
    EXPECT_TRUE(icon.contains("Icon (32 x 32)")) << icon.left(200).toStdString();
    // Twice the size too, for a screen of twice the density, drawn and not blown up.
    EXPECT_TRUE(icon.contains("Icon (64 x 64)")) << icon.left(200).toStdString();
}

// A whole run through the batch window as a user makes it: the Tools menu by its keys, a path
// typed, 转换 clicked, the summary waited for.
TEST(ProgramOnX, AFileConvertsThroughTheBatchWindowOpenedFromTheMenu) {
    const std::string folder =
        std::filesystem::temp_directory_path() / ("gk_batch_on_x_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string in = folder + "/pts.txt";
    std::ofstream(in, std::ios::binary) << "P1 30.3015 114.2030\r\nP2 95 114\r\n";
    ScriptedApp app;
    auto batch = [&]() -> CBatchDlg* {
        return app.Form() && app.Form()->m_pBatchDlg && app.Form()->m_pBatchDlg->m_hWnd &&
                       app.Form()->m_pBatchDlg->m_hWnd->isActiveWindow()
                   ? app.Form()->m_pBatchDlg.get()
                   : nullptr;
    };
    auto child = [&](const char* name) { return batch()->m_hWnd->findChild<QWidget*>(name); };
    std::string summary;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); }, [&] { Key("alt+t"); }},
        {"the Tools menu is open",
         [&] {
             auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
             return menu && menu->isVisible();
         },
         [&] { Key("b"); }},
        {"the batch window is shown and active with the input focused",
         [&] { return batch() && child("IDC_BATCH_INPUT")->hasFocus(); },
         [&] { TypeText(in.c_str()); }},
        {"the path typed and 转换 enabled",
         [&] {
             return static_cast<QLineEdit*>(child("IDC_BATCH_INPUT"))->text().toStdString() == in &&
                    child("IDC_BATCH_RUN")->isEnabled();
         },
         [&] { ClickOn(child("IDC_BATCH_RUN")); }},
        {"the run has ended",
         [&] { return batch() && !batch()->IsRunning() && child("IDC_BATCH_RUN")->isEnabled(); },
         [&] {
             summary = static_cast<QLabel*>(child("IDC_BATCH_SUMMARY"))->text().toStdString();
             Key("Escape");
         }},
        {"Escape has closed the batch window",
         [&] { return !app.Form()->m_pBatchDlg->m_hWnd->isVisible(); }, [] {}},
    };
    app.RunProgram();
    EXPECT_NE(summary.find("已转换 1 条记录，失败 1 条"), std::string::npos) << summary;
    std::ifstream out(folder + "/pts_out.txt", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(out)), {});
    EXPECT_EQ(written, "P1 3376053.2931 38532798.3303\r\n");
    std::filesystem::remove_all(folder);
}

// The parameter window as a surveyor uses it: opened from the Tools menu by its keys, the two
// point files typed, the plane model chosen, 计算 by its key, the flagged point unticked with
// the space bar, m0 seen to change, and the parameters saved through the file dialog.
TEST(ProgramOnX, APointIsLeftOutAndTheParametersSavedInTheParameterWindow) {
    const std::string folder =
        std::filesystem::temp_directory_path() / ("gk_fit_on_x_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string source = folder + "/a.txt";
    const std::string target = folder + "/b.txt";
    const std::string saved = folder + "/params.json";
    std::ofstream(source, std::ios::binary) << "A 3380000.000 38500000.000\n"
                                               "B 3381000.000 38500000.000\n"
                                               "C 3380000.000 38501000.000\n"
                                               "D 3381000.000 38501000.000\n"
                                               "E 3380500.000 38500500.000\n";
    // E is 0.4 m off; the others agree to millimetres.
    std::ofstream(target, std::ios::binary) << "A 3380052.315 38499968.226\n"
                                               "B 3381052.320 38499968.299\n"
                                               "C 3380052.246 38500968.238\n"
                                               "D 3381052.251 38500968.305\n"
                                               "E 3380552.683 38500468.267\n";
    ScriptedApp app;
    auto fit = [&]() -> CFitDlg* {
        return app.Form() && app.Form()->m_pFitDlg && app.Form()->m_pFitDlg->m_hWnd &&
                       app.Form()->m_pFitDlg->m_hWnd->isActiveWindow()
                   ? app.Form()->m_pFitDlg.get()
                   : nullptr;
    };
    auto child = [&](const char* name) { return fit()->m_hWnd->findChild<QWidget*>(name); };
    auto text = [&](const char* name) {
        return static_cast<QLineEdit*>(child(name))->text().toStdString();
    };
    auto result = [&] {
        return static_cast<QPlainTextEdit*>(child("IDC_FIT_RESULT"))->toPlainText().toStdString();
    };
    auto m0 = [](const std::string& report) {
        const std::size_t at = report.find("m0 ");
        return at == std::string::npos ? std::string()
                                       : report.substr(at, report.find('\n', at) - at);
    };
    std::string m0Before;
    int flaggedRow = -1;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); }, [&] { Key("alt+t"); }},
        {"the Tools menu is open",
         [&] {
             auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
             return menu && menu->isVisible();
         },
         [&] { Key("p"); }},
        {"the parameter window is active with the source field focused",
         [&] { return fit() && child("IDC_FIT_SOURCE")->hasFocus(); },
         [&] { TypeText(source.c_str()); }},
        {"the source typed", [&] { return text("IDC_FIT_SOURCE") == source; },
         [&] {
             ClickOn(child("IDC_FIT_TARGET"));
             TypeText(target.c_str());
         }},
        {"the target typed", [&] { return text("IDC_FIT_TARGET") == target; },
         [&] { ClickOn(child("IDC_FIT_MODEL")); }},
        {"the model list is open",
         [&] {
             QWidget* popup = QApplication::activePopupWidget();
             return popup && popup->isVisible();
         },
         [&] {
             Key("End");
             Key("Return");
         }},
        {"the plane model chosen",
         [&] {
             return fit() && static_cast<QComboBox*>(child("IDC_FIT_MODEL"))->currentText() ==
                                 QStringLiteral("四参数 (平面)");
         },
         [&] { Key("alt+c"); }},
        {"the fit is shown with a flagged point",
         [&] { return fit() && !m0(result()).empty() && result().find("※") != std::string::npos; },
         [&] {
             m0Before = m0(result());
             auto* list = static_cast<QTreeWidget*>(child("IDC_FIT_POINTS"));
             for (int r = 0; r < list->topLevelItemCount(); ++r) {
                 if (list->topLevelItem(r)->text(5) == QStringLiteral("※")) { // plane: 5th
                     flaggedRow = r;
                 }
             }
             ASSERT_GE(flaggedRow, 0);
             const QRect row = list->visualItemRect(list->topLevelItem(flaggedRow));
             PointerTo(list->viewport()->mapToGlobal(row.center() + QPoint(30, 0)));
             Xdotool({"click", "1"});
         }},
        {"the flagged row is selected",
         [&] { return fit() && fit()->m_listPoints.GetNextItem(-1, LVNI_SELECTED) == flaggedRow; },
         [&] { Key("space"); }},
        {"the point is left out and m0 has changed",
         [&] {
             return fit() && !fit()->m_listPoints.GetCheck(flaggedRow) && !m0(result()).empty() &&
                    m0(result()) != m0Before;
         },
         [&] { Key("alt+v"); }},
        {"the save dialog is open",
         [&] {
             auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
             return dialog && dialog->isActiveWindow();
         },
         [&] {
             Key("ctrl+a");
             TypeText(saved.c_str());
         }},
        {"the path typed into the save dialog",
         [&] {
             auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
             auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
             return name && name->text().toStdString() == saved;
         },
         [&] {
             // The name's completion list, if it opened, closes first.
             if (QApplication::activePopupWidget()) {
                 Key("Escape");
             }
             Key("Return");
         }},
        {"the file is saved",
         [&] {
             return !QApplication::activeModalWidget()->inherits("QFileDialog") &&
                    std::filesystem::exists(saved);
         },
         // Without a window manager nothing gives the window back its activation.
         [&] { app.Form()->m_pFitDlg->m_hWnd->activateWindow(); }},
        {"the parameter window is active again", [&] { return fit() != nullptr; },
         [&] { Key("Escape"); }},
        {"Escape has closed the parameter window",
         [&] { return !app.Form()->m_pFitDlg->m_hWnd->isVisible(); }, [] {}},
    };
    app.RunProgram();
    EXPECT_NE(m0Before, "");
    std::ifstream in(saved, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(written.find("\"model\": \"plane4\""), std::string::npos) << written;
    EXPECT_NE(written.find("\"why\": \"excluded\""), std::string::npos) << written;
    std::filesystem::remove_all(folder);
}

bool UnderWindowManager() {
    const char* wm = std::getenv("GK_WINDOW_MANAGER");
    return wm && *wm;
}

// A property of a window (or of the root window when id is 0), as xprop prints it.
QString Xprop(WId id, const char* property) {
    QProcess xprop;
    QStringList args;
    if (id) {
        args << "-id" << QString::number(id);
    } else {
        args << "-root";
    }
    args << QString::fromUtf8(property);
    xprop.start(QStringLiteral("xprop"), args);
    EXPECT_TRUE(xprop.waitForFinished());
    return QString::fromUtf8(xprop.readAllStandardOutput());
}

// The window manager's stacking order, bottom to top.
QStringList Stacking() {
    const QString line = Xprop(0, "_NET_CLIENT_LIST_STACKING");
    const qsizetype hash = line.indexOf('#');
    QStringList ids;
    for (const QString& id : line.mid(hash + 1).split(',', Qt::SkipEmptyParts)) {
        ids << QString::number(id.trimmed().toULongLong(nullptr, 16));
    }
    return ids;
}

bool Above(QWidget* upper, QWidget* lower) {
    const QStringList order = Stacking();
    return order.indexOf(QString::number(upper->winId())) >
           order.indexOf(QString::number(lower->winId()));
}

// Under a window manager: the batch window opens beside the form, not over it; each window is
// raised and takes the keyboard on its own, and minimising one leaves the other.
TEST(ProgramOnX, TheBatchWindowIsAWindowOfItsOwnBesideTheForm) {
    if (!UnderWindowManager()) {
        GTEST_SKIP() << "placement and stacking are the window manager's";
    }
    ScriptedApp app;
    auto batch = [&]() -> QWidget* {
        return app.Form() && app.Form()->m_pBatchDlg ? app.Form()->m_pBatchDlg->m_hWnd : nullptr;
    };
    QRect formFrame, batchFrame;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); }, [&] { Key("alt+t"); }},
        {"the Tools menu is open",
         [&] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
         [&] { Key("b"); }},
        {"the batch window is active and placed",
         [&] {
             return batch() && batch()->isActiveWindow() &&
                    batch()->frameGeometry() != batch()->geometry();
         },
         [&] {
             formFrame = app.FormWindow()->frameGeometry();
             batchFrame = batch()->frameGeometry();
             EXPECT_TRUE(Above(batch(), app.FormWindow()));
             Xdotool({"windowactivate", QString::number(app.FormWindow()->winId())});
         }},
        {"the form is active again", [&] { return app.FormActive(); },
         [&] {
             EXPECT_FALSE(batch()->isActiveWindow());
             EXPECT_TRUE(Above(app.FormWindow(), batch()))
                 << "the form stays under the batch window";
             EXPECT_TRUE(app.Field("IDC_B_DEG")->hasFocus() || app.FormWindow()->focusWidget());
             Xdotool({"windowminimize", QString::number(batch()->winId())});
         }},
        {"the batch window is minimised", [&] { return batch()->isMinimized(); },
         [&] {
             EXPECT_FALSE(app.FormWindow()->isMinimized());
             EXPECT_TRUE(app.FormWindow()->isVisible());
             Xdotool({"windowminimize", QString::number(app.FormWindow()->winId())});
         }},
        {"the form is minimised", [&] { return app.FormWindow()->isMinimized(); },
         [&] {
             Xdotool({"windowactivate", QString::number(batch()->winId())});
         }},
        {"the batch window is back on its own",
         [&] { return batch()->isActiveWindow() && !batch()->isMinimized(); },
         [&] { EXPECT_TRUE(app.FormWindow()->isMinimized()); }},
    };
    app.RunProgram();
    EXPECT_FALSE(formFrame.intersects(batchFrame))
        << "form at " << formFrame.x() << "," << formFrame.y() << " " << formFrame.width() << "x"
        << formFrame.height() << "; batch window at " << batchFrame.x() << "," << batchFrame.y();
    const QRect screen(0, 0, 1024, 768);
    EXPECT_TRUE(screen.contains(formFrame));
    EXPECT_TRUE(screen.contains(batchFrame)) << batchFrame.x() << "," << batchFrame.y() << " "
                                             << batchFrame.width() << "x" << batchFrame.height();
}

// What a window asks of the window manager: whether its Motif hints leave maximising among
// its functions and buttons, and whether its size hints fix its size.
struct WmRequest {
    bool maximiseFunction = true;
    bool maximiseButton = true;
    bool fixedSize = false;
    std::string xprop;
};

WmRequest RequestOf(QWidget* window) {
    // The Motif hints' flags, functions and decorations; a set "all" bit turns the others into
    // exceptions.
    constexpr unsigned kHasFunctions = 0x1, kHasDecorations = 0x2, kAll = 0x1;
    constexpr unsigned kMaximizeFunction = 0x10, kMaximizeButton = 0x40;
    WmRequest request;
    const QString motif = Xprop(window->winId(), "_MOTIF_WM_HINTS");
    const QString normal = Xprop(window->winId(), "WM_NORMAL_HINTS");
    request.xprop = (motif + normal).toStdString();
    const QStringList fields = motif.mid(motif.indexOf('=') + 1).split(',');
    if (fields.size() >= 3) {
        const unsigned flags = fields[0].trimmed().toUInt(nullptr, 16);
        const unsigned functions = fields[1].trimmed().toUInt(nullptr, 16);
        const unsigned decorations = fields[2].trimmed().toUInt(nullptr, 16);
        const auto offered = [](unsigned set, unsigned bit) {
            return (set & kAll) ? !(set & bit) : (set & bit) != 0;
        };
        request.maximiseFunction =
            !(flags & kHasFunctions) || offered(functions, kMaximizeFunction);
        request.maximiseButton =
            !(flags & kHasDecorations) || offered(decorations, kMaximizeButton);
    }
    const auto size = [&](const char* which) {
        const qsizetype at = normal.indexOf(QString::fromUtf8(which));
        return at < 0 ? QString() : normal.mid(at).section('\n', 0, 0).section(':', 1).trimmed();
    };
    request.fixedSize =
        !size("minimum size").isEmpty() && size("minimum size") == size("maximum size");
    return request;
}

// The windows of fixed size (the form, the About box, a prompt) ask the window manager for no
// maximising, in their Motif hints and by a size hint that fixes their size, and under one it
// offers none; the batch window, which grows, asks for it and is offered it. A short prompt is
// wide enough for its title.
TEST(ProgramOnX, FixedWindowsOfferNoMaximiseAndAPromptFitsItsTitle) {
    ScriptedApp app;
    std::map<std::string, WmRequest> requests;
    std::map<std::string, QString> actions;
    auto note = [&](const char* name, QWidget* window) {
        requests[name] = RequestOf(window);
        actions[name] = Xprop(window->winId(), "_NET_WM_ALLOWED_ACTIONS");
    };
    auto about = []() -> QWidget* {
        QWidget* modal = QApplication::activeModalWidget();
        return modal && modal->objectName() == "IDD_ABOUTBOX" && modal->isActiveWindow() ? modal
                                                                                         : nullptr;
    };
    int promptWidth = 0, titleWidth = 0;
    app.steps = {
        {"the form is shown and active", [&] { return app.FormActive(); },
         [&] {
             note("form", app.FormWindow());
             Key("alt+h");
         }},
        {"the Help menu is open",
         [&] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
         [&] { Key("a"); }},
        {"the About box is shown and active", [&] { return about() != nullptr; },
         [&] {
             note("About box", about());
             Key("Escape");
         }},
        {"the About box has closed",
         [&] {
             const QWidgetList windows = QApplication::topLevelWidgets();
             return std::none_of(windows.begin(), windows.end(), [](QWidget* w) {
                 return w->objectName() == "IDD_ABOUTBOX" && w->isVisible();
             });
         },
         // Without a window manager nothing gives the form back its activation.
         [&] { app.FormWindow()->activateWindow(); }},
        {"the form is active again", [&] { return app.FormActive(); },
         [&] {
             ClickOn(app.Field("IDC_B_DEG"));
             Key("ctrl+a");
             Key("BackSpace");
         }},
        {"B degrees holds no number", [&] { return app.Field("IDC_B_DEG")->text().isEmpty(); },
         [&] { ClickOn(app.Button("IDC_PROJ_3")); }},
        {"the prompt is shown and active", [&] { return ScriptedApp::Prompt() != nullptr; },
         [&] {
             QMessageBox* box = ScriptedApp::Prompt();
             note("prompt", box);
             promptWidth = box->frameGeometry().width();
             QFont bold = box->font();
             bold.setBold(true);
             titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
             Key("Return");
         }},
        {"the prompt has closed", [&] { return ScriptedApp::Prompt() == nullptr; },
         [&] { app.Form()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOLS_BATCH, 0)); }},
        {"the batch window is shown",
         [&] { return app.Form()->m_pBatchDlg && app.Form()->m_pBatchDlg->m_hWnd->isVisible(); },
         [&] { note("batch window", app.Form()->m_pBatchDlg->m_hWnd); }},
    };
    app.RunProgram();
    for (const char* fixed : {"form", "About box", "prompt"}) {
        SCOPED_TRACE(fixed);
        const WmRequest& request = requests[fixed];
        EXPECT_FALSE(request.maximiseFunction) << request.xprop;
        EXPECT_FALSE(request.maximiseButton) << request.xprop;
        EXPECT_TRUE(request.fixedSize) << request.xprop;
        if (UnderWindowManager()) {
            EXPECT_TRUE(actions[fixed].contains("_NET_WM_ACTION_CLOSE"))
                << actions[fixed].toStdString();
            EXPECT_FALSE(actions[fixed].contains("MAXIMIZE")) << actions[fixed].toStdString();
        }
    }
    const WmRequest& batch = requests["batch window"];
    EXPECT_TRUE(batch.maximiseFunction) << batch.xprop;
    EXPECT_TRUE(batch.maximiseButton) << batch.xprop;
    EXPECT_FALSE(batch.fixedSize) << batch.xprop;
    if (UnderWindowManager()) {
        EXPECT_TRUE(actions["batch window"].contains("_NET_WM_ACTION_MAXIMIZE_HORZ"))
            << actions["batch window"].toStdString();
        EXPECT_TRUE(actions["batch window"].contains("_NET_WM_ACTION_RESIZE"))
            << actions["batch window"].toStdString();
    }
    EXPECT_GT(promptWidth, titleWidth + 100);
}

} // namespace

int main(int argc, char** argv) {
    // A real X server: the test command starts one; the offscreen platform other test programs
    // use would show none of this.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::testing::InitGoogleTest(&argc, argv);
    g_argc = argc;
    g_argv = argv;
    return RUN_ALL_TESTS();
}
