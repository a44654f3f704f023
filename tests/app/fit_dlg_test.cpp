// The parameter window against gkconv fit: for the same points and settings its report has
// gkconv's numbers to the last digit and its saved file gkconv's bytes; unticking a point fits
// again as gkconv fit --exclude does; points in one file only are listed greyed with the
// reason; flagged points carry a mark of their own; the plot and the list select together;
// refusals are Chinese; a saved file shows again; large files are fitted on the worker.
#include "app/fit_backend.h"
#include "app/fit_dlg.h"
#include "app/fit_report_text.h"
#include "platform/dialog_template.h"
#include "platform/services.h"
#include "res/resource.h"
#include "tests/app/template_mnemonics.h"
#include "tests/app/window_fixture.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The common points of the examples (WGS 84 and Beijing 1954, decimal degrees), with GPS03's
// height on Beijing 1954 half a metre off: a gross error the fit flags.
const char* const kWgs84 = "# WGS 84: name, B, L, H\n"
                           "GPS01,30.525276138,114.395873418,58.341\n"
                           "GPS02,30.469510091,114.384510083,47.577\n"
                           "GPS03,30.558731934,114.200845374,19.131\n"
                           "GPS04,30.492201065,114.378990655,28.600\n"
                           "GPS05,30.520384641,114.258881825,53.546\n"
                           "GPS06,30.626846539,114.282445462,59.935\n"
                           "GPS07,30.414926270,114.397530520,54.763\n"
                           "GPS08,30.436219715,114.367559212,41.473\n";
const char* const kBeijing54 = "# Beijing 1954: name, B, L, H\n"
                               "GPS01,30.525300288,114.395954368,-202.971\n"
                               "GPS02,30.469532769,114.384590924,-213.740\n"
                               "GPS03,30.558756547,114.200920920,-241.822\n"
                               "GPS04,30.492224285,114.379071206,-232.724\n"
                               "GPS06,30.626873782,114.282523055,-201.465\n"
                               "GPS07,30.414947549,114.397611819,-206.551\n"
                               "GPS08,30.436241518,114.367639656,-219.871\n"
                               "BM12,30.612345670,114.276543200,44.210\n";

// Plane points, x north and y east, and the same moved, turned and scaled, with residuals of
// millimetres and one point 0.3 m off.
struct PlaneFiles {
    std::string source;
    std::string target;
};
PlaneFiles MakePlane(int count, int grossAt) {
    PlaneFiles files;
    const double theta = 12.5 / 206264.806247;
    const double m = 1.0 + 8.0e-6;
    for (int i = 0; i < count; ++i) {
        const double x = 3380000.0 + 137.0 * (i % 37) + 11.0 * i;
        const double y = 38500000.0 + 211.0 * (i % 23) - 7.0 * i;
        const double noise = 0.001 * ((i * 7) % 5 - 2);
        double X = 52.314 + m * (std::cos(theta) * x - std::sin(theta) * y) + noise;
        const double Y = -31.772 + m * (std::sin(theta) * x + std::cos(theta) * y) - noise;
        if (i == grossAt) {
            X += 0.3;
        }
        char line[128];
        std::snprintf(line, sizeof line, "P%03d %.4f %.4f\n", i + 1, x, y);
        files.source += line;
        std::snprintf(line, sizeof line, "P%03d %.4f %.4f\n", i + 1, X, Y);
        files.target += line;
    }
    return files;
}

// The numbers of a report after its first line (which names the model and counts the points
// in the words of each language): every parameter, deviation, m0, test figure and residual.
std::vector<std::string> Numbers(const std::string& report) {
    std::string body = report.substr(report.find('\n') + 1);
    // gkconv prints the parameters' PROJ string after its report.
    body = body.substr(0, body.find("\nproj: "));
    static const std::regex number(R"(-?[0-9]+(\.[0-9]+)?)");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), number);
         it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

// gkconv's report and file for the arguments.
struct Gkconv {
    std::string report;
    std::string file;
    int status;
};
Gkconv RunGkconv(const TempFolder& folder, const std::string& args) {
    const std::string out = folder.Path("gkconv.json");
    const std::string report = folder.Path("gkconv.txt");
    std::filesystem::remove(out);
    const std::string command =
        std::string(GKCONV_PATH) + " fit " + args + " -o " + out + " > " + report + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return {ReadBytes(report), ReadBytes(out), status};
}

