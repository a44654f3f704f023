// The main form driven as a surveyor drives it: keys into the fields, clicks on the radios and
// operation buttons, and the fields read back.
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "engine/gauss_projection.h"
#include "engine/packed_angle.h"
#include "platform/dc.h"
#include "platform/dialog_template.h"
#include "platform/services.h"
#include "res/resource.h"
#include "tests/app/form_fixture.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRawFont>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <charconv>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {

class FormTest : public ::testing::Test, public Form {};

constexpr double kMillimetre = 0.0005;
constexpr double kSecondsTo4 = 0.00005;

TEST_F(FormTest, OpensWithTheSamplePointForwardAndWgs1984) {
    struct Case {
        const char* field;
        const char* text;
        bool readOnly;
    };
    const Case cases[] = {
        {"IDC_B_DEG", "31", false},      {"IDC_B_MIN", "4", false},
        {"IDC_B_SEC", "41.6832", false}, {"IDC_L_DEG", "111", false},
        {"IDC_L_MIN", "47", false},      {"IDC_L_SEC", "24.8974", false},
        {"IDC_X", "3386902.25", true},   {"IDC_Y", "18399692.74", true},
        {"IDC_A", "6378137", true},      {"IDC_ALFA", "298.2572235635", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(Text(c.field), c.text);
        EXPECT_EQ(Field(c.field)->isReadOnly(), c.readOnly);
    }
    struct Radio {
        const char* name;
        bool checked;
    };
    const Radio radios[] = {{"IDC_FORWARD", true},      {"IDC_INVERSE", false},
                            {"IDC_WGS1984", true},      {"IDC_XIAN1980", false},
                            {"IDC_BEIJING1954", false}, {"IDC_CUSTOM", false}};
    for (const Radio& r : radios) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Button(r.name)->isChecked(), r.checked);
    }
    EXPECT_EQ(EnabledOperations(), (std::vector<std::string>{"IDC_PROJ_3", "IDC_PROJ_6"}));
    EXPECT_EQ(QApplication::focusWidget(), Field("IDC_B_DEG"));
    EXPECT_EQ(dlg.m_dA, 6378137.0);
    EXPECT_EQ(dlg.m_dAlfa, 298.2572235635);
    EXPECT_NE(dlg.GetIcon(TRUE), nullptr);
    EXPECT_EQ(dlg.GetIcon(TRUE), dlg.GetIcon(FALSE));
    EXPECT_EQ(dlg.m_hWnd->objectName(), QStringLiteral("IDD_MAIN_DIALOG"));
    EXPECT_EQ(dlg.m_hWnd->windowTitle(), QStringLiteral("高斯坐标转换"));
}

TEST_F(FormTest, ForwardProjectionsGiveTheWorkedExample) {
    struct Case {
        const char* button;
        double y;
    };
    const Case cases[] = {{"IDC_PROJ_3", 37575411.605}, {"IDC_PROJ_6", 19575411.605}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Click(c.button);
        EXPECT_NEAR(Number("IDC_X"), 3439917.862, kMillimetre);
        EXPECT_NEAR(Number("IDC_Y"), c.y, kMillimetre);
        EXPECT_EQ(Text("IDC_B_DEG"), "31");
        EXPECT_EQ(Text("IDC_L_MIN"), "47");
        EXPECT_EQ(Text("IDC_L_SEC"), "24.8974");
    }
}

