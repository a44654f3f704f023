// The batch window driven as a user drives it: its template and opening state, the settings'
// enabling, the default output name, file choice by dialog and by drop, the preview, and runs
// with jobs made here (progress, summary, failed records, stop, failure, closing mid-run).
#include "app/batch_backend.h"
#include "app/batch_dlg.h"
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "platform/dialog_template.h"
#include "platform/services.h"
#include "res/resource.h"
#include "tests/app/template_mnemonics.h"
#include "tests/app/window_fixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWaitMs = 5000;

// A job that reports what it is given, and waits, if asked to, until the test lets it go or
// the window stops it.
struct ScriptedJob {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;
    std::vector<BatchFailure> failures;
    BatchOutcome outcome;
    std::atomic<bool>* hold = nullptr; // while true, the job waits (or ends when stopped)
    std::atomic<bool>* sawStop = nullptr;
    bool throws = false;

    BatchOutcome operator()(const BatchJobHooks& hooks) const {
        for (const auto& [done, total] : progress) {
            hooks.progress(done, total);
        }
        for (const BatchFailure& failure : failures) {
            hooks.failed(failure);
        }
        while (hold && *hold) {
            if (hooks.stop->load()) {
                if (sawStop) {
                    *sawStop = true;
                }
                BatchOutcome stopped = outcome;
                stopped.status = BatchOutcome::Status::Stopped;
                return stopped;
            }
            std::this_thread::yield();
        }
        if (throws) {
            throw std::runtime_error("磁盘已满");
        }
        return outcome;
    }
};

class Window : public DialogWindow<CBatchDlg> {
public:
    BatchBackend backend;
    std::vector<BatchRequest> jobsMade;
    std::vector<BatchRequest> previews;
    ScriptedJob job;
    BatchPreview preview;

    explicit Window(bool withBackend = true) : Window(withBackend, nullptr) {}
    // A window over the real file conversion.
    explicit Window(BatchBackend real) : Window(false, &real) {}

    Window(bool withBackend, const BatchBackend* real) {
        if (real) {
            backend = *real;
        } else if (withBackend) {
            backend.makeJob = [this](const BatchRequest& request) -> BatchJob {
                jobsMade.push_back(request);
                return job;
            };
            backend.preview = [this](const BatchRequest& request) {
                previews.push_back(request);
                return preview;
            };
        }
        Open(std::make_unique<CBatchDlg>(backend));
    }
    // The window goes before the job and backend it may still call.
    ~Window() { dlg.reset(); }

    std::string Text(const char* name) const {
        if (auto* edit = dlg->m_hWnd->findChild<QLineEdit*>(QString::fromUtf8(name))) {
            return edit->text().toStdString();
        }
        return Item<QLabel>(name)->text().toStdString();
    }
    bool Enabled(const char* name) const { return Item(name)->isEnabled(); }
    std::string Choice(const char* name) const {
        return Item<QComboBox>(name)->currentText().toStdString();
    }
    std::vector<std::string> Row(const char* list, int row) const {
        QTreeWidgetItem* item = Item<QTreeWidget>(list)->topLevelItem(row);
        std::vector<std::string> texts;
        for (int c = 0; item && c < item->columnCount(); ++c) {
            texts.push_back(item->text(c).toStdString());
        }
        return texts;
    }
    std::vector<std::string> Headings(const char* list) const {
        auto* tree = Item<QTreeWidget>(list);
        std::vector<std::string> texts;
        for (int c = 0; c < tree->columnCount(); ++c) {
            texts.push_back(tree->headerItem()->text(c).toStdString());
        }
        return texts;
    }
    bool WaitIdle() {
        return QTest::qWaitFor([this] { return !dlg->IsRunning(); }, kWaitMs);
    }
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(BatchTemplate, EveryControlIsThereInItsClassInsideTheWindowWithoutOverlap) {
    ASSERT_NE(FindDialogTemplate(IDD_BATCH_DIALOG), nullptr);
    Window w;
    EXPECT_EQ(w.dlg->m_hWnd->windowTitle(), QStringLiteral("批量转换"));
    struct Case {
        const char* name;
        const char* qtClass;
    };
    const Case cases[] = {
        {"IDC_BATCH_INPUT", "QLineEdit"},       {"IDC_BATCH_BROWSE_IN", "QPushButton"},
        {"IDC_BATCH_COLUMNS", "QLineEdit"},     {"IDC_BATCH_PREVIEW", "QTreeWidget"},
        {"IDC_BATCH_OPERATION", "QComboBox"},   {"IDC_BATCH_ZONE_WIDTH", "QComboBox"},
        {"IDC_BATCH_ELLIPSOID", "QComboBox"},   {"IDC_BATCH_ANGLES", "QComboBox"},
        {"IDC_BATCH_A", "QLineEdit"},           {"IDC_BATCH_ALFA", "QLineEdit"},
        {"IDC_BATCH_METHOD", "QComboBox"},      {"IDC_BATCH_MERIDIAN", "QLineEdit"},
        {"IDC_BATCH_NO_PREFIX", "QCheckBox"},   {"IDC_BATCH_HEADER", "QCheckBox"},
        {"IDC_BATCH_OUTPUT", "QLineEdit"},      {"IDC_BATCH_BROWSE_OUT", "QPushButton"},
        {"IDC_BATCH_RUN", "QPushButton"},       {"IDC_BATCH_STOP", "QPushButton"},
        {"IDC_BATCH_PROGRESS", "QProgressBar"}, {"IDC_BATCH_SUMMARY", "QLabel"},
        {"IDC_BATCH_ERRORS", "QTreeWidget"},    {"IDC_BATCH_OPEN_FOLDER", "QPushButton"},
        {"IDC_BATCH_ZONE_RULE", "QComboBox"},   {"IDC_BATCH_EPSG", "QLineEdit"},
        {"IDC_BATCH_EPSG_MATCH", "QLabel"},     {"IDC_BATCH_TARGET_EPSG", "QLineEdit"},
    };
    const QRect client = w.dlg->m_hWnd->rect();
    std::vector<QRect> placed;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* item = w.Item(c.name);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->inherits(c.qtClass));
        // Where it is in the window, whichever group box holds it.
        const QRect place(item->mapTo(w.dlg->m_hWnd, QPoint(0, 0)), item->size());
        EXPECT_TRUE(client.contains(place));
        for (const QRect& other : placed) {
            EXPECT_FALSE(other.intersects(place));
        }
        placed.push_back(place);
    }
}