class Window : public DialogWindow<CFitDlg> {
public:
    explicit Window(FitBackend backend = CommonPointBackend()) {
        Open(std::make_unique<CFitDlg>(std::move(backend)));
    }
    std::string Result() const {
        return Item<QPlainTextEdit>("IDC_FIT_RESULT")->toPlainText().toStdString();
    }
    QTreeWidget* Points() const { return Item<QTreeWidget>("IDC_FIT_POINTS"); }
    int RowOf(const std::string& name) const {
        for (int r = 0; r < Points()->topLevelItemCount(); ++r) {
            if (Points()->topLevelItem(r)->text(0).toStdString() == name) {
                return r;
            }
        }
        return -1;
    }
    std::string Cell(int row, int column) const {
        return Points()->topLevelItem(row)->text(column).toStdString();
    }
    // Unticks or ticks a row with the space bar, as a user does.
    void Toggle(int row) {
        QTreeWidget* list = Points();
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(row));
        QTest::keyClick(list, Qt::Key_Space);
    }
    void Fit(const std::string& source, const std::string& target) {
        Type("IDC_FIT_SOURCE", source);
        Type("IDC_FIT_TARGET", target);
        Click("IDC_FIT_COMPUTE");
        dlg->FinishFit();
    }
};

struct Setting {
    const char* what;
    std::vector<std::pair<const char*, const char*>> choices;
    const char* columns;
    const char* gkconvArgs;
    bool plane;
};

const Setting kSettings[] = {
    {"seven parameters, position vector",
     {{"IDC_FIT_ANGLES", "十进制度"}},
     "name,B,L,H",
     "helmert7 --columns name,B,L,H --angles deg --from-ellipsoid wgs84 --to-ellipsoid "
     "beijing54 --convention position_vector",
     false},
    {"seven parameters, coordinate frame, onto CGCS2000",
     {{"IDC_FIT_ANGLES", "十进制度"},
      {"IDC_FIT_CONVENTION", "坐标框架"},
      {"IDC_FIT_TO_ELLIPSOID", "CGCS2000"}},
     "name,B,L,H",
     "helmert7 --columns name,B,L,H --angles deg --from-ellipsoid wgs84 --to-ellipsoid "
     "cgcs2000 --convention coordinate_frame",
     false},
    {"three parameters",
     {{"IDC_FIT_ANGLES", "十进制度"}, {"IDC_FIT_MODEL", "三参数"}},
     "name,B,L,H",
     "helmert3 --columns name,B,L,H --angles deg --from-ellipsoid wgs84 --to-ellipsoid "
     "beijing54",
     false},
    {"four plane parameters", {{"IDC_FIT_MODEL", "四参数 (平面)"}}, "", "plane4", true},
};

TEST(FitWindow, ReportAndSavedFileAreGkconvFitsForTheSamePointsAndSettings) {
    TempFolder folder;
    const PlaneFiles plane = MakePlane(12, 4);
    const std::string geoSource = folder.Write("wgs84.txt", kWgs84);
    const std::string geoTarget = folder.Write("beijing54.txt", kBeijing54);
    const std::string planeSource = folder.Write("plane-a.txt", plane.source);
    const std::string planeTarget = folder.Write("plane-b.txt", plane.target);
    for (const Setting& s : kSettings) {
        SCOPED_TRACE(s.what);
        const std::string& source = s.plane ? planeSource : geoSource;
        const std::string& target = s.plane ? planeTarget : geoTarget;
        const Gkconv expected = RunGkconv(folder, std::string(s.gkconvArgs) + " --source " +
                                                      source + " --target " + target);
        ASSERT_FALSE(expected.file.empty());

        Window w;
        for (const auto& [combo, entry] : s.choices) {
            w.Choose(combo, entry);
        }
        w.Type("IDC_FIT_COLUMNS", s.columns);
        w.Fit(source, target);
        EXPECT_EQ(Numbers(w.Result()), Numbers(expected.report));
        EXPECT_NE(w.Result().find("米"), std::string::npos);

        ScopedRecordingServices services;
        services.chosenFiles = {folder.Path("window.json")};
        ASSERT_TRUE(w.Item("IDC_FIT_SAVE")->isEnabled());
        w.Click("IDC_FIT_SAVE");
        EXPECT_EQ(ReadBytes(folder.Path("window.json")), expected.file);
        EXPECT_TRUE(services.boxes.empty());
    }
}