TEST_F(FormTest, InverseProjectionsGiveTheWorkedExample) {
    Click("IDC_INVERSE");
    struct Case {
        const char* button;
        const char* lDeg;
    };
    const Case cases[] = {{"IDC_PROJ_3", "52"}, {"IDC_PROJ_6", "103"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Click(c.button);
        EXPECT_EQ(Text("IDC_B_DEG"), "30");
        EXPECT_EQ(Text("IDC_B_MIN"), "35");
        EXPECT_NEAR(Number("IDC_B_SEC"), 53.7747, kSecondsTo4);
        EXPECT_EQ(Text("IDC_L_DEG"), c.lDeg);
        EXPECT_EQ(Text("IDC_L_MIN"), "57");
        EXPECT_NEAR(Number("IDC_L_SEC"), 14.7465, kSecondsTo4);
        EXPECT_EQ(Text("IDC_X"), "3386902.25"); // X and Y stay as read
        EXPECT_EQ(Text("IDC_Y"), "18399692.74");
    }
}

TEST_F(FormTest, ZoneSystemConversionsGoThereAndBack) {
    Click("IDC_PROJ_3");
    Click("IDC_3_TO_6");
    EXPECT_NEAR(Number("IDC_X"), 3439917.862, kMillimetre);
    EXPECT_NEAR(Number("IDC_Y"), 19575411.605, kMillimetre);
    Click("IDC_6_TO_3");
    EXPECT_NEAR(Number("IDC_X"), 3439917.862, kMillimetre);
    EXPECT_NEAR(Number("IDC_Y"), 37575411.605, kMillimetre);
}

// The neighbouring zone's coordinates are the point projected straight into that zone.
TEST_F(FormTest, AdjacentZoneCommandsMatchADirectProjectionIntoTheNeighbour) {
    struct Case {
        const char* projection;
        const char* adjacent;
        int width;
        int zone;
        double centralMeridian;
    };
    const Case cases[] = {{"IDC_PROJ_3", "IDC_ADJ_3", 3, 38, 114.0},
                          {"IDC_PROJ_6", "IDC_ADJ_6", 6, 20, 117.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.adjacent);
        Click(c.projection);
        const std::vector<std::string> before = EnabledOperations();
        Click(c.adjacent);
        CGaussProjection direct;
        direct.SetAll(c.width, 6378137.0, 1.0 / 298.2572235635, JoinPacked(31, 4, 41.6832),
                      JoinPacked(111, 47, 24.8974), 0.0, 0.0);
        direct.m_nZone = c.zone;
        direct.m_L0 = c.centralMeridian;
        direct.BLToXY();
        EXPECT_NEAR(Number("IDC_X"), direct.m_X, kMillimetre);
        EXPECT_NEAR(Number("IDC_Y"), direct.m_Y, kMillimetre);
        EXPECT_EQ(std::floor(Number("IDC_Y") / 1e6), c.zone);
        EXPECT_EQ(EnabledOperations(), before);
    }
}

TEST_F(FormTest, OperationButtonsFollowTheZoneSystemOfTheLastResult) {
    using Names = std::vector<std::string>;
    const Names three{"IDC_PROJ_3", "IDC_PROJ_6", "IDC_ADJ_3", "IDC_3_TO_6"};
    const Names six{"IDC_PROJ_3", "IDC_PROJ_6", "IDC_ADJ_6", "IDC_6_TO_3"};
    struct Case {
        const char* click;
        Names enabled;
    };
    const Case cases[] = {
        {"IDC_PROJ_3", three}, {"IDC_ADJ_3", three},   {"IDC_3_TO_6", six}, {"IDC_ADJ_6", six},
        {"IDC_6_TO_3", three}, {"IDC_INVERSE", three}, {"IDC_PROJ_6", six}, {"IDC_CUSTOM", six},
        {"IDC_FORWARD", six},  {"IDC_PROJ_3", three},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.click);
        Click(c.click);
        EXPECT_EQ(EnabledOperations(), c.enabled);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr); // a button that disables itself hands the focus on
        EXPECT_TRUE(focus->isEnabled());
    }
}

