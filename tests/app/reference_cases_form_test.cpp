// The main form driven through tests/data/reference.cases: every case the form can express (the
// series, the standard zones, packed angles; an ellipsoid without a radio of its own is typed in
// as a user-defined one) is typed into the fields, run with the operation's button, and its
// result read back from the fields.
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "engine/ellipsoid.h"
#include "engine/packed_angle.h"
#include "tests/app/form_fixture.h"
#include "tests/support/case_file.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <charconv>
#include <string>

namespace {

// The form with the steps a reference case needs: numbers typed as their shortest digits, and
// only enabled buttons clicked.
class CaseForm : public Form {
public:
    void Type(const char* name, double value) {
        char text[64];
        *std::to_chars(text, text + sizeof text - 1, value).ptr = '\0';
        Form::Type(name, text);
    }
    void Click(const char* name) {
        ASSERT_TRUE(Button(name)->isEnabled()) << name;
        Form::Click(name);
    }

    void ChooseEllipsoid(const cases::Settings& s) {
        const char* radio = s.ellipsoidKey == "wgs84"       ? "IDC_WGS1984"
                            : s.ellipsoidKey == "xian80"    ? "IDC_XIAN1980"
                            : s.ellipsoidKey == "beijing54" ? "IDC_BEIJING1954"
                                                            : nullptr;
        if (radio != nullptr) {
            Click(radio);
            return;
        }
        const EllipsoidPreset* preset = FindEllipsoidPreset(s.ellipsoidKey);
        Click("IDC_CUSTOM");
        Type("IDC_A", preset != nullptr ? preset->a : s.a);
        Type("IDC_ALFA", preset != nullptr ? preset->alfa : s.alfa);
    }
    void TypeAngle(const char* deg, const char* min, const char* sec, double packed) {
        const PackedParts parts = SplitPacked(packed);
        Type(deg, parts.D);
        Type(min, parts.M);
        Type(sec, parts.S);
    }
    double ReadAngle(const char* deg, const char* min, const char* sec) const {
        return PackedToDegrees(JoinPacked(Number(deg), Number(min), Number(sec)));
    }
};

TEST(ReferenceCasesOnTheForm, EveryCaseTheFormCanExpressGivesItsExpectedResult) {
    CaseForm form;
    int run = 0;
    for (const cases::Case& c : cases::Read()) {
        const cases::Settings& s = c.settings;
        if (c.kind != cases::Case::Kind::Expect || s.method != "series" || !s.StandardZones() ||
            !s.packed) {
            continue;
        }
        SCOPED_TRACE(c.Where());
        ++run;
        form.ChooseEllipsoid(s);
        const char* projection = s.width == 3 ? "IDC_PROJ_3" : "IDC_PROJ_6";
        if (s.operation == "forward") {
            form.Click("IDC_FORWARD");
            form.TypeAngle("IDC_B_DEG", "IDC_B_MIN", "IDC_B_SEC", c.in[0]);
            form.TypeAngle("IDC_L_DEG", "IDC_L_MIN", "IDC_L_SEC", c.in[1]);
            form.Click(projection);
            EXPECT_NEAR(form.Number("IDC_X"), c.out[0], c.tolerance);
            EXPECT_NEAR(form.Number("IDC_Y"), c.out[1], c.tolerance);
            continue;
        }
        form.Click("IDC_INVERSE");
        form.Type("IDC_X", c.in[0]);
        form.Type("IDC_Y", c.in[1]);
        // A projection in the source system first: it enables that system's zone buttons and
        // leaves X and Y as typed.
        form.Click(projection);
        if (s.operation == "inverse") {
            EXPECT_NEAR(form.ReadAngle("IDC_B_DEG", "IDC_B_MIN", "IDC_B_SEC"),
                        PackedToDegrees(c.out[0]), c.tolerance);
            EXPECT_NEAR(form.ReadAngle("IDC_L_DEG", "IDC_L_MIN", "IDC_L_SEC"),
                        PackedToDegrees(c.out[1]), c.tolerance);
            continue;
        }
        const char* button = s.operation == "3to6"   ? "IDC_3_TO_6"
                             : s.operation == "6to3" ? "IDC_6_TO_3"
                             : s.width == 3          ? "IDC_ADJ_3"
                                                     : "IDC_ADJ_6";
        form.Click(button);
        EXPECT_NEAR(form.Number("IDC_X"), c.out[0], c.tolerance);
        EXPECT_NEAR(form.Number("IDC_Y"), c.out[1], c.tolerance);
    }
    EXPECT_GT(run, 25);
}

} // namespace
