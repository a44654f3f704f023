// Data exchange: the text forms of numbers, and a read that stops at its first failure with a
// prompt, the focus and a full selection on the failing field.
#include "platform/ddx.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(DdxFormat, RealsAreWrittenAsPercentFifteenG) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {6378137.0, "6378137"},
        {41.6832, "41.6832"},
        {298.2572235635, "298.2572235635"},
        {3386902.25, "3386902.25"},
        {0.1 + 0.2, "0.3"},
        {121000000.0, "121000000"},
        {123456789012345678.0, "1.23456789012346e+17"},
        {1e-5, "1e-05"},
        {-0.0, "-0"},
        {-12.5, "-12.5"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatDdxDouble(c.value).str(), c.text);
    }
    EXPECT_EQ(FormatDdxInt(-7).str(), "-7");
    EXPECT_EQ(FormatDdxInt(std::numeric_limits<int>::min()).str(), "-2147483648");
}

TEST(DdxParse, IntegersAreASignAndDigitsBetweenBlanks) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"31", true, 31},  {" \t12 \t", true, 12}, {"+5", true, 5},
        {"-7", true, -7},  {"007", true, 7},       {"-2147483648", true, -2147483647 - 1},
        {"", false, 0},    {"  ", false, 0},       {"-", false, 0},
        {"1.0", false, 0}, {"1e2", false, 0},      {"0x10", false, 0},
        {"12a", false, 0}, {"1 2", false, 0},      {"2147483648", false, 0},
        {"\n3", false, 0}, {"３", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int value = 99;
        EXPECT_EQ(ParseDdxInt(c.text, &value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 99);
    }
}

TEST(DdxParse, RealsAreDecimalNumbersBetweenBlanks) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"41.6832", true, 41.6832},
        {" 1.5\t", true, 1.5},
        {"-.5", true, -0.5},
        {"5.", true, 5.0},
        {"+2", true, 2.0},
        {"1e3", true, 1000.0},
        {"1E-3", true, 0.001},
        {"298.2572235635", true, 298.2572235635},
        {"", false, 0},
        {".", false, 0},
        {"-", false, 0},
        {"1,000", false, 0},
        {"1 000", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"-nan", false, 0},
        {"0x1p3", false, 0},
        {"1e", false, 0},
        {"1e+", false, 0},
        {"1e999", false, 0},
        {"--1", false, 0},
        {"1.2.3", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double value = 99.0;
        EXPECT_EQ(ParseDdxDouble(c.text, &value), c.ok);
        EXPECT_EQ(value, c.ok ? c.value : 99.0);
    }
}

TEST(DdxParse, EveryWrittenFiniteRealReadsBack) {
    const double values[] = {6378245.0, 298.3, 1e-300, 1e300, -3386902.25};
    for (double v : values) {
        SCOPED_TRACE(v);
        double back = 0.0;
        ASSERT_TRUE(ParseDdxDouble(FormatDdxDouble(v), &back));
        EXPECT_NEAR(back, v, std::abs(v) * 1e-14);
    }
}

constexpr int kDdxDialog = 9201;
constexpr int kCount = 9210;
constexpr int kRatio = 9211;
constexpr int kLast = 9212;

const DialogTemplateRegistration kDialog{
    DialogTemplate{.id = kDdxDialog,
                   .idName = "IDD_DDX_TEST",
                   .caption = "",
                   .cx = 100,
                   .cy = 60,
                   .pointSize = 9,
                   .fontFace = "宋体",
                   .style = WS_POPUP | WS_VISIBLE | WS_CAPTION,
                   .exStyle = 0,
                   .menuId = 0,
                   .items = {
                       {kCount, "IDC_COUNT", "EDIT", "", 5, 5, 40, 12, WS_BORDER | WS_TABSTOP, 0},
                       {kRatio, "IDC_RATIO", "EDIT", "", 5, 20, 40, 12, WS_BORDER | WS_TABSTOP, 0},
                       {kLast, "IDC_LAST", "EDIT", "", 5, 35, 40, 12, WS_BORDER | WS_TABSTOP, 0},
                   }}};

class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(kDdxDialog) {}
    int m_nCount = 3;
    double m_dRatio = 0.5;
    double m_dLast = 7.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kCount, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 60);
        DDX_Text(pDX, kRatio, m_dRatio);
        DDV_MinMaxDouble(pDX, m_dRatio, 1000000.0, 121000000.0);
        DDX_Text(pDX, kLast, m_dLast);
    }
};