TEST_F(FormTest, DirectionRadiosSwitchWhichFieldsAreEditable) {
    const char* geodetic[] = {"IDC_B_DEG", "IDC_B_MIN", "IDC_B_SEC",
                              "IDC_L_DEG", "IDC_L_MIN", "IDC_L_SEC"};
    Type("IDC_B_DEG", "45"); // typed but never read: stays as typed
    struct Case {
        const char* radio;
        bool inverse;
        const char* focus;
    };
    const Case cases[] = {{"IDC_INVERSE", true, "IDC_X"},
                          {"IDC_FORWARD", false, "IDC_B_DEG"},
                          {"IDC_FORWARD", false, "IDC_B_DEG"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        if (QApplication::focusWidget() == Field(c.focus)) {
            Field("IDC_B_SEC")->setFocus(); // so that the radio has the focus to move
        }
        Click(c.radio);
        for (const char* name : geodetic) {
            EXPECT_EQ(Field(name)->isReadOnly(), c.inverse) << name;
        }
        EXPECT_EQ(Field("IDC_X")->isReadOnly(), !c.inverse);
        EXPECT_EQ(Field("IDC_Y")->isReadOnly(), !c.inverse);
        EXPECT_EQ(QApplication::focusWidget(), Field(c.focus));
        EXPECT_EQ(Text("IDC_B_DEG"), "45");
        EXPECT_EQ(dlg.m_nBDeg, 31);
    }
}

TEST_F(FormTest, EllipsoidRadiosSetThePresetsAndLockOrUnlockTheParameters) {
    struct Case {
        const char* radio;
        const char* a;
        const char* alfa;
        bool editable;
    };
    const Case cases[] = {
        {"IDC_CUSTOM", "6378245", "298.3", true},
        {"IDC_WGS1984", "6378137", "298.2572235635", false},
        {"IDC_XIAN1980", "6378140", "298.257", false},
        {"IDC_BEIJING1954", "6378245", "298.3", false},
        {"IDC_CUSTOM", "6378245", "298.3", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        Field("IDC_B_DEG")->setFocus();
        Click(c.radio);
        EXPECT_EQ(Text("IDC_A"), c.a);
        EXPECT_EQ(Text("IDC_ALFA"), c.alfa);
        EXPECT_EQ(Field("IDC_A")->isReadOnly(), !c.editable);
        EXPECT_EQ(Field("IDC_ALFA")->isReadOnly(), !c.editable);
        if (c.editable) {
            EXPECT_EQ(QApplication::focusWidget(), Field("IDC_A"));
        }
        EXPECT_TRUE(Button(c.radio)->isChecked());
    }
}

TEST_F(FormTest, AUserDefinedEllipsoidIsUsedAndAPresetOverwritesIt) {
    Click("IDC_CUSTOM");
    Type("IDC_A", "6378140");
    Type("IDC_ALFA", "298.257");
    Click("IDC_PROJ_3");
    const double customX = Number("IDC_X");
    Click("IDC_XIAN1980"); // the same figures as a preset
    Click("IDC_PROJ_3");
    EXPECT_EQ(Number("IDC_X"), customX);
    EXPECT_EQ(dlg.m_dA, 6378140.0);
    Click("IDC_WGS1984");
    EXPECT_EQ(Text("IDC_A"), "6378137");
}

TEST(FormRead, AnEllipsoidClickWithAnEmptyFieldPromptsAndChangesOnlyAAndAlfa) {
    struct Case {
        const char* radio;
        const char* a;
        bool parametersEditable;
    };
    const Case cases[] = {{"IDC_BEIJING1954", "6378245", false}, {"IDC_CUSTOM", "6378245", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        Form f;
        f.Type("IDC_B_DEG", "");
        f.Type("IDC_L_MIN", "12"); // typed after the failing field: kept
        ScopedRecordingServices services;
        f.Click(c.radio);
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text, "请输入一个整数。");
        EXPECT_EQ(f.Text("IDC_A"), c.a);
        EXPECT_EQ(f.Text("IDC_ALFA"), "298.3");
        EXPECT_EQ(f.Field("IDC_A")->isReadOnly(), !c.parametersEditable);
        EXPECT_EQ(f.Text("IDC_B_DEG"), "");
        EXPECT_EQ(f.Text("IDC_L_MIN"), "12");
        // The field to correct keeps the focus, also when the radio would move it to a.
        EXPECT_EQ(QApplication::focusWidget(), f.Field("IDC_B_DEG"));
    }
}

struct ReadCase {
    const char* label;
    std::vector<std::pair<const char*, const char*>> typed;
    const char* prompt; // "" when the read passes
    const char* failing;
};

TEST(FormRead, FailuresPromptFocusAndSelectTheFirstBadField) {
    const ReadCase cases[] = {
        {"B degrees empty", {{"IDC_B_DEG", ""}}, "请输入一个整数。", "IDC_B_DEG"},
        {"B minutes 61", {{"IDC_B_MIN", "61"}}, "请输入一个介于 0 和 60 之间的整数。", "IDC_B_MIN"},
        {"L minutes 100",
         {{"IDC_L_MIN", "100"}},
         "请输入一个介于 0 和 60 之间的整数。",
         "IDC_L_MIN"},
        {"L degrees 361",
         {{"IDC_L_DEG", "361"}},
         "请输入一个介于 0 和 360 之间的整数。",
         "IDC_L_DEG"},
        {"B seconds 60.5",
         {{"IDC_B_SEC", "60.5"}},
         "请输入一个介于 0 和 60 之间的数字。",
         "IDC_B_SEC"},
        {"B degrees 91", {{"IDC_B_DEG", "91"}}, "请输入一个介于 0 和 90 之间的整数。", "IDC_B_DEG"},
        {"B 90°1′",
         {{"IDC_B_DEG", "90"}, {"IDC_B_MIN", "1"}, {"IDC_B_SEC", "0"}},
         "请输入一个介于 0 和 0 之间的整数。",
         "IDC_B_MIN"},
        {"B 89°60′0.5″",
         {{"IDC_B_DEG", "89"}, {"IDC_B_MIN", "60"}, {"IDC_B_SEC", "0.5"}},
         "请输入一个介于 0 和 0 之间的数字。",
         "IDC_B_SEC"},
        {"B 89°59′60.001″",
         {{"IDC_B_DEG", "89"}, {"IDC_B_MIN", "59"}, {"IDC_B_SEC", "60.001"}},
         "请输入一个介于 0 和 60 之间的数字。",
         "IDC_B_SEC"},
        // The pole itself, reached by carrying, and the lowest longitude with a 3° zone.
        {"bounds",
         {{"IDC_B_DEG", "89"},
          {"IDC_B_MIN", "59"},
          {"IDC_B_SEC", "60"},
          {"IDC_L_DEG", "2"},
          {"IDC_L_MIN", "0"},
          {"IDC_L_SEC", "0"}},
         "",
         ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.label);
        Form f;
        for (const auto& [field, text] : c.typed) {
            f.Type(field, text);
        }
        ScopedRecordingServices services;
        const double xBefore = f.dlg.m_dX;
        if (*c.prompt == '\0') {
            f.Click("IDC_PROJ_3");
            EXPECT_TRUE(services.boxes.empty());
            EXPECT_EQ(f.dlg.m_nBDeg, 89);
            EXPECT_EQ(f.dlg.m_nBMin, 59);
            EXPECT_EQ(f.dlg.m_dBSec, 60.0);
            EXPECT_NE(f.dlg.m_dX, xBefore);
            continue;
        }
        // The read alone leaves the bad field focused with all its text selected...
        EXPECT_FALSE(f.dlg.UpdateData(TRUE));
        QLineEdit* failing = f.Field(c.failing);
        EXPECT_EQ(QApplication::focusWidget(), failing);
        EXPECT_EQ(failing->selectedText(), failing->text());
        // ...and a command that starts with it prompts the same way, then stops.
        f.Field("IDC_L_SEC")->setFocus();
        f.Click("IDC_PROJ_3");
        ASSERT_EQ(services.boxes.size(), 2u);
        EXPECT_EQ(services.boxes[0].text, c.prompt);
        EXPECT_EQ(services.boxes[1].text, c.prompt);
        EXPECT_EQ(QApplication::focusWidget(), failing);
    }
}

// Zone 0 lies west of the first zone and has no prefix in Y: a longitude there is refused at
// L's degrees with the range that has a zone, and nothing is computed.
TEST(FormRead, ALongitudeInZoneZeroIsRefusedAtItsDegrees) {
    struct Case {
        const char* button;
        const char* deg;
        const char* min;
        const char* sec;
        const char* prompt; // "" when the projection runs
        int zone;           // Y's millions then
    };
    const Case cases[] = {
        {"IDC_PROJ_6", "0", "30", "0", "请输入一个介于 1 和 360 之间的整数。", 0},
        {"IDC_PROJ_6", "0", "59", "59.999", "请输入一个介于 1 和 360 之间的整数。", 0},
        // The rule looks at the whole degrees as typed, before seconds carry into minutes.
        {"IDC_PROJ_6", "0", "59", "60", "请输入一个介于 1 和 360 之间的整数。", 0},
        {"IDC_PROJ_6", "1", "0", "0", "", 1},
        {"IDC_PROJ_3", "1", "59", "59.9", "请输入一个介于 2 和 360 之间的整数。", 0},
        {"IDC_PROJ_3", "0", "0", "0", "请输入一个介于 2 和 360 之间的整数。", 0},
        {"IDC_PROJ_3", "2", "0", "0", "", 1},
        {"IDC_PROJ_3", "360", "0", "0", "", 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " L " + c.deg + " " + c.min + " " + c.sec);
        Form f;
        f.Type("IDC_L_DEG", c.deg);
        f.Type("IDC_L_MIN", c.min);
        f.Type("IDC_L_SEC", c.sec);
        const std::string y = f.Text("IDC_Y");
        ScopedRecordingServices services;
        f.Click(c.button);
        if (*c.prompt == '\0') {
            EXPECT_TRUE(services.boxes.empty());
            EXPECT_EQ(static_cast<int>(f.Number("IDC_Y") / 1000000.0), c.zone);
            continue;
        }
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text, c.prompt);
        EXPECT_EQ(f.Text("IDC_Y"), y);
        EXPECT_EQ(f.EnabledOperations(), (std::vector<std::string>{"IDC_PROJ_3", "IDC_PROJ_6"}));
        QLineEdit* failing = f.Field("IDC_L_DEG");
        EXPECT_EQ(QApplication::focusWidget(), failing);
        EXPECT_EQ(failing->selectedText(), failing->text());
    }
}

TEST(FormRead, AFailedReadStopsEveryOperationWithWhatWasTypedStillShown) {
    const char* const operations[] = {"IDC_PROJ_3", "IDC_PROJ_6", "IDC_ADJ_3",
                                      "IDC_ADJ_6",  "IDC_3_TO_6", "IDC_6_TO_3"};
    for (const char* operation : operations) {
        SCOPED_TRACE(operation);
        Form f;
        // Every zone button enabled, so each can be clicked.
        f.Click("IDC_PROJ_3");
        f.Button("IDC_ADJ_6")->setEnabled(true);
        f.Button("IDC_6_TO_3")->setEnabled(true);
        const std::string x = f.Text("IDC_X");
        const std::string y = f.Text("IDC_Y");
        f.Type("IDC_B_MIN", "61");
        f.Type("IDC_L_DEG", "100");
        f.Type("IDC_L_MIN", "12");
        ScopedRecordingServices services;
        f.Click(operation);
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text, "请输入一个介于 0 和 60 之间的整数。");
        EXPECT_EQ(f.dlg.m_nBMin, 61);
        EXPECT_EQ(f.dlg.m_nLDeg, 111); // not read
        // Nothing computed, nothing written back, no button changed.
        EXPECT_EQ(f.Text("IDC_B_MIN"), "61");
        EXPECT_EQ(f.Text("IDC_L_DEG"), "100");
        EXPECT_EQ(f.Text("IDC_L_MIN"), "12");
        EXPECT_EQ(f.Text("IDC_X"), x);
        EXPECT_EQ(f.Text("IDC_Y"), y);
        EXPECT_EQ(f.EnabledOperations().size(), 6u);
        QLineEdit* failing = f.Field("IDC_B_MIN");
        EXPECT_EQ(QApplication::focusWidget(), failing);
        EXPECT_EQ(failing->selectedText(), failing->text());
    }
}

