// The batch window's datum change and plane transformation: for the same parameter files and
// settings its output is gkconv's, byte for byte; the preview names the height column; a
// missing or wrong parameter file is refused in Chinese.
#include "app/batch_backend.h"
#include "app/batch_dlg.h"
#include "platform/services.h"
#include "tests/app/window_fixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void Gkconv(const std::string& args) {
    const std::string command = std::string(GKCONV_PATH) + " " + args + " > /dev/null 2>&1";
    ASSERT_NE(std::system(command.c_str()), -1);
}

const char* const kWgs84 = "GPS01,30.525276138,114.395873418,58.341\n"
                           "GPS02,30.469510091,114.384510083,47.577\n"
                           "GPS03,30.558731934,114.200845374,19.131\n"
                           "GPS04,30.492201065,114.378990655,28.600\n"
                           "GPS06,30.626846539,114.282445462,59.935\n";
const char* const kBeijing54 = "GPS01,30.525300288,114.395954368,-202.971\n"
                               "GPS02,30.469532769,114.384590924,-213.740\n"
                               "GPS03,30.558756547,114.200920920,-242.322\n"
                               "GPS04,30.492224285,114.379071206,-232.724\n"
                               "GPS06,30.626873782,114.282523055,-201.465\n";
const char* const kPlaneA = "A 3380000.000 38500000.000\nB 3381000.000 38500000.000\n"
                            "C 3380000.000 38501000.000\nD 3381000.000 38501000.000\n";
const char* const kPlaneB = "A 3380052.315 38499968.226\nB 3381052.320 38499968.299\n"
                            "C 3380052.246 38500968.238\nD 3381052.251 38500968.305\n";

// Parameter files made by gkconv fit from the points above.
struct Parameters {
    std::string datum;
    std::string plane;
};
Parameters MakeParameters(const TempFolder& folder) {
    Parameters p{folder.Path("datum.json"), folder.Path("plane.json")};
    Gkconv("fit helmert7 --columns name,B,L,H --angles deg --from-ellipsoid wgs84 "
           "--to-ellipsoid beijing54 --convention position_vector --source " +
           folder.Write("w.txt", kWgs84) + " --target " + folder.Write("b.txt", kBeijing54) +
           " -o " + p.datum);
    Gkconv("fit plane4 --source " + folder.Write("pa.txt", kPlaneA) + " --target " +
           folder.Write("pb.txt", kPlaneB) + " -o " + p.plane);
    return p;
}

class Window : public DialogWindow<CBatchDlg> {
public:
    Window() { Open(std::make_unique<CBatchDlg>(FileConversionBackend())); }
    void Run() {
        QTest::mouseClick(Item<QPushButton>("IDC_BATCH_RUN"), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !dlg->IsRunning(); }, 10000));
    }
};

TEST(BatchDatum, TheWindowsOutputIsGkconvsForTheSameParameterFiles) {
    TempFolder folder;
    const Parameters p = MakeParameters(folder);
    ASSERT_FALSE(ReadBytes(p.datum).empty());
    ASSERT_FALSE(ReadBytes(p.plane).empty());
    const std::string geodetic = "# B L H in degrees\nP1,30.5,114.3,25.0\nP2,30.6,114.25,-3.5\n"
                                 "P3,91,114,0\nP4,30.55,114.35,12\n";
    const std::string plane = "P1 3380500.000 38500500.000\nP2 3380700.125 38500100.5\n"
                              "P3 3380100.000 38500900.000\n";
    const std::string projected = "P1 3380500.000 38500500.000\nP2 3377000.0 38350000.0\n";
    struct Case {
        const char* what;
        const std::string& input;
        std::vector<std::pair<const char*, const char*>> choices;
        const char* columns;
        bool datum;
        bool plane;
        std::string gkconvArgs;
    };
    const Case cases[] = {
        {"the datum change alone, with heights",
         geodetic,
         {{"IDC_BATCH_OPERATION", "坐标系转换"}, {"IDC_BATCH_ANGLES", "十进制度"}},
         "name,B,L,H",
         true,
         false,
         "datum --params " + p.datum + " --columns name,B,L,H --angles deg"},
        {"the datum change alone, packed angles, no heights",
         geodetic,
         {{"IDC_BATCH_OPERATION", "坐标系转换"}},
         "name,B,L,-",
         true,
         false,
         "datum --params " + p.datum + " --columns name,B,L,-"},
        {"the plane transformation alone",
         plane,
         {{"IDC_BATCH_OPERATION", "平面四参数"}},
         "",
         false,
         true,
         "plane --params " + p.plane},
        {"forward through both",
         geodetic,
         {{"IDC_BATCH_ANGLES", "十进制度"}},
         "name,B,L,H",
         true,
         true,
         "forward -w 3 --datum " + p.datum + " --plane " + p.plane +
             " --columns name,B,L,H --angles deg"},
        {"inverse back through the datum change",
         projected,
         {{"IDC_BATCH_OPERATION", "反算"}, {"IDC_BATCH_ZONE_WIDTH", "六度带"}},
         "",
         true,
         false,
         "inverse -w 6 --datum " + p.datum},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string in = folder.Write("pts.txt", c.input);
        const std::string gkconvOut = folder.Path("gkconv.txt");
        std::filesystem::remove(gkconvOut);
        Gkconv(c.gkconvArgs + " -o " + gkconvOut + " " + in);

        Window w;
        for (const auto& [combo, entry] : c.choices) {
            w.Choose(combo, entry);
        }
        w.Type("IDC_BATCH_COLUMNS", c.columns);
        w.Type("IDC_BATCH_DATUM_PARAMS", c.datum ? p.datum : "");
        w.Type("IDC_BATCH_PLANE_PARAMS", c.plane ? p.plane : "");
        std::filesystem::remove(folder.Path("pts_out.txt"));
        w.Type("IDC_BATCH_INPUT", in);
        ScopedRecordingServices services;
        w.Run();
        EXPECT_TRUE(services.boxes.empty()) << services.boxes[0].text;
        const std::string windowOut = ReadBytes(folder.Path("pts_out.txt"));
        EXPECT_FALSE(windowOut.empty());
        EXPECT_EQ(windowOut, ReadBytes(gkconvOut));
    }
}