TEST(BatchTemplate, TabWalksTheControlsInReadingOrder) {
    Window w;
    w.Type("IDC_BATCH_INPUT", "/tmp/pts.txt");
    w.Choose("IDC_BATCH_ELLIPSOID", "自定义");
    w.Item("IDC_BATCH_INPUT")->setFocus();
    const char* order[] = {
        "IDC_BATCH_BROWSE_IN",
        "IDC_BATCH_COLUMNS",
        "IDC_BATCH_HEADER",
        "IDC_BATCH_PREVIEW",
        "IDC_BATCH_OPERATION",
        "IDC_BATCH_ZONE_WIDTH",
        "IDC_BATCH_ELLIPSOID",
        "IDC_BATCH_ANGLES",
        "IDC_BATCH_A",
        "IDC_BATCH_ALFA",
        "IDC_BATCH_METHOD",
        "IDC_BATCH_MERIDIAN",
        "IDC_BATCH_NO_PREFIX",
        "IDC_BATCH_ZONE_RULE",
        "IDC_BATCH_EPSG",
        // The datum change's and plane transformation's files.
        "IDC_BATCH_DATUM_PARAMS",
        "IDC_BATCH_BROWSE_DATUM",
        "IDC_BATCH_PLANE_PARAMS",
        "IDC_BATCH_BROWSE_PLANE",
        "IDC_BATCH_OUTPUT",
        "IDC_BATCH_BROWSE_OUT",
        "IDC_BATCH_RUN",
        "IDC_BATCH_ERRORS",
        "IDCANCEL",
        "IDC_BATCH_INPUT",
    };
    for (const char* name : order) {
        SCOPED_TRACE(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
    }
}

// Every control has a mnemonic of its own (a label's moves to the control after it), and Alt
// with the letter reaches it.
TEST(BatchTemplate, EveryControlHasItsOwnMnemonic) {
    Window w;
    w.Type("IDC_BATCH_INPUT", "/tmp/pts.txt");
    w.Choose("IDC_BATCH_ELLIPSOID", "自定义");
    const DialogTemplate* t = FindDialogTemplate(IDD_BATCH_DIALOG);
    ASSERT_NE(t, nullptr);
    const TemplateMnemonics letters = MnemonicsOf(*t);
    EXPECT_EQ(letters.clashes, std::vector<std::string>{});
    EXPECT_EQ(letters.withoutControl, std::vector<std::string>{});
    // Every control the keyboard can reach has one.
    for (const char* name : {"IDC_BATCH_INPUT",      "IDC_BATCH_BROWSE_IN",   "IDC_BATCH_COLUMNS",
                             "IDC_BATCH_HEADER",     "IDC_BATCH_PREVIEW",     "IDC_BATCH_OPERATION",
                             "IDC_BATCH_ZONE_WIDTH", "IDC_BATCH_ELLIPSOID",   "IDC_BATCH_ANGLES",
                             "IDC_BATCH_A",          "IDC_BATCH_ALFA",        "IDC_BATCH_METHOD",
                             "IDC_BATCH_MERIDIAN",   "IDC_BATCH_NO_PREFIX",   "IDC_BATCH_OUTPUT",
                             "IDC_BATCH_BROWSE_OUT", "IDC_BATCH_RUN",         "IDC_BATCH_STOP",
                             "IDC_BATCH_ERRORS",     "IDC_BATCH_OPEN_FOLDER", "IDCANCEL",
                             "IDC_BATCH_TARGET_EPSG"}) {
        EXPECT_TRUE(HasMnemonic(letters, name)) << name << " has no mnemonic";
    }
    // Alt and a label's letter put the focus into its control.
    struct Case {
        char letter;
        const char* focused;
    };
    const Case cases[] = {{'I', "IDC_BATCH_INPUT"},     {'D', "IDC_BATCH_COLUMNS"},
                          {'O', "IDC_BATCH_OPERATION"}, {'E', "IDC_BATCH_ELLIPSOID"},
                          {'L', "IDC_BATCH_ALFA"},      {'U', "IDC_BATCH_OUTPUT"},
                          {'J', "IDC_BATCH_ERRORS"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        w.Item("IDC_BATCH_RUN")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.letter, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.focused);
    }
}

// What a screen reader hears: each control by its label, not by its value or a hint beside
// another field; the bar and the summary by names of their own.
TEST(BatchTemplate, ScreenReadersHearEachControlByItsLabel) {
    Window w;
    struct Case {
        const char* name;
        QAccessible::Role role;
        const char* spoken;
    };
    const Case cases[] = {
        {"IDC_BATCH_INPUT", QAccessible::EditableText, "输入文件"},
        {"IDC_BATCH_COLUMNS", QAccessible::EditableText, "各列含义"},
        {"IDC_BATCH_PREVIEW", QAccessible::Tree, "文件预览"},
        {"IDC_BATCH_OPERATION", QAccessible::ComboBox, "换算方式"},
        {"IDC_BATCH_ZONE_WIDTH", QAccessible::ComboBox, "投影带"},
        {"IDC_BATCH_ELLIPSOID", QAccessible::ComboBox, "参考椭球"},
        {"IDC_BATCH_ANGLES", QAccessible::ComboBox, "角度格式"},
        {"IDC_BATCH_A", QAccessible::EditableText, "a"},
        {"IDC_BATCH_ALFA", QAccessible::EditableText, "alfa"},
        {"IDC_BATCH_METHOD", QAccessible::ComboBox, "计算方法"},
        {"IDC_BATCH_MERIDIAN", QAccessible::EditableText, "中央子午线"},
        // Below the meridian's row, not headed by its label.
        {"IDC_BATCH_ZONE_RULE", QAccessible::ComboBox, "分带规则"},
        {"IDC_BATCH_TARGET_EPSG", QAccessible::EditableText, "目标 EPSG"},
        {"IDC_BATCH_OUTPUT", QAccessible::EditableText, "输出文件"},
        {"IDC_BATCH_PROGRESS", QAccessible::ProgressBar, "转换进度"},
        {"IDC_BATCH_SUMMARY", QAccessible::StaticText, "转换结果"},
        {"IDC_BATCH_ERRORS", QAccessible::Tree, "未能转换的记录"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(w.Item(c.name));
        ASSERT_NE(heard, nullptr);
        EXPECT_EQ(heard->role(), c.role);
        EXPECT_EQ(heard->text(QAccessible::Name).toStdString(), c.spoken);
    }
    // The summary's own text is heard too, as its description.
    w.dlg->m_staticSummary.SetWindowText("已转换 8 条记录");
    QAccessibleInterface* summary =
        QAccessible::queryAccessibleInterface(w.Item("IDC_BATCH_SUMMARY"));
    EXPECT_EQ(summary->text(QAccessible::Description).toStdString(), "已转换 8 条记录");
}

// The window grows from its template's size: the lists take the room (the errors'
// explanation its width), the buttons on the right stay at the right edge, the bottom row at
// the bottom; it cannot shrink below the template.
TEST(BatchTemplate, AGrownWindowGivesTheRoomToTheLists) {
    Window w;
    QWidget* window = w.dlg->m_hWnd;
    const QSize initial = window->size();
    EXPECT_EQ(window->minimumSize(), initial);
    EXPECT_NE(window->maximumSize(), initial);
    // Where a control is in the window, whichever group box holds it.
    const auto place = [&](QWidget* item) {
        return QRect(item->mapTo(window, QPoint(0, 0)), item->size());
    };
    const auto geometry = [&](const char* name) { return place(w.Item(name)); };
    const QRect preview = geometry("IDC_BATCH_PREVIEW"), errors = geometry("IDC_BATCH_ERRORS"),
                browse = geometry("IDC_BATCH_BROWSE_IN"), close = geometry("IDCANCEL"),
                run = geometry("IDC_BATCH_RUN"), input = geometry("IDC_BATCH_INPUT"),
                operation = geometry("IDC_BATCH_OPERATION");
    auto* tree = w.Item<QTreeWidget>("IDC_BATCH_ERRORS");
    const int explanation = tree->columnWidth(2);
    window->resize(initial + QSize(200, 100));
    QApplication::processEvents();
    EXPECT_EQ(geometry("IDC_BATCH_PREVIEW").size(), preview.size() + QSize(200, 50));
    EXPECT_EQ(geometry("IDC_BATCH_ERRORS").size(), errors.size() + QSize(200, 50));
    EXPECT_EQ(geometry("IDC_BATCH_ERRORS").topLeft(), errors.topLeft() + QPoint(0, 50));
    EXPECT_EQ(geometry("IDC_BATCH_INPUT").width(), input.width() + 200);
    EXPECT_EQ(geometry("IDC_BATCH_BROWSE_IN").topLeft(), browse.topLeft() + QPoint(200, 0));
    EXPECT_EQ(geometry("IDC_BATCH_RUN").topLeft(), run.topLeft() + QPoint(0, 50));
    EXPECT_EQ(geometry("IDCANCEL").topLeft(), close.topLeft() + QPoint(200, 100));
    EXPECT_EQ(geometry("IDC_BATCH_OPERATION"), operation.translated(0, 50)) << "in its group";
    EXPECT_EQ(tree->columnWidth(2), explanation + 200);
    // Still nothing overlaps.
    std::vector<QRect> placed;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!name.startsWith("IDC") || name.startsWith("IDC_STATIC") || !child->isVisible()) {
            continue;
        }
        for (const QRect& other : placed) {
            EXPECT_FALSE(other.intersects(place(child))) << name.toStdString();
        }
        placed.push_back(place(child));
    }
}