TEST_F(FormTest, TypedLengthIsCappedPerField) {
    struct Case {
        const char* field;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"IDC_B_DEG", "1234", "123"},
                          {"IDC_B_MIN", "123", "12"},
                          {"IDC_L_DEG", "1234", "123"},
                          {"IDC_L_MIN", "1234", "123"},
                          {"IDC_B_MIN", "4a5", "45"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        Type(c.field, c.typed);
        EXPECT_EQ(Text(c.field), c.shown);
    }
}

TEST(FormRead, YWithoutAZoneNumberStopsTheInverseAndIsOverwrittenByTheForward) {
    struct Case {
        const char* direction;
        bool inverse;
    };
    const Case cases[] = {{"forward", false}, {"inverse", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        Form f;
        f.Click("IDC_INVERSE");
        f.Type("IDC_Y", "500000");
        if (!c.inverse) {
            f.Click("IDC_FORWARD");
        }
        ScopedRecordingServices services;
        f.Click("IDC_PROJ_3");
        if (c.inverse) { // an input: prompted, and the command stops
            ASSERT_EQ(services.boxes.size(), 1u);
            EXPECT_EQ(services.boxes[0].text, "请输入一个介于 1000000 和 121000000 之间的数字。");
            EXPECT_EQ(QApplication::focusWidget(), f.Field("IDC_Y"));
            EXPECT_EQ(f.Number("IDC_Y"), 500000.0);
            EXPECT_EQ(f.Text("IDC_L_DEG"), "111");
        } else { // a result: the forward projection writes a new Y without a prompt
            EXPECT_TRUE(services.boxes.empty());
            EXPECT_NEAR(f.Number("IDC_Y"), 37575411.605, kMillimetre);
        }
    }
}

TEST_F(FormTest, NegativeDegreesAreResultsThatPromptOnlyOnceTheyAreInputs) {
    Click("IDC_INVERSE");
    Type("IDC_X", "-3386902.25");
    Click("IDC_PROJ_6");
    EXPECT_EQ(Text("IDC_B_DEG").front(), '-');
    EXPECT_LT(dlg.m_nBDeg, 0);
    const std::string b = Text("IDC_B_SEC");
    ScopedRecordingServices services;
    Type("IDC_X", "-3386900");
    Click("IDC_PROJ_6"); // B and L are read-only here: no prompt, new results
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_NE(Text("IDC_B_SEC"), b);
    Click("IDC_FORWARD");
    Click("IDC_PROJ_6"); // now they are the inputs
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, "请输入一个介于 0 和 90 之间的整数。");
    EXPECT_EQ(QApplication::focusWidget(), Field("IDC_B_DEG"));
}

