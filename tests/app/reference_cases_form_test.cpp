// The main form driven through tests/data/reference.cases: every case the form can express (the
// series, the standard zones, packed angles; an ellipsoid without a radio of its own is typed in
// as a user-defined one) is typed into the fields, run with the operation's button, and its
// result read back from the fields.
#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "engine/ellipsoid.h"
#include "engine/packed_angle.h"
#include "tests/support/case_file.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <charconv>
#include <string>

namespace {

class Form {
public:
    CConverterApp app; // before the form: the form loads its icon through it
    CConverterDlg dlg;

    Form() {
        EXPECT_TRUE(dlg.Create());
        app.m_pMainWnd = &dlg;
        QApplication::setActiveWindow(dlg.m_hWnd);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.m_hWnd));
    }
    ~Form() { app.m_pMainWnd = nullptr; }

    QLineEdit* Field(const char* name) const {
        auto* edit = dlg.m_hWnd->findChild<QLineEdit*>(QString::fromUtf8(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    double Number(const char* name) const {
        bool ok = false;
        const double v = QLocale::c().toDouble(Field(name)->text().trimmed(), &ok);
        EXPECT_TRUE(ok) << name << ": " << Field(name)->text().toStdString();
        return v;
    }
    // Selects the field's text with the keyboard and types the number over it.
    void Type(const char* name, double value) {
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        QLineEdit* edit = Field(name);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClicks(edit, QString::fromLatin1(text, static_cast<int>(end - text)));
    }
    void Click(const char* name) {
        auto* button = dlg.m_hWnd->findChild<QAbstractButton*>(QString::fromUtf8(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
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
    Form form;
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