TEST(BatchDefaults, TheWindowOpensOnTheFormsOwnChoices) {
    Window w;
    EXPECT_EQ(QApplication::focusWidget(), w.Item("IDC_BATCH_INPUT"));
    EXPECT_EQ(w.Choice("IDC_BATCH_OPERATION"), "正算");
    EXPECT_EQ(w.Choice("IDC_BATCH_ZONE_WIDTH"), "三度带");
    EXPECT_EQ(w.Choice("IDC_BATCH_ELLIPSOID"), "WGS1984");
    EXPECT_EQ(w.Choice("IDC_BATCH_ANGLES"), "度分秒合写 DDD.MMSS");
    EXPECT_EQ(w.Text("IDC_BATCH_A"), "6378137");
    EXPECT_EQ(w.Text("IDC_BATCH_ALFA"), "298.2572235635");
    EXPECT_EQ(w.Text("IDC_BATCH_INPUT"), "");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "");
    EXPECT_EQ(w.Text("IDC_BATCH_SUMMARY"), "");
    for (const char* off : {"IDC_BATCH_A", "IDC_BATCH_ALFA", "IDC_BATCH_RUN", "IDC_BATCH_STOP",
                            "IDC_BATCH_OPEN_FOLDER"}) {
        EXPECT_FALSE(w.Enabled(off)) << off;
    }
    EXPECT_EQ(w.Headings("IDC_BATCH_ERRORS"), (std::vector<std::string>{"行号", "字段", "说明"}));
    EXPECT_EQ(w.Item<QProgressBar>("IDC_BATCH_PROGRESS")->value(), 0);
    const QStringList operations = [&] {
        QStringList texts;
        auto* combo = w.Item<QComboBox>("IDC_BATCH_OPERATION");
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
        return texts;
    }();
    EXPECT_EQ(operations, (QStringList{"正算", "反算", "邻带换算", "三度带 --> 六度带",
                                       "六度带 --> 三度带", "坐标系转换", "平面四参数"}));
}

TEST(BatchSettings, EachEllipsoidShowsItsParametersAndOnlyTheUserDefinedOneTakesTyping) {
    Window w;
    struct Case {
        const char* ellipsoid;
        const char* a;
        const char* alfa;
        bool editable;
    };
    const Case cases[] = {
        {"CGCS2000", "6378137", "298.257222101", false},
        {"北京1954", "6378245", "298.3", false},
        {"自定义", "6378245", "298.3", true},
        {"西安1980", "6378140", "298.257", false},
        {"WGS1984", "6378137", "298.2572235635", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ellipsoid);
        w.Choose("IDC_BATCH_ELLIPSOID", c.ellipsoid);
        EXPECT_EQ(w.Text("IDC_BATCH_A"), c.a);
        EXPECT_EQ(w.Text("IDC_BATCH_ALFA"), c.alfa);
        EXPECT_EQ(w.Enabled("IDC_BATCH_A"), c.editable);
        EXPECT_EQ(w.Enabled("IDC_BATCH_ALFA"), c.editable);
        if (c.editable) {
            EXPECT_EQ(QApplication::focusWidget(), w.Item("IDC_BATCH_A"));
        }
    }
}

TEST(BatchSettings, TheZoneSystemAndAngleFormAreOfferedOnlyWhereTheOperationUsesThem) {
    Window w;
    struct Case {
        const char* operation;
        bool zoneWidth;
        bool angles;
    };
    const Case cases[] = {
        {"反算", true, true},
        {"邻带换算", true, false},
        {"三度带 --> 六度带", false, false},
        {"六度带 --> 三度带", false, false},
        {"正算", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        w.Choose("IDC_BATCH_OPERATION", c.operation);
        EXPECT_EQ(w.Enabled("IDC_BATCH_ZONE_WIDTH"), c.zoneWidth);
        EXPECT_EQ(w.Enabled("IDC_BATCH_ANGLES"), c.angles);
    }
}

TEST(BatchOutput, TheDefaultNamePutsOutBeforeTheExtension) {
    struct Case {
        const char* input;
        const char* output;
    };
    const Case cases[] = {
        {"pts.txt", "pts_out.txt"},
        {"/data/测量/第1天.csv", "/data/测量/第1天_out.csv"},
        {"/data/a.b.txt", "/data/a.b_out.txt"},
        {"/data/pts", "/data/pts_out"},
        {"/data/v1.2/pts", "/data/v1.2/pts_out"},
        {"/data/.survey", "/data/.survey_out"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(DefaultOutputName(c.input), c.output);
    }
}

TEST(BatchOutput, TheOutputFollowsTheInputUntilTheUserNamesItAndRunNeedsBoth) {
    Window w;
    w.Type("IDC_BATCH_INPUT", "/tmp/pts.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/tmp/pts_out.txt");
    EXPECT_TRUE(w.Enabled("IDC_BATCH_RUN"));
    w.Type("IDC_BATCH_INPUT", "/tmp/day2.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/tmp/day2_out.txt");
    w.Type("IDC_BATCH_OUTPUT", "");
    EXPECT_FALSE(w.Enabled("IDC_BATCH_RUN"));
    w.Type("IDC_BATCH_OUTPUT", "/tmp/mine.txt");
    w.Type("IDC_BATCH_INPUT", "/tmp/day3.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/tmp/mine.txt");
    w.Type("IDC_BATCH_INPUT", "");
    EXPECT_FALSE(w.Enabled("IDC_BATCH_RUN"));
}

TEST(BatchOutput, AWindowWithoutAConversionCannotRun) {
    Window w(false);
    w.Type("IDC_BATCH_INPUT", "/tmp/pts.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/tmp/pts_out.txt");
    EXPECT_FALSE(w.Enabled("IDC_BATCH_RUN"));
    EXPECT_EQ(w.Item<QTreeWidget>("IDC_BATCH_PREVIEW")->columnCount(), 0);
}

TEST(BatchFiles, BrowseButtonsAskTheDesktopsDialogsAndCancelChangesNothing) {
    ScopedRecordingServices services;
    Window w;
    services.chosenFiles = {"/data/pts.txt"};
    w.Click("IDC_BATCH_BROWSE_IN");
    EXPECT_EQ(w.Text("IDC_BATCH_INPUT"), "/data/pts.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/data/pts_out.txt");
    w.Click("IDC_BATCH_BROWSE_OUT"); // cancelled: no answer left
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/data/pts_out.txt");
    services.chosenFiles = {"/data/result.txt"};
    w.Click("IDC_BATCH_BROWSE_OUT");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/data/result.txt");
    ASSERT_EQ(services.fileDialogs.size(), 3u);
    EXPECT_TRUE(services.fileDialogs[0].open);
    EXPECT_FALSE(services.fileDialogs[1].open);
    EXPECT_TRUE(services.fileDialogs[1].confirmOverwrite);
    EXPECT_EQ(services.fileDialogs[1].fileName, "/data/pts_out.txt");
    EXPECT_EQ(services.fileDialogs[2].defaultExt, "txt");
}

TEST(BatchFiles, AFileDroppedOnTheWindowBecomesTheInput) {
    Window w;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/data/第1天.txt"), QUrl::fromLocalFile("/data/b.txt")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.dlg->m_hWnd, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.dlg->m_hWnd, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(w.Text("IDC_BATCH_INPUT"), "/data/第1天.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_OUTPUT"), "/data/第1天_out.txt");
}

TEST(BatchPreview, TheInputsFirstRecordsShowUnderTheirRoles) {
    Window w;
    w.preview.headings = {"点名", "其他", "Y", "X"};
    w.preview.rows = {{"P1", "A", "18399692.74", "3386902.25"}, {"P2", "B", "1", "2"}};
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    EXPECT_EQ(w.Headings("IDC_BATCH_PREVIEW"), w.preview.headings);
    EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 0), w.preview.rows[0]);
    EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 1), w.preview.rows[1]);
    // The column list and the operation are asked again with what they now say.
    w.preview.headings = {"点名", "B", "L"};
    w.preview.rows = {{"1001", "30.1", "114.2"}};
    w.Type("IDC_BATCH_COLUMNS", "name,B,L");
    EXPECT_EQ(w.Headings("IDC_BATCH_PREVIEW"), w.preview.headings);
    EXPECT_EQ(w.Item<QTreeWidget>("IDC_BATCH_PREVIEW")->topLevelItemCount(), 1);
    EXPECT_EQ(w.previews.back().columns, "name,B,L");
    w.Choose("IDC_BATCH_OPERATION", "反算");
    EXPECT_EQ(w.previews.back().operation, BatchOperation::Inverse);
    EXPECT_EQ(w.previews.back().input, "/data/pts.txt");
    w.preview = BatchPreview{{}, {}, "无法读取文件", {}};
    w.Type("IDC_BATCH_COLUMNS", "");
    EXPECT_EQ(w.Headings("IDC_BATCH_PREVIEW"), (std::vector<std::string>{"无法预览"}));
    EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 0), (std::vector<std::string>{"无法读取文件"}));
}