TEST_F(FormTest, AnAlfaOfZeroGivesNonNumbersThatPromptOnlyWhereTheyCanBeTyped) {
    Click("IDC_CUSTOM");
    Type("IDC_ALFA", "0");
    Click("IDC_PROJ_3");
    EXPECT_FALSE(std::isfinite(dlg.m_dX));
    ScopedRecordingServices services;
    Click("IDC_PROJ_3"); // X is a result in forward mode
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_FALSE(std::isfinite(dlg.m_dX));
    Click("IDC_INVERSE");
    Click("IDC_PROJ_3");
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, "请输入一个数字。");
    EXPECT_EQ(QApplication::focusWidget(), Field("IDC_X"));
}

// A northing whose latitude packs into exactly the double nearest 30.15 (30° 15′ 0″) on the
// central meridian of 3° zone 37, found with the engine a few units in the last place above
// the projection of that point.
std::string NorthingOfPacked3015() {
    const double f = 1.0 / 298.2572235635;
    CGaussProjection proj;
    proj.SetAll(3, 6378137.0, f, 30.15, 111.0, 0.0, 0.0);
    proj.ZoneFromL();
    proj.BLToXY();
    double x = proj.m_X;
    for (int step = 0; step < 100000; ++step, x = std::nextafter(x, 1e9)) {
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, x).ptr;
        const std::string typed(text, end);
        double read = 0.0;
        std::from_chars(typed.data(), typed.data() + typed.size(), read);
        proj.SetAll(3, 6378137.0, f, 0.0, 0.0, read, 37500000.0);
        proj.ZoneFromY();
        proj.XYToBL();
        if (proj.m_B == 30.15 && typed.find('.') != std::string::npos &&
            typed.size() - typed.find('.') <= 11) {
            return typed;
        }
    }
    return {};
}