TEST(BatchDatum, ThePreviewNamesTheHeightColumn) {
    TempFolder folder;
    Window w;
    w.Choose("IDC_BATCH_OPERATION", "坐标系转换");
    w.Type("IDC_BATCH_COLUMNS", "name,B,L,H");
    w.Type("IDC_BATCH_INPUT", folder.Write("pts.txt", "P1,30.5,114.3,25.0\n"));
    auto* preview = w.Item<QTreeWidget>("IDC_BATCH_PREVIEW");
    ASSERT_EQ(preview->columnCount(), 4);
    EXPECT_EQ(preview->headerItem()->text(3).toStdString(), "H");
    EXPECT_EQ(preview->topLevelItem(0)->text(3).toStdString(), "25.0");
}

TEST(BatchDatum, AMissingOrWrongParameterFileIsRefusedInChinese) {
    TempFolder folder;
    const Parameters p = MakeParameters(folder);
    struct Case {
        const char* what;
        const char* operation;
        std::string datum;
        std::string plane;
    };
    const Case cases[] = {
        {"no datum file", "坐标系转换", "", ""},
        {"no plane file", "平面四参数", "", ""},
        {"a plane file as the datum's", "坐标系转换", p.plane, ""},
        {"a datum file as the plane's", "平面四参数", "", p.datum},
        {"a file that is not there", "坐标系转换", folder.Path("none.json"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        w.Choose("IDC_BATCH_OPERATION", c.operation);
        w.Type("IDC_BATCH_DATUM_PARAMS", c.datum);
        w.Type("IDC_BATCH_PLANE_PARAMS", c.plane);
        w.Type("IDC_BATCH_INPUT", folder.Write("pts.txt", "P1,30.5,114.3\n"));
        ScopedRecordingServices services;
        w.Run();
        ASSERT_EQ(services.boxes.size(), 1u);
        std::string text = services.boxes[0].text;
        // Paths and the files' model names are quoted as they are.
        for (const std::string& path : {c.datum, c.plane, std::string("helmert7"),
                                        std::string("helmert3"), std::string("plane4")}) {
            if (!path.empty()) {
                for (std::size_t at; (at = text.find(path)) != std::string::npos;) {
                    text.erase(at, path.size());
                }
            }
        }
        // No run of four Latin letters: an English word would be one.
        int letters = 0;
        bool english = false;
        for (const char c : text) {
            letters = ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) ? letters + 1 : 0;
            english = english || letters >= 4;
        }
        EXPECT_FALSE(english) << services.boxes[0].text;
        EXPECT_FALSE(std::filesystem::exists(folder.Path("pts_out.txt")));
    }
}

TEST(BatchDatum, EachParameterFileIsOfferedWhereItsOperationAppliesIt) {
    Window w;
    struct Case {
        const char* operation;
        bool datum;
        bool plane;
        bool ellipsoid;
    };
    const Case cases[] = {{"正算", true, true, true},
                          {"反算", true, true, true},
                          {"邻带换算", false, false, true},
                          {"坐标系转换", true, false, false},
                          {"平面四参数", false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        w.Choose("IDC_BATCH_OPERATION", c.operation);
        EXPECT_EQ(w.Item("IDC_BATCH_DATUM_PARAMS")->isEnabled(), c.datum);
        EXPECT_EQ(w.Item("IDC_BATCH_BROWSE_DATUM")->isEnabled(), c.datum);
        EXPECT_EQ(w.Item("IDC_BATCH_PLANE_PARAMS")->isEnabled(), c.plane);
        EXPECT_EQ(w.Item("IDC_BATCH_BROWSE_PLANE")->isEnabled(), c.plane);
        EXPECT_EQ(w.Item("IDC_BATCH_ELLIPSOID")->isEnabled(), c.ellipsoid);
    }
    // Forward with a datum file projects on the file's ellipsoid: the window's choice is off.
    w.Choose("IDC_BATCH_OPERATION", "正算");
    w.Type("IDC_BATCH_DATUM_PARAMS", "datum.json");
    EXPECT_FALSE(w.Item("IDC_BATCH_ELLIPSOID")->isEnabled());
    EXPECT_EQ(w.Item("IDC_BATCH_DATUM_PARAMS")->accessibleName().toStdString(), "坐标系转换参数");
    EXPECT_EQ(w.Item("IDC_BATCH_PLANE_PARAMS")->accessibleName().toStdString(), "平面四参数");
}

} // namespace