// A hint about the records shown (a point number read as a coordinate) follows them.
TEST(BatchPreview, AHintFollowsTheRecordsItIsAbout) {
    Window w;
    w.preview.headings = {"X", "Y", "其他"};
    w.preview.rows = {{"1001", "3386902.25", "18399692.74"}};
    w.preview.hint = "提示：第一列 '1001' 被读作 X 坐标";
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    EXPECT_EQ(w.Item<QTreeWidget>("IDC_BATCH_PREVIEW")->topLevelItemCount(), 2);
    EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 0), w.preview.rows[0]);
    const std::vector<std::string> hint = w.Row("IDC_BATCH_PREVIEW", 1);
    ASSERT_FALSE(hint.empty());
    EXPECT_EQ(hint[0], w.preview.hint);
}

TEST(BatchRun, ARunReportsProgressThenTheSummaryAndTheFailedRecords) {
    ScopedRecordingServices services;
    Window w;
    std::atomic<bool> hold{true};
    w.job.progress = {{30, 100}};
    w.job.failures = {{"pts.txt", 3, "B", "不是数: \"3O.5\""}, {"pts.txt", 9, "L", "超出范围"}};
    w.job.outcome = {BatchOutcome::Status::Done, 8, 2, ""};
    w.job.hold = &hold;
    w.Choose("IDC_BATCH_OPERATION", "反算");
    w.Choose("IDC_BATCH_ZONE_WIDTH", "六度带");
    w.Choose("IDC_BATCH_ELLIPSOID", "CGCS2000");
    w.Choose("IDC_BATCH_ANGLES", "度:分:秒");
    w.Type("IDC_BATCH_COLUMNS", "name,-,Y,X");
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Click("IDC_BATCH_RUN");
    ASSERT_EQ(w.jobsMade.size(), 1u);
    const BatchRequest& request = w.jobsMade[0];
    EXPECT_EQ(request.input, "/data/pts.txt");
    EXPECT_EQ(request.output, "/data/pts_out.txt");
    EXPECT_EQ(request.columns, "name,-,Y,X");
    EXPECT_EQ(request.operation, BatchOperation::Inverse);
    EXPECT_EQ(request.zoneWidth, 6);
    EXPECT_EQ(request.a, 6378137.0);
    EXPECT_EQ(request.alfa, 298.257222101);
    EXPECT_EQ(request.angles, BatchAngles::Dms);

    // While it runs: the bar moves, the failures arrive, only Stop is on.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.Item<QProgressBar>("IDC_BATCH_PROGRESS")->value() == 300; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.Item<QTreeWidget>("IDC_BATCH_ERRORS")->topLevelItemCount() == 2; },
        kWaitMs));
    EXPECT_TRUE(w.Enabled("IDC_BATCH_STOP"));
    for (const char* off : {"IDC_BATCH_RUN", "IDC_BATCH_INPUT", "IDC_BATCH_OPERATION",
                            "IDC_BATCH_BROWSE_OUT", "IDC_BATCH_OPEN_FOLDER"}) {
        EXPECT_FALSE(w.Enabled(off)) << off;
    }
    w.dlg->SendMessage(WM_TIMER, 1);
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "已读 30%")) << w.Text("IDC_BATCH_SUMMARY");

    hold = false;
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "已转换 8 条记录，失败 2 条"))
        << w.Text("IDC_BATCH_SUMMARY");
    EXPECT_EQ(w.Item<QProgressBar>("IDC_BATCH_PROGRESS")->value(), 1000);
    EXPECT_EQ(w.Row("IDC_BATCH_ERRORS", 0),
              (std::vector<std::string>{"3", "B", "不是数: \"3O.5\""}));
    EXPECT_EQ(w.Row("IDC_BATCH_ERRORS", 1), (std::vector<std::string>{"9", "L", "超出范围"}));
    EXPECT_FALSE(w.Enabled("IDC_BATCH_STOP"));
    ASSERT_TRUE(w.Enabled("IDC_BATCH_OPEN_FOLDER"));
    w.Click("IDC_BATCH_OPEN_FOLDER");
    EXPECT_EQ(services.opened, (std::vector<std::string>{"/data"}));
}

// The summary, the failed records and the folder of the last run belong to its input: a new
// path typed takes them away.
TEST(BatchRun, ANewInputClearsTheLastRunsResults) {
    ScopedRecordingServices services;
    Window w;
    w.job.progress = {{100, 100}};
    w.job.failures = {{"pts.txt", 3, "B", "超出范围"}};
    w.job.outcome = {BatchOutcome::Status::Done, 8, 1, ""};
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_OPEN_FOLDER"); }, kWaitMs));
    ASSERT_EQ(w.Item<QTreeWidget>("IDC_BATCH_ERRORS")->topLevelItemCount(), 1);

    w.Type("IDC_BATCH_INPUT", "/data/other.txt");
    EXPECT_EQ(w.Text("IDC_BATCH_SUMMARY"), "");
    EXPECT_EQ(w.Item<QTreeWidget>("IDC_BATCH_ERRORS")->topLevelItemCount(), 0);
    EXPECT_EQ(w.Item<QProgressBar>("IDC_BATCH_PROGRESS")->value(), 0);
    EXPECT_FALSE(w.Enabled("IDC_BATCH_OPEN_FOLDER"));
    EXPECT_TRUE(w.Enabled("IDC_BATCH_RUN"));
}

// With no file manager on the desktop, the folder's path is shown so it can be copied.
TEST(BatchRun, WithNoFileManagerTheFolderIsShownInAMessage) {
    ScopedRecordingServices services;
    services.openSucceeds = FALSE;
    Window w;
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_OPEN_FOLDER"); }, kWaitMs));
    w.Click("IDC_BATCH_OPEN_FOLDER");
    EXPECT_EQ(services.opened, (std::vector<std::string>{"/data"}));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_TRUE(Contains(services.boxes[0].text, "文件管理器")) << services.boxes[0].text;
    EXPECT_TRUE(Contains(services.boxes[0].text, "\n/data")) << services.boxes[0].text;
}

TEST(BatchRun, StoppedFailedAndBrokenRunsSayTheOutputWasNotWritten) {
    struct Case {
        const char* name;
        BatchOutcome::Status status;
        bool stopByButton;
        bool throws;
        const char* summary;
    };
    const Case cases[] = {
        {"stopped", BatchOutcome::Status::Stopped, true, false, "已停止，输出文件未写入"},
        {"unwritable", BatchOutcome::Status::Failed, false, false,
         "转换失败：无法写入 /ro/out.txt。输出文件未写入。"},
        {"thrown", BatchOutcome::Status::Done, false, true, "转换失败：磁盘已满。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        std::atomic<bool> hold{c.stopByButton};
        std::atomic<bool> sawStop{false};
        w.job.outcome = {c.status, 5, 0, "无法写入 /ro/out.txt"};
        w.job.hold = &hold;
        w.job.sawStop = &sawStop;
        w.job.throws = c.throws;
        w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
        w.Click("IDC_BATCH_RUN");
        if (c.stopByButton) {
            ASSERT_TRUE(w.Enabled("IDC_BATCH_STOP"));
            EXPECT_EQ(QApplication::focusWidget(), w.Item("IDC_BATCH_STOP"));
            w.Click("IDC_BATCH_STOP");
            EXPECT_FALSE(w.Enabled("IDC_BATCH_STOP"));
        }
        ASSERT_TRUE(w.WaitIdle());
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
        EXPECT_EQ(sawStop.load(), c.stopByButton);
        EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), c.summary))
            << w.Text("IDC_BATCH_SUMMARY");
        EXPECT_FALSE(w.Enabled("IDC_BATCH_OPEN_FOLDER"));
        EXPECT_TRUE(w.dlg->m_hWnd->isVisible());
    }
}