TEST_F(FormTest, ALatitudePackedAsThirtyPointFifteenSplitsIntoFifteenMinutes) {
    const std::string x = NorthingOfPacked3015();
    ASSERT_FALSE(x.empty());
    Click("IDC_INVERSE");
    Type("IDC_X", x.c_str());
    Type("IDC_Y", "37500000");
    Click("IDC_PROJ_3");
    EXPECT_EQ(dlg.m_nBDeg, 30);
    EXPECT_EQ(dlg.m_nBMin, 15);
    EXPECT_EQ(Text("IDC_B_DEG"), "30");
    EXPECT_EQ(Text("IDC_B_MIN"), "15");
    EXPECT_NEAR(Number("IDC_B_SEC"), 0.0, 1e-6);
    EXPECT_EQ(Text("IDC_L_DEG"), "111");
    EXPECT_EQ(Text("IDC_L_MIN"), "0");
}

TEST_F(FormTest, EnterChangesNothingAndEscapeClosesWithoutAPrompt) {
    Type("IDC_B_DEG", "");
    ScopedRecordingServices services;
    QTest::keyClick(Field("IDC_B_DEG"), Qt::Key_Return);
    QTest::keyClick(Field("IDC_B_SEC"), Qt::Key_Enter);
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
    EXPECT_EQ(Text("IDC_B_DEG"), "");
    EXPECT_EQ(dlg.m_nBDeg, 31);
    QTest::keyClick(Field("IDC_B_DEG"), Qt::Key_Escape);
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_FALSE(dlg.m_hWnd->isVisible());
    EXPECT_EQ(dlg.GetModalResult(), IDCANCEL);
}

TEST_F(FormTest, TheCloseBoxClosesWithoutAPrompt) {
    Type("IDC_B_MIN", "99");
    ScopedRecordingServices services;
    dlg.m_hWnd->close();
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(dlg.GetModalResult(), IDCANCEL);
}

class RoutingApp : public CConverterApp {
public:
    std::vector<std::pair<UINT, BOOL>> routed;
    BOOL OnCmdMsg(UINT nID, int nCode) override {
        const BOOL handled = CConverterApp::OnCmdMsg(nID, nCode);
        routed.emplace_back(nID, handled);
        return handled;
    }
};

TEST(FormMenu, HelpAboutGoesOnToTheApplication) {
    RoutingApp app;
    CConverterDlg dlg;
    ASSERT_TRUE(dlg.Create());
    app.m_pMainWnd = &dlg;
    QApplication::setActiveWindow(dlg.m_hWnd);
    auto* bar = dlg.m_hWnd->findChild<QMenuBar*>("IDR_MAIN_MENU");
    ASSERT_NE(bar, nullptr);
    QAction* help = bar->actions().value(1);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), QStringLiteral("帮助(&H)"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help).center());
    QMenu* menu = help->menu();
    ASSERT_TRUE(menu && menu->isVisible());
    QAction* about = menu->actions().value(0);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), QStringLiteral("关于(&A)"));
    // Whatever the About command opens is closed again as soon as it runs modally.
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(about).center());
    ASSERT_EQ(app.routed.size(), 1u);
    EXPECT_EQ(app.routed[0], (std::pair<UINT, BOOL>{ID_HELP_ABOUT, TRUE}));
    SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
    ASSERT_EQ(app.routed.size(), 2u);
    EXPECT_EQ(app.routed[1], (std::pair<UINT, BOOL>{ID_HELP, TRUE}));
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
    app.m_pMainWnd = nullptr;
}

TEST_F(FormTest, ControlsSitAtOneAndAHalfPixelsPerDialogUnitInTabOrder) {
    const DialogTemplate* t = FindDialogTemplate(IDD_MAIN_DIALOG);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->items.size(), 35u);
    const auto* bar = dlg.m_hWnd->findChild<QMenuBar*>();
    const int top = bar ? bar->height() : 0;
    const auto px = [](int du) { return static_cast<int>(std::floor(du * 1.5 + 0.5)); };
    for (size_t i = 0; i < t->items.size(); ++i) {
        const DialogItemTemplate& item = t->items[i];
        const QString name =
            item.idName ? QString::fromUtf8(item.idName) : QStringLiteral("IDC_STATIC_%1").arg(i);
        SCOPED_TRACE(name.toStdString());
        auto* w = dlg.m_hWnd->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr);
        const QRect expected(QPoint(px(item.x), px(item.y) + top),
                             QPoint(px(item.x + item.cx) - 1, px(item.y + item.cy) + top - 1));
        // Where it is in the form, whichever group box holds it.
        EXPECT_EQ(QRect(w->mapTo(dlg.m_hWnd, QPoint(0, 0)), w->size()), expected);
    }
    EXPECT_EQ(dlg.m_hWnd->size(), QSize(357, 284 + top));
    // Each radio group is one stop, at its checked button.
    const char* order[] = {"IDC_B_MIN",  "IDC_B_SEC",  "IDC_L_DEG",   "IDC_L_MIN", "IDC_L_SEC",
                           "IDC_X",      "IDC_Y",      "IDC_A",       "IDC_ALFA",  "IDC_WGS1984",
                           "IDC_PROJ_3", "IDC_PROJ_6", "IDC_FORWARD", "IDC_B_DEG"};
    for (const char* name : order) {
        SCOPED_TRACE(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
    }
}