QLineEdit* Field(const CDialog& dlg, const char* name) {
    return dlg.m_hWnd->findChild<QLineEdit*>(QString::fromUtf8(name));
}

struct Shown {
    ExchangeDialog dlg;
    Shown() {
        dlg.Create();
        QApplication::setActiveWindow(dlg.m_hWnd);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.m_hWnd));
    }
    void Type(const char* name, const char* text) {
        QLineEdit* edit = Field(dlg, name);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
};

TEST(DdxExchange, OpeningWritesTheMembersWithoutChecking) {
    Shown s;
    EXPECT_EQ(Field(s.dlg, "IDC_COUNT")->text(), QStringLiteral("3"));
    EXPECT_EQ(Field(s.dlg, "IDC_RATIO")->text(), QStringLiteral("0.5")); // out of its range
    EXPECT_EQ(Field(s.dlg, "IDC_LAST")->text(), QStringLiteral("7"));
}

TEST(DdxExchange, AReadStopsAtTheFirstFailureWithAPromptThenFocusAndSelection) {
    struct Case {
        const char* label;
        const char* count;
        const char* ratio;
        const char* prompt; // empty: the read succeeds
        const char* failing;
        int countAfter;
        double ratioAfter;
    };
    const Case cases[] = {
        {"count empty", "", "2000000", "请输入一个整数。", "IDC_COUNT", 3, 0.5},
        {"count not a number", "4x", "2000000", "请输入一个整数。", "IDC_COUNT", 3, 0.5},
        {"count above", "61", "2000000", "请输入一个介于 0 和 60 之间的整数。", "IDC_COUNT", 61,
         0.5},
        {"count negative", "-1", "2000000", "请输入一个介于 0 和 60 之间的整数。", "IDC_COUNT", -1,
         0.5},
        {"ratio grouped", "60", "1,000", "请输入一个数字。", "IDC_RATIO", 60, 0.5},
        {"ratio below", "0", "500000", "请输入一个介于 1000000 和 121000000 之间的数字。",
         "IDC_RATIO", 0, 500000.0},
        {"bounds pass", "60", "121000000", "", "", 60, 121000000.0},
        {"lower bounds pass", "0", "1000000", "", "", 0, 1000000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Shown s;
        s.Type("IDC_COUNT", c.count);
        s.Type("IDC_RATIO", c.ratio);
        s.Type("IDC_LAST", "8.25");
        ScopedRecordingServices services;
        QWidget* focusWhilePrompting = nullptr;
        services.onMessageBox = [&](const RecordingServices::Box&) {
            focusWhilePrompting = QApplication::focusWidget();
        };
        const bool expectOk = *c.prompt == '\0';
        EXPECT_EQ(s.dlg.UpdateData(TRUE), expectOk ? TRUE : FALSE);
        EXPECT_EQ(s.dlg.m_nCount, c.countAfter);
        EXPECT_EQ(s.dlg.m_dRatio, c.ratioAfter);
        if (expectOk) {
            EXPECT_TRUE(services.boxes.empty());
            EXPECT_EQ(s.dlg.m_dLast, 8.25);
            continue;
        }
        EXPECT_EQ(s.dlg.m_dLast, 7.0); // never read
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text, c.prompt);
        EXPECT_EQ(services.boxes[0].owner, s.dlg.m_hWnd);
        QLineEdit* failing = Field(s.dlg, c.failing);
        EXPECT_NE(focusWhilePrompting, failing); // the focus moves once the prompt is gone
        EXPECT_EQ(QApplication::focusWidget(), failing);
        EXPECT_EQ(failing->selectedText(), failing->text());
    }
}

TEST(DdxExchange, WritingShowsOutOfRangeValuesAsTheyAre) {
    Shown s;
    s.dlg.m_nCount = -5;
    s.dlg.m_dRatio = std::numeric_limits<double>::quiet_NaN();
    ScopedRecordingServices services;
    EXPECT_EQ(s.dlg.UpdateData(FALSE), TRUE);
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(Field(s.dlg, "IDC_COUNT")->text(), QStringLiteral("-5"));
    EXPECT_EQ(Field(s.dlg, "IDC_RATIO")->text(), QStringLiteral("nan"));
    // ...and the next read reports the first of them.
    EXPECT_EQ(s.dlg.UpdateData(TRUE), FALSE);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, "请输入一个介于 0 和 60 之间的整数。");
}

} // namespace