TEST(BatchRun, AnUnusableUserDefinedEllipsoidIsReportedAtItsFieldAndNothingRuns) {
    ScopedRecordingServices services;
    Window w;
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Choose("IDC_BATCH_ELLIPSOID", "自定义");
    struct Case {
        const char* a;
        const char* alfa;
        const char* field;
    };
    const Case cases[] = {{"-6378137", "298.3", "IDC_BATCH_A"},
                          {"abc", "298.3", "IDC_BATCH_A"},
                          {"6378137", "", "IDC_BATCH_ALFA"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        w.Type("IDC_BATCH_A", c.a);
        w.Type("IDC_BATCH_ALFA", c.alfa);
        const size_t boxes = services.boxes.size();
        w.Click("IDC_BATCH_RUN");
        EXPECT_EQ(services.boxes.size(), boxes + 1);
        EXPECT_EQ(QApplication::focusWidget(), w.Item(c.field));
        EXPECT_TRUE(w.jobsMade.empty());
    }
    w.Type("IDC_BATCH_A", "6378000");
    w.Type("IDC_BATCH_ALFA", "300");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter runs
    ASSERT_EQ(w.jobsMade.size(), 1u);
    EXPECT_EQ(w.jobsMade[0].a, 6378000.0);
    EXPECT_EQ(w.jobsMade[0].alfa, 300.0);
    ASSERT_TRUE(w.WaitIdle());
}

TEST(BatchRun, TheListKeepsTheFirstTenThousandFailuresAndTheSummarySaysSo) {
    Window w;
    for (std::uint64_t line = 1; line <= CBatchRun::kMaxKept + 5; ++line) {
        w.job.failures.push_back({"pts.txt", line, "B", "超出范围"});
    }
    w.job.outcome = {BatchOutcome::Status::Done, 0, CBatchRun::kMaxKept + 5, ""};
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
    auto* errors = w.Item<QTreeWidget>("IDC_BATCH_ERRORS");
    EXPECT_EQ(errors->topLevelItemCount(), static_cast<int>(CBatchRun::kMaxKept));
    EXPECT_EQ(w.Row("IDC_BATCH_ERRORS", static_cast<int>(CBatchRun::kMaxKept) - 1)[0], "10000");
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "失败 10005 条"));
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "下表只列出前 10000 条"));
}

TEST(BatchClose, ClosingDuringARunAsksAndClosesOnlyOnceTheRunHasStopped) {
    ScopedRecordingServices services;
    Window w;
    std::atomic<bool> hold{true};
    std::atomic<bool> sawStop{false};
    w.job.hold = &hold;
    w.job.sawStop = &sawStop;
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Click("IDC_BATCH_RUN");
    services.answer = IDNO;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(w.dlg->m_hWnd->isVisible());
    EXPECT_TRUE(w.dlg->IsRunning());
    EXPECT_FALSE(sawStop.load());

    services.answer = IDYES;
    w.dlg->m_hWnd->close();
    EXPECT_EQ(services.boxes.size(), 2u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.dlg->m_hWnd->isVisible(); }, kWaitMs));
    EXPECT_TRUE(sawStop.load());
    EXPECT_FALSE(w.dlg->IsRunning());
}

TEST(BatchClose, AnIdleWindowClosesAtOnceAndAWindowDestroyedMidRunStopsItsRun) {
    ScopedRecordingServices services;
    {
        Window w;
        w.Click("IDCANCEL");
        EXPECT_FALSE(w.dlg->m_hWnd->isVisible());
        EXPECT_TRUE(services.boxes.empty());
    }
    std::atomic<bool> hold{true};
    std::atomic<bool> sawStop{false};
    {
        Window w;
        w.job.hold = &hold;
        w.job.sawStop = &sawStop;
        w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
        w.Click("IDC_BATCH_RUN");
        EXPECT_TRUE(w.dlg->IsRunning());
        delete w.dlg->m_hWnd; // as when the form, its owner, goes
        EXPECT_FALSE(w.dlg->IsRunning());
    }
    EXPECT_TRUE(sawStop.load());
}

// The question came while the run was ending: a yes closes the window all the same.
TEST(BatchClose, AYesGivenAfterTheRunHasEndedClosesTheWindow) {
    ScopedRecordingServices services;
    Window w;
    std::atomic<bool> hold{true};
    w.job.hold = &hold;
    w.Type("IDC_BATCH_INPUT", "/data/pts.txt");
    w.Click("IDC_BATCH_RUN");
    services.answer = IDYES;
    services.onMessageBox = [&](const RecordingServices::Box&) {
        hold = false;
        ASSERT_TRUE(w.WaitIdle());
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_FALSE(w.dlg->m_hWnd->isVisible());
    EXPECT_FALSE(w.dlg->IsRunning());
}

// The form's Tools menu, as the user opens it.
void ChooseBatchCommand(CConverterDlg& form) {
    auto* bar = form.m_hWnd->findChild<QMenuBar*>("IDR_MAIN_MENU");
    ASSERT_NE(bar, nullptr);
    QAction* tools = bar->actions().value(0);
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->text(), QStringLiteral("工具(&T)"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(tools).center());
    QMenu* menu = tools->menu();
    ASSERT_TRUE(menu && menu->isVisible());
    QAction* batch = menu->actions().value(0);
    ASSERT_NE(batch, nullptr);
    EXPECT_EQ(batch->text(), QStringLiteral("批量转换(&B)..."));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(batch).center());
}

TEST(BatchMenu, TheToolsCommandOpensOneWindowAndBringsItBackAfterwards) {
    CConverterApp app;
    CConverterDlg form;
    ASSERT_TRUE(form.Create());
    app.m_pMainWnd = &form;
    QApplication::setActiveWindow(form.m_hWnd);
    auto batchWindows = [&] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::count_if(windows.begin(), windows.end(),
                             [](QWidget* w) { return w->objectName() == "IDD_BATCH_DIALOG"; });
    };
    ChooseBatchCommand(form);
    ASSERT_NE(form.m_pBatchDlg, nullptr);
    CBatchDlg* first = form.m_pBatchDlg.get();
    EXPECT_TRUE(first->m_hWnd->isVisible());
    // A window of its own beside the form, not over it.
    EXPECT_EQ(first->m_hWnd->parentWidget(), nullptr);
    EXPECT_EQ(batchWindows(), 1);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect formFrame = form.m_hWnd->frameGeometry();
    const QRect batchFrame = first->m_hWnd->frameGeometry();
    if (formFrame.width() + batchFrame.width() <= screen.width()) {
        EXPECT_FALSE(batchFrame.intersects(formFrame));
    } else { // a screen too narrow for both: as far from the form as it allows
        EXPECT_EQ(batchFrame.right(), screen.right());
        EXPECT_EQ(formFrame.left(), screen.left());
    }
    EXPECT_TRUE(screen.contains(batchFrame));
    EXPECT_TRUE(screen.contains(form.m_hWnd->frameGeometry()));

    first->m_editInput.SetWindowText("/data/pts.txt");
    ChooseBatchCommand(form);
    EXPECT_EQ(form.m_pBatchDlg.get(), first);
    EXPECT_EQ(batchWindows(), 1);
    EXPECT_EQ(first->m_editInput.GetWindowText(), "/data/pts.txt");
    // The form goes on working while the window is open.
    EXPECT_TRUE(form.m_hWnd->isEnabled());

    first->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    ChooseBatchCommand(form);
    EXPECT_EQ(batchWindows(), 1);
    EXPECT_TRUE(form.m_pBatchDlg->m_hWnd->isVisible());
    EXPECT_EQ(form.m_pBatchDlg->m_editInput.GetWindowText(), "");
    app.m_pMainWnd = nullptr;
}

// The window over the real conversion: what gkconv writes and reports, the window writes and
// lists.

// Good and bad records under every line ending, a byte order mark, a comment, a blank line and
// a last line without an ending.
const std::string kMixedGeodetic = "\xEF\xBB\xBF# field book\r\n"
                                   "P1 30.3015 114.2030\r\n"
                                   "P2 95 114\n"
                                   "P3,30.3015,114.2030\r"
                                   "P4 30.3015 abc\r\n"
                                   "\r\n"
                                   "P5 31.0000 117.3000";
const std::string kMixedPlane = "\xEF\xBB\xBFP1 3376053.2931 38532798.3303\r\n"
                                "P2 3376053.2931 3853x\n"
                                "P3\t3376053.2931\t38532798.3303\r"
                                "P4 3376053.2931 99532798.3303";