TEST_F(FormTest, EveryFieldShowsItsWholeOpeningValueWithinTheTemplatesWidth) {
    for (const char* name : {"IDC_B_DEG", "IDC_B_MIN", "IDC_B_SEC", "IDC_L_DEG", "IDC_L_MIN",
                             "IDC_L_SEC", "IDC_X", "IDC_Y", "IDC_A", "IDC_ALFA"}) {
        SCOPED_TRACE(name);
        QLineEdit* edit = Field(name);
        // Walking the caret to the end scrolls the text only when it does not fit.
        edit->setCursorPosition(0);
        const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
        const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        EXPECT_EQ(end - start, QFontMetrics(edit->font()).horizontalAdvance(edit->text()));
    }
}

TEST_F(FormTest, OperationCaptionsUseTheDialogsFont) {
    const QFont dialogFont = dlg.m_hWnd->font();
    for (CHoverButton* button : {&dlg.m_btnProj3, &dlg.m_btnProj6, &dlg.m_btnAdj3, &dlg.m_btnAdj6,
                                 &dlg.m_btn3To6, &dlg.m_btn6To3}) {
        SCOPED_TRACE(button->GetDlgCtrlID());
        CFont* font = button->GetFont();
        ASSERT_NE(font, nullptr);
        LOGFONT lf{};
        font->GetLogFont(&lf);
        EXPECT_STREQ(lf.lfFaceName, "宋体");
        EXPECT_EQ(-lf.lfHeight, QFontInfo(dialogFont).pixelSize());
    }
}

TEST_F(FormTest, ScreenReadersHearEachFieldByItsLabels) {
    struct Case {
        const char* field;
        const char* name;
    };
    const Case cases[] = {{"IDC_B_DEG", "B 度"}, {"IDC_B_MIN", "B 分"}, {"IDC_B_SEC", "B 秒"},
                          {"IDC_L_DEG", "L 度"}, {"IDC_L_MIN", "L 分"}, {"IDC_L_SEC", "L 秒"},
                          {"IDC_X", "X"},        {"IDC_Y", "Y"},        {"IDC_A", "a"},
                          {"IDC_ALFA", "alfa"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Field(c.field));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->role(), QAccessible::EditableText);
        EXPECT_EQ(field->text(QAccessible::Name).toStdString(), c.name);
    }
    QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(Button("IDC_FORWARD"));
    EXPECT_EQ(radio->text(QAccessible::Name).toStdString(), "高斯坐标正算");
}

// Each radio group is one Tab stop, at its checked button, and the arrow keys choose within
// it, round at the ends, as the mouse would: a keyboard alone switches to 反算 and picks an
// ellipsoid.
TEST_F(FormTest, TheKeyboardChoosesTheDirectionAndTheEllipsoidWithTheArrowKeys) {
    Field("IDC_ALFA")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Button("IDC_WGS1984"));
    QTest::keyClick(Button("IDC_WGS1984"), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), Button("IDC_XIAN1980"));
    EXPECT_TRUE(Button("IDC_XIAN1980")->isChecked());
    EXPECT_FALSE(Button("IDC_WGS1984")->isChecked());
    EXPECT_EQ(Text("IDC_A"), "6378140");
    QTest::keyClick(Button("IDC_XIAN1980"), Qt::Key_Up);
    QTest::keyClick(Button("IDC_WGS1984"), Qt::Key_Up); // round to the last
    EXPECT_TRUE(Button("IDC_CUSTOM")->isChecked());
    EXPECT_FALSE(Field("IDC_A")->isReadOnly());
    // The group's stop has moved to the checked button.
    Field("IDC_ALFA")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Button("IDC_CUSTOM"));

    Field("IDC_B_DEG")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), Button("IDC_FORWARD"));
    QTest::keyClick(Button("IDC_FORWARD"), Qt::Key_Right);
    EXPECT_TRUE(Button("IDC_INVERSE")->isChecked());
    EXPECT_FALSE(Button("IDC_FORWARD")->isChecked());
    EXPECT_FALSE(Field("IDC_X")->isReadOnly());
    EXPECT_TRUE(Field("IDC_B_DEG")->isReadOnly());
}