TEST(FitWindow, UntickingTheFlaggedPointFitsAgainAsGkconvExcludeDoes) {
    TempFolder folder;
    const std::string source = folder.Write("wgs84.txt", kWgs84);
    const std::string target = folder.Write("beijing54.txt", kBeijing54);
    Window w;
    w.Choose("IDC_FIT_ANGLES", "十进制度");
    w.Type("IDC_FIT_COLUMNS", "name,B,L,H");
    w.Fit(source, target);

    // The flag has a column and a mark of its own; the list keeps the source file's order.
    const int flagged = w.RowOf("GPS03");
    ASSERT_EQ(flagged, 2);
    const int flagColumn = 6;
    EXPECT_EQ(w.Points()->headerItem()->text(flagColumn).toStdString(), "粗差");
    EXPECT_EQ(w.Cell(flagged, flagColumn), "※");
    EXPECT_EQ(w.Cell(0, flagColumn), "");
    const std::string before = w.Result();

    w.Toggle(flagged);
    w.dlg->FinishFit();
    EXPECT_EQ(w.Points()->topLevelItem(flagged)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(w.RowOf("GPS03"), flagged); // unticked, it stays where it was
    EXPECT_EQ(w.Cell(flagged, 7), "未选用");
    const Gkconv excluded = RunGkconv(
        folder, "helmert7 --columns name,B,L,H --angles deg --from-ellipsoid wgs84 "
                "--to-ellipsoid beijing54 --convention position_vector --exclude GPS03 --source " +
                    source + " --target " + target);
    EXPECT_EQ(Numbers(w.Result()), Numbers(excluded.report));
    EXPECT_NE(w.Result(), before);
    const auto m0 = [](const std::string& report) {
        return report.substr(report.find("m0 "),
                             report.find(" 米", report.find("m0 ")) - report.find("m0 "));
    };
    EXPECT_NE(m0(w.Result()), m0(before));

    // Ticked again, the first fit comes back.
    w.Toggle(flagged);
    w.dlg->FinishFit();
    EXPECT_EQ(w.Result(), before);
}

TEST(FitWindow, PointsInOneFileOnlyAreListedLastUntickedGreyedWithTheReason) {
    TempFolder folder;
    Window w;
    w.Choose("IDC_FIT_ANGLES", "十进制度");
    w.Type("IDC_FIT_COLUMNS", "name,B,L,H");
    w.Fit(folder.Write("wgs84.txt", kWgs84), folder.Write("beijing54.txt", kBeijing54));
    QTreeWidget* list = w.Points();
    ASSERT_EQ(list->topLevelItemCount(), 9);
    struct Case {
        int row;
        const char* name;
        const char* reason;
    };
    const Case cases[] = {{7, "GPS05", "仅在源文件中"}, {8, "BM12", "仅在目标文件中"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(w.Cell(c.row, 0), c.name);
        EXPECT_EQ(w.Cell(c.row, 7), c.reason);
        EXPECT_TRUE(w.dlg->m_listPoints.IsItemGrayed(c.row));
        EXPECT_FALSE(w.dlg->m_listPoints.GetCheck(c.row));
        EXPECT_FALSE(list->topLevelItem(c.row)->flags() & Qt::ItemIsUserCheckable);
    }
    for (int row = 0; row < 7; ++row) {
        EXPECT_TRUE(w.dlg->m_listPoints.GetCheck(row));
        EXPECT_FALSE(w.dlg->m_listPoints.IsItemGrayed(row));
    }
    // Residuals in millimetres carry the report's digits.
    const std::string report = w.Result();
    const std::string line = report.substr(report.find("\nGPS01") + 1);
    std::istringstream fields(line.substr(0, line.find('\n')));
    std::string name, north, east, up;
    fields >> name >> north >> east >> up;
    EXPECT_EQ(w.Cell(0, 1), Millimetres(std::stod(north)));
    EXPECT_EQ(w.Cell(0, 3), Millimetres(std::stod(up)));
}

TEST(FitWindow, PlotAndListSelectTheSamePoint) {
    TempFolder folder;
    const PlaneFiles plane = MakePlane(12, 4);
    Window w;
    w.Choose("IDC_FIT_MODEL", "四参数 (平面)");
    w.Fit(folder.Write("a.txt", plane.source), folder.Write("b.txt", plane.target));
    CFitPlot& plot = w.dlg->m_plot;
    ASSERT_EQ(plot.GetPoints().size(), 12u);
    EXPECT_TRUE(plot.GetPoints()[4].flagged);
    // A click on the plot's fifth point selects the fifth row.
    w.dlg->m_hWnd->repaint();
    const PixelPoint at = PositionPixel(plot.GetLayout(), plot.GetPoints()[4]);
    QTest::mouseClick(plot.m_hWnd, Qt::LeftButton, {}, QPoint(at.x, at.y));
    EXPECT_EQ(w.dlg->m_listPoints.GetNextItem(-1, LVNI_SELECTED), 4);
    // A row chosen in the list is the plot's selection.
    QTreeWidget* list = w.Points();
    const QRect row = list->visualItemRect(list->topLevelItem(7));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center() + QPoint(40, 0));
    EXPECT_EQ(plot.GetCurSel(), 7);
    // The arrow keys step through the points from the plot.
    plot.SetFocus();
    QTest::keyClick(plot.m_hWnd, Qt::Key_Right);
    EXPECT_EQ(w.dlg->m_listPoints.GetNextItem(-1, LVNI_SELECTED), 8);
    // Unticked, a point is drawn hollow: it stays in the plot, not used.
    w.Toggle(2);
    w.dlg->FinishFit();
    EXPECT_FALSE(plot.GetPoints()[2].used);
}

TEST(FitWindow, EveryRefusalIsAChineseMessageInTheWindow) {
    TempFolder folder;
    const PlaneFiles one = MakePlane(1, -1);
    struct Case {
        const char* what;
        const char* model;
        std::string source;
        std::string target;
    };
    const Case cases[] = {
        {"a file that cannot be read", "四参数 (平面)", folder.Path("missing.txt"),
         folder.Write("b1.txt", one.target)},
        {"too few points", "四参数 (平面)", folder.Write("a1.txt", one.source),
         folder.Write("b2.txt", one.target)},
        {"points on one line", "七参数 (布尔莎)",
         // One above the other: on the ellipsoid's normal, a straight line.
         folder.Write("line-a.txt", "A,30,114,0\nB,30,114,1000\nC,30,114,2000\n"),
         folder.Write("line-b.txt", "A,30,114,0\nB,30,114,1000\nC,30,114,2000\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        w.Choose("IDC_FIT_MODEL", c.model);
        w.Choose("IDC_FIT_ANGLES", "十进制度");
        w.Fit(c.source, c.target);
        std::string text = w.Result();
        ASSERT_FALSE(text.empty());
        for (const std::string& path : {c.source, c.target}) {
            for (std::size_t at; (at = text.find(path)) != std::string::npos;) {
                text.erase(at, path.size());
            }
        }
        const bool english = std::regex_search(text, std::regex("[A-Za-z]{2}"));
        EXPECT_FALSE(english) << w.Result();
        EXPECT_FALSE(w.Item("IDC_FIT_SAVE")->isEnabled());
    }
}

TEST(FitWindow, ASavedFileShowsItsParametersAndFitAgain) {
    TempFolder folder;
    const PlaneFiles plane = MakePlane(12, 4);
    Window w;
    w.Choose("IDC_FIT_MODEL", "四参数 (平面)");
    w.Fit(folder.Write("a.txt", plane.source), folder.Write("b.txt", plane.target));
    const std::string report = w.Result();
    ScopedRecordingServices services;
    services.chosenFiles = {folder.Path("saved.json"), folder.Path("saved.json")};
    w.Click("IDC_FIT_SAVE");

    Window other;
    other.Click("IDC_FIT_LOAD");
    EXPECT_EQ(other.Result(), report);
    EXPECT_EQ(other.Points()->topLevelItemCount(), 12);
    EXPECT_EQ(other.Cell(4, 5), "※"); // plane: name, x, y, total, T, then the flag
    EXPECT_TRUE(services.boxes.empty());

    // A file that is not a parameter file is refused with a message, in Chinese.
    services.chosenFiles = {folder.Write("bad.json", "{\"model\": \"helmert9\"}")};
    other.Click("IDC_FIT_LOAD");
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_FALSE(std::regex_search(services.boxes[0].text, std::regex("[A-Za-z]{3}")) &&
                 services.boxes[0].text.find("helmert9") == std::string::npos);
    EXPECT_EQ(other.Result(), report);
}

// A browse button fills its own field from where it stands, and cancelling changes nothing;
// two files dropped at once are the source and the target, one dropped on a field fills it.
TEST(FitFiles, BrowseAndDropFillTheFileFields) {
    ScopedRecordingServices services;
    Window w;
    w.Type("IDC_FIT_TARGET", "/data/old.txt");
    services.chosenFiles = {"/data/gps.txt"};
    w.Click("IDC_FIT_BROWSE_SOURCE");
    w.Click("IDC_FIT_BROWSE_TARGET"); // cancelled: no answer left
    const auto text = [&](const char* name) {
        return w.Item<QLineEdit>(name)->text().toStdString();
    };
    EXPECT_EQ(text("IDC_FIT_SOURCE"), "/data/gps.txt");
    EXPECT_EQ(text("IDC_FIT_TARGET"), "/data/old.txt");
    ASSERT_EQ(services.fileDialogs.size(), 2u);
    EXPECT_TRUE(services.fileDialogs[1].open);
    EXPECT_EQ(services.fileDialogs[1].fileName, "/data/old.txt");
    EXPECT_NE(services.fileDialogs[1].filter.find("*.txt"), std::string::npos);

    const auto drop = [&](const std::vector<QString>& paths, QWidget* on) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data.setUrls(urls);
        const QPoint at = on->mapTo(w.dlg->m_hWnd, on->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.dlg->m_hWnd, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.dlg->m_hWnd, &dropped);
    };
    drop({"/data/第1天.txt", "/data/北京54.txt"}, w.Item("IDC_FIT_RESULT"));
    EXPECT_EQ(text("IDC_FIT_SOURCE"), "/data/第1天.txt");
    EXPECT_EQ(text("IDC_FIT_TARGET"), "/data/北京54.txt");
    drop({"/data/b.txt"}, w.Item("IDC_FIT_TARGET"));
    EXPECT_EQ(text("IDC_FIT_SOURCE"), "/data/第1天.txt");
    EXPECT_EQ(text("IDC_FIT_TARGET"), "/data/b.txt");
}

TEST(FitWindow, LargeFilesAreFittedOnTheWorkerWithTheSameResult) {
    TempFolder folder;
    const PlaneFiles plane = MakePlane(3000, 17);
    ASSERT_GT(plane.source.size() + plane.target.size(), kForegroundFitBytes);
    const std::string source = folder.Write("a.txt", plane.source);
    const std::string target = folder.Write("b.txt", plane.target);
    Window w;
    w.Choose("IDC_FIT_MODEL", "四参数 (平面)");
    w.Type("IDC_FIT_SOURCE", source);
    w.Type("IDC_FIT_TARGET", target);
    w.Click("IDC_FIT_COMPUTE");
    EXPECT_TRUE(w.dlg->IsFitting());
    EXPECT_FALSE(w.Item("IDC_FIT_SAVE")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.dlg->IsFitting(); }, 20000));
    FitInput input = w.dlg->ReadInput();
    EXPECT_EQ(w.Result(), CommonPointBackend().compute(input).report);
    EXPECT_EQ(w.dlg->m_plot.GetPoints().size(), 3000u);
}