TEST(BatchConversion, TheWindowsOutputIsByteForByteGkconvsAndItListsWhatGkconvReports) {
    struct Case {
        const char* what;
        const std::string& input;
        std::vector<std::pair<const char*, const char*>> choices; // combo box, entry
        const char* meridian;
        bool noPrefix;
        const char* gkconvArgs;
        bool header = false;
    };
    const Case cases[] = {
        {"forward, 3-degree zones, the defaults", kMixedGeodetic, {}, "", false, "forward -w 3"},
        {"inverse, 6-degree zones, CGCS2000, D:M:S",
         kMixedPlane,
         {{"IDC_BATCH_OPERATION", "反算"},
          {"IDC_BATCH_ZONE_WIDTH", "六度带"},
          {"IDC_BATCH_ELLIPSOID", "CGCS2000"},
          {"IDC_BATCH_ANGLES", "度:分:秒"}},
         "",
         false,
         "inverse -w 6 -e cgcs2000 --angles dms"},
        {"forward by Krueger about a meridian of one's own",
         kMixedGeodetic,
         {{"IDC_BATCH_METHOD", "Krüger 级数"}, {"IDC_BATCH_ANGLES", "十进制度"}},
         "114:30",
         true,
         "forward -w 3 --method krueger --central-meridian 114:30 --no-prefix --angles deg"},
        {"Xian 1980 in 6-degree zones",
         kMixedGeodetic,
         {{"IDC_BATCH_ELLIPSOID", "西安1980"}, {"IDC_BATCH_ZONE_WIDTH", "六度带"}},
         "",
         false,
         "forward -w 6 -e xian80"},
        {"a first line that is a header",
         kMixedPlane,
         {{"IDC_BATCH_OPERATION", "反算"}},
         "",
         false,
         "inverse -w 3 --header",
         true},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string in = folder.Write("pts.txt", c.input);
        const std::string gkconvOut = (folder.path / "gkconv.txt").string();
        const std::string gkconvErr = (folder.path / "gkconv.err").string();
        const std::string command = std::string(GKCONV_PATH) + " " + c.gkconvArgs + " -o " +
                                    gkconvOut + " " + in + " 2> " + gkconvErr;
        ASSERT_NE(std::system(command.c_str()), -1);

        Window w(FileConversionBackend());
        for (const auto& [combo, entry] : c.choices) {
            w.Choose(combo, entry);
        }
        w.Type("IDC_BATCH_MERIDIAN", c.meridian);
        w.Item<QCheckBox>("IDC_BATCH_NO_PREFIX")->setChecked(c.noPrefix);
        w.Item<QCheckBox>("IDC_BATCH_HEADER")->setChecked(c.header);
        w.Type("IDC_BATCH_INPUT", in.c_str());
        w.Click("IDC_BATCH_RUN");
        ASSERT_TRUE(w.WaitIdle());
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));

        const std::string windowOut = (folder.path / "pts_out.txt").string();
        EXPECT_EQ(ReadBytes(windowOut), ReadBytes(gkconvOut));
        EXPECT_FALSE(ReadBytes(windowOut).empty());
        // gkconv's "FILE:LINE: message" lines, then its count of failures. The window lists
        // the same records and says what is wrong in its own words, quoting the same field.
        std::istringstream reported(ReadBytes(gkconvErr));
        std::string line;
        int row = 0;
        while (std::getline(reported, line) && line.rfind(in + ":", 0) == 0) {
            const std::string rest = line.substr(in.size() + 1);
            const size_t colon = rest.find(": ");
            const std::vector<std::string> listed = w.Row("IDC_BATCH_ERRORS", row++);
            ASSERT_EQ(listed.size(), 3u) << line;
            EXPECT_EQ(listed[0], rest.substr(0, colon));
            const std::string message = rest.substr(colon + 2);
            const size_t open = message.find('\'');
            if (open != std::string::npos) {
                const std::string quoted = message.substr(open, message.rfind('\'') - open + 1);
                EXPECT_TRUE(Contains(listed[2], quoted)) << listed[2] << " / " << message;
            }
            EXPECT_NE(listed[2], message);
        }
        EXPECT_GT(row, 0);
        EXPECT_EQ(w.Item<QTreeWidget>("IDC_BATCH_ERRORS")->topLevelItemCount(), row);
        EXPECT_TRUE(Contains(line, "gkconv: " + std::to_string(row) + " of ")) << line;
        EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "失败 " + std::to_string(row) + " 条"))
            << w.Text("IDC_BATCH_SUMMARY");
        w.dlg->DestroyWindow();
        std::filesystem::remove(windowOut);
    }
}

TEST(BatchConversion, TheFieldAtFaultIsNamedByItsColumn) {
    TempFolder folder;
    const std::string in = folder.Write("pts.txt", "P1 95 114\nP2 30\n");
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_INPUT", in.c_str());
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.Item<QTreeWidget>("IDC_BATCH_ERRORS")->topLevelItemCount() == 2; },
        kWaitMs));
    EXPECT_EQ(w.Row("IDC_BATCH_ERRORS", 0)[1], "第 2 列");
    EXPECT_EQ(w.Row("IDC_BATCH_ERRORS", 1)[1], "第 3 列"); // the coordinate that is missing
}

TEST(BatchConversion, ThePreviewSplitsAsTheConverterWillAndNamesEachColumnsRole) {
    TempFolder folder;
    const std::string in = folder.Write("pts.txt", "# day 1\r\n"
                                                   "P1,CP,30.3015,114.2030,12.5\r\n"
                                                   "P2,,30.3016,114.2031,12.7\r\n");
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_INPUT", in.c_str());
    EXPECT_EQ(w.Headings("IDC_BATCH_PREVIEW"),
              (std::vector<std::string>{"点名", "B", "L", "其他", "其他"}));
    EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 0)[0], "# day 1");
    EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 2),
              (std::vector<std::string>{"P2", "", "30.3016", "114.2031", "12.7"}));
    struct Case {
        const char* operation;
        const char* columns;
        std::vector<std::string> headings;
    };
    const Case cases[] = {
        {"正算", "name,-,B,L,-", {"点名", "其他", "B", "L", "其他"}},
        {"反算", "name,-,Y,X,-", {"点名", "其他", "Y", "X", "其他"}},
        {"正算", "-,-,L,B", {"其他", "其他", "L", "B", "其他"}},
        {"反算", "name,-,B,L,-", {"无法预览"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns);
        w.Choose("IDC_BATCH_OPERATION", c.operation);
        w.Type("IDC_BATCH_COLUMNS", c.columns);
        EXPECT_EQ(w.Headings("IDC_BATCH_PREVIEW"), c.headings);
    }
    EXPECT_TRUE(Contains(w.Row("IDC_BATCH_PREVIEW", 0)[0], "各列含义须按文件中的顺序逐列写出"));
}

// A path typed letter by letter passes through names that are no files, and some that are
// files no preview should read to their end.
TEST(BatchConversion, APreviewOfAPipeOrADeviceComesBackAtOnceWithAMessage) {
    TempFolder folder;
    const std::string fifo = (folder.path / "pipe").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Window w(FileConversionBackend());
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        w.Type("IDC_BATCH_INPUT", path.c_str());
        EXPECT_EQ(w.Headings("IDC_BATCH_PREVIEW"), (std::vector<std::string>{"无法预览"}));
        EXPECT_EQ(w.Row("IDC_BATCH_PREVIEW", 0)[0], "无法预览 " + path + "：不是普通文件");
    }
    // Nor does a run wait on the pipe: it fails at once.
    w.Type("IDC_BATCH_INPUT", fifo.c_str());
    w.Type("IDC_BATCH_OUTPUT", (folder.path / "out.txt").c_str());
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    EXPECT_EQ(w.Text("IDC_BATCH_SUMMARY"),
              "转换失败：无法读取 " + fifo + "：不是普通文件。输出文件未写入。");
}

// A run replaces an existing output only when the user says so, and a run that converts no
// record leaves it as it was and says so: a mistaken operation must not wipe out a file of
// good results.
TEST(BatchConversion, AnExistingOutputIsReplacedOnlyWhenTheUserAgreesAndNeverByNothing) {
    TempFolder folder;
    const std::string in = folder.Write("site.csv", "P1,3386902.25,18399692.74\n"
                                                    "P2,3386900.00,18399690.00\n");
    const std::string good = "P1,30.3553774691,103.5714746507\n";
    const std::string out = folder.Write("site_out.csv", good);
    ScopedRecordingServices services;
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_INPUT", in.c_str());
    ASSERT_EQ(w.Text("IDC_BATCH_OUTPUT"), out);

    // No: nothing runs, nothing is touched.
    services.answer = IDNO;
    w.Click("IDC_BATCH_RUN");
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(Contains(services.boxes[0].text, out)) << services.boxes[0].text;
    EXPECT_FALSE(w.dlg->IsRunning());
    EXPECT_EQ(ReadBytes(out), good);

    // Yes, but forward on plane coordinates: every record fails, and the file stays.
    services.answer = IDYES;
    w.Click("IDC_BATCH_RUN");
    ASSERT_EQ(services.boxes.size(), 2u);
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "已有的输出文件保持原样"))
        << w.Text("IDC_BATCH_SUMMARY");
    EXPECT_EQ(w.Item<QTreeWidget>("IDC_BATCH_ERRORS")->topLevelItemCount(), 2);
    EXPECT_EQ(ReadBytes(out), good);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"site.csv", "site_out.csv"}));

    // The right operation: asked once per file, the file is replaced.
    w.Choose("IDC_BATCH_OPERATION", "反算");
    w.Choose("IDC_BATCH_ZONE_WIDTH", "六度带");
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
    EXPECT_EQ(services.boxes.size(), 2u);
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "已转换 2 条记录"))
        << w.Text("IDC_BATCH_SUMMARY");
    EXPECT_NE(ReadBytes(out), good);
}