// A screen reader hears radio buttons as radio buttons with their state, and the group boxes
// are frames it never lands in.
TEST_F(FormTest, RadioButtonsAreHeardAsRadioButtonsAndGroupBoxesTakeNoFocus) {
    for (const char* name : {"IDC_FORWARD", "IDC_INVERSE", "IDC_WGS1984", "IDC_XIAN1980",
                             "IDC_BEIJING1954", "IDC_CUSTOM"}) {
        SCOPED_TRACE(name);
        QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(Button(name));
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->role(), QAccessible::RadioButton);
        EXPECT_TRUE(radio->state().checkable);
        EXPECT_EQ(radio->state().checked, Button(name)->isChecked());
        EXPECT_EQ(radio->text(QAccessible::Name), Button(name)->text());
    }
    QAccessibleInterface* inverse = QAccessible::queryAccessibleInterface(Button("IDC_INVERSE"));
    ASSERT_NE(inverse->actionInterface(), nullptr);
    inverse->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(Button("IDC_INVERSE")->isChecked());
    EXPECT_TRUE(inverse->state().checked);
    for (QGroupBox* group : dlg.m_hWnd->findChildren<QGroupBox*>()) {
        SCOPED_TRACE(group->title().toStdString());
        EXPECT_EQ(group->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(group)->state().focusable);
    }
}

// Escape on the form while the batch window converts asks the batch window's question: no
// keeps both open and the run going, yes stops the run and then closes.
TEST_F(FormTest, EscapeDuringABatchRunAsksBeforeEndingTheProgram) {
    std::atomic<bool> hold{true};
    std::atomic<bool> sawStop{false};
    dlg.m_batchBackend.makeJob = [&](const BatchRequest&) -> BatchJob {
        return [&](const BatchJobHooks& hooks) {
            while (hold) {
                if (hooks.stop->load()) {
                    sawStop = true;
                    return BatchOutcome{BatchOutcome::Status::Stopped, 0, 0, ""};
                }
                std::this_thread::yield();
            }
            return BatchOutcome{};
        };
    };
    SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_TOOLS_BATCH, 0), 0);
    ASSERT_NE(dlg.m_pBatchDlg, nullptr);
    dlg.m_pBatchDlg->m_editInput.SetWindowText("/data/pts.txt");
    dlg.m_pBatchDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BATCH_RUN, BN_CLICKED));
    ASSERT_TRUE(dlg.m_pBatchDlg->IsRunning());

    ScopedRecordingServices services;
    services.answer = IDNO;
    QTest::keyClick(Field("IDC_B_DEG"), Qt::Key_Escape);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, "转换正在进行。要停止转换并关闭窗口吗？");
    EXPECT_EQ(services.boxes[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(dlg.m_hWnd->isVisible());
    EXPECT_TRUE(dlg.m_pBatchDlg->IsRunning());

    services.answer = IDYES;
    QTest::keyClick(Field("IDC_B_DEG"), Qt::Key_Escape);
    EXPECT_EQ(services.boxes.size(), 2u);
    EXPECT_FALSE(dlg.m_hWnd->isVisible());
    EXPECT_EQ(dlg.GetModalResult(), IDCANCEL);
    EXPECT_TRUE(sawStop.load());
    EXPECT_FALSE(dlg.m_pBatchDlg->IsRunning());
}

TEST_F(FormTest, EscapeWithAnIdleBatchWindowClosesAtOnce) {
    SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_TOOLS_BATCH, 0), 0);
    ASSERT_NE(dlg.m_pBatchDlg, nullptr);
    ScopedRecordingServices services;
    QTest::keyClick(Field("IDC_B_DEG"), Qt::Key_Escape);
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_FALSE(dlg.m_hWnd->isVisible());
}

TEST_F(FormTest, ChineseCaptionsShapeInTheSongFaceWithoutMissingGlyphs) {
    std::vector<std::pair<QString, QFont>> captions{
        {dlg.m_hWnd->windowTitle(), dlg.m_hWnd->font()}};
    for (QWidget* w : dlg.m_hWnd->findChildren<QWidget*>()) {
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            captions.emplace_back(b->text(), w->font());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            captions.emplace_back(g->title(), w->font());
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            captions.emplace_back(l->text(), w->font());
        }
    }
    int wide = 0;
    for (const auto& [text, font] : captions) {
        SCOPED_TRACE(text.toStdString());
        const QRawFont raw = QRawFont::fromFont(font);
        EXPECT_EQ(raw.familyName().toLower(), QStringLiteral("ar pl uming cn"));
        for (char32_t ch : text.toUcs4()) {
            EXPECT_TRUE(raw.supportsCharacter(ch)) << std::hex << static_cast<unsigned>(ch);
            wide += ch > 0x7F;
        }
    }
    EXPECT_GT(wide, 80);
}

} // namespace