TEST(FitTemplate, ControlsHaveTheirRolesAndNames) {
    ASSERT_NE(FindDialogTemplate(IDD_FIT_DIALOG), nullptr);
    Window w;
    EXPECT_EQ(w.dlg->m_hWnd->windowTitle(), QStringLiteral("转换参数计算"));
    // What a screen reader hears: each control by its label, the plot as a picture.
    struct Case {
        const char* name;
        QAccessible::Role role;
        const char* spoken;
    };
    const Case cases[] = {
        {"IDC_FIT_SOURCE", QAccessible::EditableText, "源坐标文件"},
        {"IDC_FIT_TARGET", QAccessible::EditableText, "目标坐标文件"},
        {"IDC_FIT_COLUMNS", QAccessible::EditableText, "各列含义"},
        {"IDC_FIT_ANGLES", QAccessible::ComboBox, "角度格式"},
        {"IDC_FIT_HEADER", QAccessible::CheckBox, "首行为表头(H)"},
        {"IDC_FIT_MODEL", QAccessible::ComboBox, "模型"},
        {"IDC_FIT_CONVENTION", QAccessible::ComboBox, "旋转约定"},
        {"IDC_FIT_FROM_ELLIPSOID", QAccessible::ComboBox, "源椭球"},
        {"IDC_FIT_TO_ELLIPSOID", QAccessible::ComboBox, "目标椭球"},
        {"IDC_FIT_COMPUTE", QAccessible::Button, "计算(C)"},
        {"IDC_FIT_POINTS", QAccessible::Tree, "公共点"},
        {"IDC_FIT_PLOT", QAccessible::Graphic, "残差图"},
        {"IDC_FIT_RESULT", QAccessible::EditableText, "计算结果"},
        {"IDCANCEL", QAccessible::Button, "关闭(X)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* control = w.Item(c.name);
        ASSERT_NE(control, nullptr);
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(heard, nullptr);
        EXPECT_EQ(heard->role(), c.role);
        EXPECT_EQ(heard->text(QAccessible::Name).toStdString(), c.spoken);
        EXPECT_NE(control->focusPolicy() & Qt::TabFocus, 0);
    }
    const std::vector<std::string> models = {"七参数 (布尔莎)", "三参数", "四参数 (平面)"};
    auto* model = w.Item<QComboBox>("IDC_FIT_MODEL");
    ASSERT_EQ(model->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(model->itemText(i).toStdString(), models[static_cast<size_t>(i)]);
    }
}

// Every control has a mnemonic of its own (a label's moves to the control after it), and Alt
// with a label's letter puts the focus into its control.
TEST(FitTemplate, EveryControlHasItsOwnMnemonic) {
    const DialogTemplate* t = FindDialogTemplate(IDD_FIT_DIALOG);
    ASSERT_NE(t, nullptr);
    const TemplateMnemonics letters = MnemonicsOf(*t);
    EXPECT_EQ(letters.clashes, std::vector<std::string>{});
    EXPECT_EQ(letters.withoutControl, std::vector<std::string>{});
    for (const DialogItemTemplate& item : t->items) {
        if (item.idName && (item.style & WS_TABSTOP)) {
            EXPECT_TRUE(HasMnemonic(letters, item.idName)) << item.idName << " has no mnemonic";
        }
    }
    Window w;
    struct Case {
        char letter;
        const char* focused;
    };
    const Case cases[] = {
        {'I', "IDC_FIT_SOURCE"},         {'T', "IDC_FIT_TARGET"},       {'D', "IDC_FIT_COLUMNS"},
        {'A', "IDC_FIT_ANGLES"},         {'M', "IDC_FIT_MODEL"},        {'R', "IDC_FIT_CONVENTION"},
        {'E', "IDC_FIT_FROM_ELLIPSOID"}, {'B', "IDC_FIT_TO_ELLIPSOID"}, {'P', "IDC_FIT_POINTS"},
        {'N', "IDC_FIT_PLOT"},           {'O', "IDC_FIT_RESULT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        w.Item("IDC_FIT_COMPUTE")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.letter, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.focused);
    }
}

} // namespace