// The save dialog has asked about the file it returns; the window does not ask again.
TEST(BatchOutput, AFileChosenInTheSaveDialogIsNotAskedAboutTwice) {
    TempFolder folder;
    const std::string in = folder.Write("pts.txt", "30.3015 114.2030\n");
    const std::string out = folder.Write("chosen.txt", "old\n");
    ScopedRecordingServices services;
    services.chosenFiles = {out};
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_INPUT", in.c_str());
    w.Click("IDC_BATCH_BROWSE_OUT");
    ASSERT_EQ(w.Text("IDC_BATCH_OUTPUT"), out);
    w.Click("IDC_BATCH_RUN");
    ASSERT_TRUE(w.WaitIdle());
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(ReadBytes(out), "3376053.2931 38532798.3303\n");
}

TEST(BatchConversion, StoppingARunLeavesNoOutputFileBehind) {
    TempFolder folder;
    std::string big;
    for (int i = 0; i < 1500000; ++i) { // about 28 MB: many blocks to stop between
        big += "P 30.3015 114.2030\n";
    }
    const std::string in = folder.Write("big.txt", big);
    big.clear();
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_INPUT", in.c_str());
    w.Click("IDC_BATCH_RUN");
    w.Click("IDC_BATCH_STOP");
    ASSERT_TRUE(w.WaitIdle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "已停止")) << w.Text("IDC_BATCH_SUMMARY");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"big.txt"}));
    EXPECT_FALSE(w.Enabled("IDC_BATCH_OPEN_FOLDER"));
}

TEST(BatchConversion, SettingsThatDescribeNoProjectionAreRefusedWithAMessageAndNothingRuns) {
    TempFolder folder;
    const std::string in = folder.Write("pts.txt", "30.3015 114.2030\n");
    ScopedRecordingServices services;
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_INPUT", in.c_str());
    struct Case {
        const char* meridian;
        bool noPrefix;
        const char* columns;
        const char* message; // empty when the run goes ahead
    };
    const Case cases[] = {
        // The meridian reads in the chosen angle form (packed here); D:M:S in any.
        {"114:30", false, "", "中央子午线 114.5 不是3度带中某一带的中央子午线"},
        {"E114", false, "", "中央子午线须是 -180° 到 360° 之间的经度"},
        {"", true, "", "Y 不带带号时，须给出中央子午线"},
        {"", false, "B,B", "各列含义须按文件中的顺序逐列写出"},
        {"114", false, "", ""}, // a zone's own meridian keeps the prefix
        {"114.5", true, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        w.Type("IDC_BATCH_MERIDIAN", c.meridian);
        w.Item<QCheckBox>("IDC_BATCH_NO_PREFIX")->setChecked(c.noPrefix);
        w.Type("IDC_BATCH_COLUMNS", c.columns);
        const size_t boxes = services.boxes.size();
        w.Click("IDC_BATCH_RUN");
        if (*c.message) {
            ASSERT_EQ(services.boxes.size(), boxes + 1);
            EXPECT_TRUE(Contains(services.boxes.back().text, c.message))
                << services.boxes.back().text;
            EXPECT_FALSE(w.dlg->IsRunning());
            EXPECT_FALSE(std::filesystem::exists(folder.path / "pts_out.txt"));
        } else {
            EXPECT_EQ(services.boxes.size(), boxes);
            ASSERT_TRUE(w.WaitIdle());
            ASSERT_TRUE(QTest::qWaitFor([&] { return w.Enabled("IDC_BATCH_RUN"); }, kWaitMs));
            EXPECT_TRUE(Contains(w.Text("IDC_BATCH_SUMMARY"), "已转换 1 条记录，失败 0 条"))
                << w.Text("IDC_BATCH_SUMMARY");
            std::filesystem::remove(folder.path / "pts_out.txt");
        }
    }
}

TEST(BatchConversion, TheEllipsoidListIsTheEnginesPresetsThenTheUsersOwn) {
    Window w(FileConversionBackend());
    auto* combo = w.Item<QComboBox>("IDC_BATCH_ELLIPSOID");
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    EXPECT_EQ(texts, (QStringList{"WGS1984", "西安1980", "北京1954", "CGCS2000", "自定义"}));
}

TEST(BatchEpsg, ACodeFillsTheProjectionSettingsWhichStayEditable) {
    Window w(FileConversionBackend());
    // A screen reader names the field by its label, as the other fields.
    EXPECT_EQ(w.Item("IDC_BATCH_EPSG")->accessibleName().toStdString(), "EPSG 代码");
    w.Type("IDC_BATCH_EPSG", "EPSG:4547");
    EXPECT_EQ(w.Choice("IDC_BATCH_ZONE_WIDTH"), "三度带");
    EXPECT_EQ(w.Choice("IDC_BATCH_ELLIPSOID"), "CGCS2000");
    EXPECT_EQ(w.Text("IDC_BATCH_MERIDIAN"), "114");
    EXPECT_TRUE(w.Item<QCheckBox>("IDC_BATCH_NO_PREFIX")->isChecked());
    EXPECT_EQ(w.Text("IDC_BATCH_EPSG_MATCH"),
              "当前设置即 EPSG:4547（CGCS2000三度带）：中央子午线 114°，Y 不带带号");
    // The fields are the user's again: a meridian of one's own has no code.
    EXPECT_TRUE(w.Enabled("IDC_BATCH_MERIDIAN"));
    w.Type("IDC_BATCH_MERIDIAN", "114:30");
    EXPECT_EQ(w.Text("IDC_BATCH_EPSG_MATCH"),
              "当前设置（中央子午线 114.5°，Y 不带带号）没有对应的 EPSG 代码");

    w.Type("IDC_BATCH_EPSG", "2334"); // Xi'an 1980, 6° zone 20 with the zone in Y
    EXPECT_EQ(w.Choice("IDC_BATCH_ZONE_WIDTH"), "六度带");
    EXPECT_EQ(w.Choice("IDC_BATCH_ELLIPSOID"), "西安1980");
    EXPECT_EQ(w.Text("IDC_BATCH_MERIDIAN"), "117");
    EXPECT_FALSE(w.Item<QCheckBox>("IDC_BATCH_NO_PREFIX")->isChecked());
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), "EPSG:2334（西安80六度带）"))
        << w.Text("IDC_BATCH_EPSG_MATCH");
}

TEST(BatchEpsg, ACodeOutsideTheTableChangesNothingAndNamesTheNearest) {
    Window w(FileConversionBackend());
    w.Type("IDC_BATCH_MERIDIAN", "114:30");
    w.Type("IDC_BATCH_EPSG", "4555");
    EXPECT_EQ(w.Text("IDC_BATCH_MERIDIAN"), "114:30");
    EXPECT_EQ(w.Choice("IDC_BATCH_ELLIPSOID"), "WGS1984");
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), "EPSG:4554、EPSG:4553、EPSG:4552"))
        << w.Text("IDC_BATCH_EPSG_MATCH");

    w.Type("IDC_BATCH_EPSG", "21473"); // deprecated: taken, and said so
    EXPECT_EQ(w.Choice("IDC_BATCH_ELLIPSOID"), "北京1954");
    const std::string text = w.Text("IDC_BATCH_EPSG_MATCH");
    EXPECT_TRUE(Contains(text, "EPSG:21473 已废弃，与 EPSG:21453 相同")) << text;
    EXPECT_TRUE(Contains(text, "EPSG:21453（北京54六度带）")) << text;
}

// 3° <-> 6° into the one zone of a target code, as gkconv 3to6 and 6to3 --crs: the field is
// there for these two only, takes the code's ellipsoid, and the output is gkconv's.
TEST(BatchEpsg, ATargetCodeSendsTheZoneChangeIntoItsZoneAsGkconvDoes) {
    // 30°30′N 114°30′E on CGCS2000: in 3° zone 38, and in 6° zone 20 (standard) or 19.
    const std::string three = "P1 3375648.0326 38547999.7613\n";
    const std::string six = "P1 3378200.6390 20259965.4835\n";
    struct Case {
        const char* operation;
        const std::string& input;
        const char* code;
        const char* match; // in the line under the settings
        const char* gkconvArgs;
    };
    const Case cases[] = {
        {"三度带 --> 六度带", three, "EPSG:4498", "EPSG:4498（CGCS2000六度带）",
         "3to6 --crs EPSG:4498"},
        {"三度带 --> 六度带", three, "4509", "EPSG:4509（CGCS2000六度带）", "3to6 --crs EPSG:4509"},
        {"三度带 --> 六度带", three, "4497", "第 19 带", "3to6 --crs 4497"},
        {"六度带 --> 三度带", six, "EPSG:4526", "EPSG:4526（CGCS2000三度带）",
         "6to3 --crs EPSG:4526"},
        {"六度带 --> 三度带", six, "2414", "EPSG:2414（北京54三度带）", "6to3 --crs EPSG:2414"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gkconvArgs);
        const std::string in = folder.Write("pts.txt", c.input);
        const std::string gkconvOut = (folder.path / "gkconv.txt").string();
        const std::string windowOut = (folder.path / "pts_out.txt").string();
        std::filesystem::remove(gkconvOut);
        std::filesystem::remove(windowOut); // so that no question stops the run
        const std::string command =
            std::string(GKCONV_PATH) + " " + c.gkconvArgs + " -o " + gkconvOut + " " + in;
        ASSERT_EQ(std::system(command.c_str()), 0);

        Window w(FileConversionBackend());
        EXPECT_FALSE(w.Enabled("IDC_BATCH_TARGET_EPSG"));
        w.Choose("IDC_BATCH_OPERATION", c.operation);
        ASSERT_TRUE(w.Enabled("IDC_BATCH_TARGET_EPSG"));
        w.Type("IDC_BATCH_TARGET_EPSG", c.code);
        EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), c.match))
            << w.Text("IDC_BATCH_EPSG_MATCH");
        w.Type("IDC_BATCH_INPUT", in.c_str());
        w.Click("IDC_BATCH_RUN");
        ASSERT_TRUE(w.WaitIdle());
        EXPECT_EQ(ReadBytes(windowOut), ReadBytes(gkconvOut));
        EXPECT_FALSE(ReadBytes(windowOut).empty());
    }
}

TEST(BatchEpsg, ATargetCodeTakesItsEllipsoidAndSaysWhatItCannotBe) {
    Window w(FileConversionBackend());
    for (const char* operation : {"正算", "反算", "邻带换算", "坐标系转换", "平面四参数"}) {
        w.Choose("IDC_BATCH_OPERATION", operation);
        EXPECT_FALSE(w.Enabled("IDC_BATCH_TARGET_EPSG")) << operation;
    }
    w.Choose("IDC_BATCH_OPERATION", "三度带 --> 六度带");
    w.Type("IDC_BATCH_TARGET_EPSG", "2334"); // Xi'an 1980, 6° zone 20
    EXPECT_EQ(w.Choice("IDC_BATCH_ELLIPSOID"), "西安1980");
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), "第 20 带"))
        << w.Text("IDC_BATCH_EPSG_MATCH");
    struct Case {
        const char* code;
        const char* ellipsoid; // chosen after the code, or nullptr
        const char* says;
    };
    const Case cases[] = {
        {"4547", nullptr, "EPSG:4547 不是6度带坐标系"},
        {"4555", nullptr, "EPSG:4554、EPSG:4553、EPSG:4552"},
        {"EPSG:45x", nullptr, "EPSG:45x"},
        {"4498", "WGS1984", "参考椭球 与 EPSG:4498 的设置不同"},
        {"21473", nullptr, "EPSG:21473 已废弃，与 EPSG:21453 相同"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        w.Type("IDC_BATCH_TARGET_EPSG", c.code);
        if (c.ellipsoid) {
            w.Choose("IDC_BATCH_ELLIPSOID", c.ellipsoid);
        }
        EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), c.says))
            << w.Text("IDC_BATCH_EPSG_MATCH");
    }
    // Another operation leaves the code out: the line speaks of that operation's settings.
    w.Choose("IDC_BATCH_OPERATION", "正算");
    EXPECT_FALSE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), "21473"))
        << w.Text("IDC_BATCH_EPSG_MATCH");
}

TEST(BatchEpsg, TheCodeOfSettingsChosenByHandIsShown) {
    Window w(FileConversionBackend());
    EXPECT_EQ(w.Text("IDC_BATCH_EPSG_MATCH"), "各点按整度规则各入其三度带，没有对应的 EPSG 代码");
    w.Choose("IDC_BATCH_ELLIPSOID", "CGCS2000");
    EXPECT_EQ(w.Text("IDC_BATCH_EPSG_MATCH"),
              "各点按整度规则各入其三度带，CGCS2000 第 25–45 带为 EPSG:4513–4533");
    w.Type("IDC_BATCH_MERIDIAN", "114");
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), "EPSG:4526"))
        << w.Text("IDC_BATCH_EPSG_MATCH");
    w.Click("IDC_BATCH_NO_PREFIX");
    EXPECT_TRUE(Contains(w.Text("IDC_BATCH_EPSG_MATCH"), "EPSG:4547"))
        << w.Text("IDC_BATCH_EPSG_MATCH");
}

TEST(BatchZoneRule, TheFormsRuleIsInForceAndTheStandardOneGivesGkconvsNumbers) {
    // 30°30′N 114°30′E: 6° zone 19 by the form's rule, 20 by the standard division.
    const std::string points = "P1 30.3000 114.3000\n";
    const char* standard = "标准分带（同 EPSG 代码：114°30′E 属六度带第 20 带）";
    TempFolder folder;
    const std::string in = folder.Write("pts.txt", points);
    struct Case {
        bool standard;
        const char* gkconvArgs;
        const char* zone;
    };
    for (const Case c : {Case{false, "forward -w 6", "19"},
                         Case{true, "forward -w 6 --zone-rule standard", "20"}}) {
        SCOPED_TRACE(c.gkconvArgs);
        const std::string gkconvOut = (folder.path / "gkconv.txt").string();
        const std::string command =
            std::string(GKCONV_PATH) + " " + c.gkconvArgs + " -o " + gkconvOut + " " + in;
        ASSERT_EQ(std::system(command.c_str()), 0);
        Window w(FileConversionBackend());
        EXPECT_EQ(w.Choice("IDC_BATCH_ZONE_RULE"),
                  "整度规则（本程序原有：114°30′E 属六度带第 19 带）");
        w.Choose("IDC_BATCH_ZONE_WIDTH", "六度带");
        if (c.standard) {
            w.Choose("IDC_BATCH_ZONE_RULE", standard);
        }
        EXPECT_TRUE(
            Contains(w.Text("IDC_BATCH_EPSG_MATCH"), c.standard ? "按标准分带" : "按整度规则"));
        w.Type("IDC_BATCH_INPUT", in.c_str());
        w.Click("IDC_BATCH_RUN");
        ASSERT_TRUE(w.WaitIdle());
        const std::string windowOut = (folder.path / "pts_out.txt").string();
        EXPECT_EQ(ReadBytes(windowOut), ReadBytes(gkconvOut));
        EXPECT_TRUE(Contains(ReadBytes(windowOut), std::string(" ") + c.zone))
            << ReadBytes(windowOut);
        w.dlg->DestroyWindow();
        std::filesystem::remove(windowOut);
    }
    // The rule plays no part where the zone comes from the easting.
    Window w;
    w.Choose("IDC_BATCH_OPERATION", "反算");
    EXPECT_FALSE(w.Enabled("IDC_BATCH_ZONE_RULE"));
    w.Choose("IDC_BATCH_OPERATION", "三度带 --> 六度带");
    EXPECT_TRUE(w.Enabled("IDC_BATCH_ZONE_RULE"));
}

} // namespace
