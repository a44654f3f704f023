// Faults of the field's original rules that this field mends, each with the rule chosen: typed
// digits stay as typed, the main form's "." is read under every locale, no number beyond the range
// of a double, separators that are not single ASCII characters, no digit in front of the sign.
#include "tests/controls/numeric_field_support.h"

#include "platform/services.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

using numeric_field::MemoryField;
using numeric_field::WidgetField;

// What the field must show after a number is typed: its digits, the decimal separator and
// exactly 10 decimals (the typed ones, then zeros); no 0 in front of the separator.
std::string Shown(const std::string& typed, char decimalSep = '.') {
    std::string integer = typed.substr(0, typed.find('.'));
    std::string fraction =
        typed.find('.') == std::string::npos ? "" : typed.substr(typed.find('.') + 1);
    bool negative = !integer.empty() && integer[0] == '-';
    if (negative) {
        integer.erase(0, 1);
    }
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    fraction.resize(10, '0');
    return (negative ? "-" : "") + integer + decimalSep + fraction;
}

// Typing in the order a user does: the sign, the integer digits, the separator, the decimals.
template <class Field> void TypeNumber(Field& field, const std::string& typed, char decimalSep) {
    for (char ch : typed) {
        field.Press(std::string(1, ch == '.' ? decimalSep : ch));
    }
}

// 6378245.1234 once came out as 6378245.0234999993 and 41.68325 as 41.6831599999.
const char* const kTypedNumbers[] = {
    "6378245.1234", "41.68325",     "298.2572235635",   "6378137",     "6378245.1", "114.3",
    "0.6",          "1.2345678901", "-0.0001",          "31.41416832", "298.3",     "6378140.0001",
    "0.1",          "-12345.0625",  "99999.9999999999",
};

TEST(NumericEditFaults, TypedDigitsStayAsTypedOnTheWidget) {
    for (const char* typed : kTypedNumbers) {
        SCOPED_TRACE(typed);
        WidgetField field;
        TypeNumber(field, typed, '.');
        EXPECT_EQ(field.Text(), Shown(typed));
        double expected = 0.0;
        const std::string text = field.Text();
        std::from_chars(text.data() + (text[0] == '-'), text.data() + text.size(), expected);
        EXPECT_EQ(std::fabs(field.edit.m_dValue), expected);
    }
}

// Every number with up to 15 significant digits and up to 10 decimals that a double holds
// exactly enough to give them back; in the model for many numbers, under three locales and
// with grouping on and off.
TEST(NumericEditFaults, AnyTypedNumberOfUpToTenDecimalsStaysAsTyped) {
    std::mt19937_64 random(20261207);
    struct Locale {
        const char* decimal;
        const char* group;
    } locales[] = {{".", ","}, {",", "."}, {",", "\u00A0"}};
    for (const Locale& locale : locales) {
        ScopedRecordingServices services;
        services.decimal = locale.decimal;
        services.group = locale.group;
        for (int n = 0; n < 6000; ++n) {
            const int decimals = static_cast<int>(random() % 11);
            const int integers = static_cast<int>(random() % (16 - decimals));
            std::string typed = random() % 4 == 0 ? "-" : "";
            // No leading zero: a 0 typed first stays in front of the separator until the next
            // digit re-renders the field and its caret then lands behind the separator (the
            // first editing rule's example). A lone 0 before the separator is fine.
            for (int i = 0; i < integers; ++i) {
                typed += static_cast<char>('0' + (i == 0 ? 1 + random() % 9 : random() % 10));
            }
            if (integers == 0 && random() % 2) {
                typed += '0';
            }
            if (decimals > 0 || typed.back() == '0' || random() % 2) {
                typed += '.';
            }
            for (int i = 0; i < decimals; ++i) {
                typed += static_cast<char>('0' + random() % 10);
            }
            const BOOL grouping = random() % 2 ? TRUE : FALSE;
            MemoryField field(grouping);
            field.SetValue(0.0);
            TypeNumber(field, typed, field.m_chDecimalSep);
            const std::string shown = Shown(typed, field.m_chDecimalSep);
            const std::string expected =
                grouping ? field.ApplyGrouping(shown.c_str()).str() : shown;
            ASSERT_EQ(field.text.str(), expected)
                << "typed " << typed << (grouping ? " with grouping" : "") << " under "
                << locale.decimal;
        }
    }
}

TEST(NumericEditFaults, MainFormPointIsReadUnderACommaDecimalLocale) {
    for (const char* group : {".", "\u202F"}) {
        SCOPED_TRACE(group);
        ScopedRecordingServices services;
        services.decimal = ",";
        services.group = group;
        WidgetField field; // grouping off, as the main form sets it
        struct Case {
            const char* written;
            double value;
        } cases[] = {
            {"298.2572235635", 298.2572235635}, {"6378137", 6378137.0}, {"0", 0.0},
            {"6378245.1234", 6378245.1234},     {"-0.5", -0.5},         {"1,5", 1.5},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.written);
            EXPECT_EQ(field.edit.ParseText(c.written), c.value);
        }
        // The next keystroke keeps the number: a digit re-renders it in the locale's form …
        field.Place("298.2572235635|");
        field.Press("7");
        EXPECT_EQ(field.Notation(), "298,2572235635|");
        EXPECT_EQ(field.edit.m_dValue, 298.2572235635);
        // … Delete at the end changes nothing …
        field.Place("298.2572235635|");
        field.Press("Delete");
        EXPECT_EQ(field.edit.m_dValue, 298.2572235635);
        // … and Backspace, which does not re-render, works on its decimals.
        field.Place("298.2572235635|");
        field.Press("Backspace");
        EXPECT_EQ(field.Notation(), "298,257223563|0");
        EXPECT_EQ(field.edit.m_dValue, 298.257223563);
        // A digit typed into its integer part.
        field.Place("298|.2572235635");
        field.Press("1");
        EXPECT_EQ(field.Notation(), "2981|,2572235635");
    }
}

TEST(NumericEditFaults, DotGroupingWithGroupingOnKeepsTheGroupedReading) {
    // With grouping on, "." is this field's own group separator: 1.234 is one thousand ….
    ScopedRecordingServices services;
    services.decimal = ",";
    services.group = ".";
    WidgetField field(TRUE);
    EXPECT_EQ(field.edit.ParseText("1.234"), 1234.0);
    EXPECT_EQ(field.edit.ParseText("1.234,5"), 1234.5);
}

TEST(NumericEditFaults, DigitsThatWouldLeaveTheRangeOfADoubleAreRefused) {
    WidgetField field;
    for (int i = 0; i < 400; ++i) {
        field.Press("9");
    }
    // The largest numbers a double holds have 309 integer digits; the next digit is refused.
    const std::string text = field.Text();
    EXPECT_EQ(text.find('.'), 309u);
    EXPECT_TRUE(std::isfinite(field.edit.m_dValue));
    EXPECT_GT(field.edit.m_dValue, 1e308);
    EXPECT_EQ(field.edit.m_dValue, field.edit.ParseText(text.c_str()));
    for (int caret : {0, 1, 100, 309}) {
        ::SendMessage(field.hwnd, EM_SETSEL, static_cast<WPARAM>(caret), caret);
        field.Press("9");
        EXPECT_EQ(field.Text(), text) << "caret " << caret;
    }
    // The fraction is still typed over, the sign still toggles.
    ::SendMessage(field.hwnd, EM_SETSEL, 310, 310);
    field.Press("5");
    EXPECT_EQ(field.Text(), text.substr(0, 310) + "5000000000");
    field.Press("-"); // re-renders: at this size a double has no room for the .5
    EXPECT_EQ(field.Text(), "-" + text);
    EXPECT_TRUE(std::isfinite(field.edit.m_dValue));
    EXPECT_LT(field.edit.m_dValue, -1e308);
}

TEST(NumericEditFaults, TextBeyondTheRangeReadsAsTheLargestDouble) {
    WidgetField field;
    struct Case {
        std::string text;
        double value;
    } cases[] = {
        {"1e400", DBL_MAX},
        {"-1e400", -DBL_MAX},
        {std::string(400, '9'), DBL_MAX},
        {"1.7976931348623159e308", DBL_MAX},
        {"1.7976931348623157e308", DBL_MAX},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"0." + std::string(400, '0') + "1", 0.0},
        {"1e99999999999999999999", DBL_MAX},
        {"0.00001e-99999999999999999999", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const double v = field.edit.ParseText(c.text.c_str());
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(std::signbit(v), std::signbit(c.value));
    }
    // The next adding keystroke renders the largest double, digits and all.
    field.Place("|1e400");
    field.Press("+");
    EXPECT_EQ(field.Text(), "179769313486231570" + std::string(291, '0') + ".0000000000");
    EXPECT_EQ(field.edit.m_dValue, DBL_MAX);
}

TEST(NumericEditFaults, NoEditCarriesTheNumberBeyondTheRange) {
    WidgetField field;
    field.Place("1e|-400"); // other code's text; Delete would make it 1e400
    field.Press("Delete");
    EXPECT_EQ(field.Notation(), "1e|-400");
    // Text already beyond the range may be edited back into it.
    field.Place("1e4000|");
    field.Press("Backspace");
    EXPECT_EQ(field.Notation(), "1e400|");
    field.Press("Backspace");
    EXPECT_EQ(field.Notation(), "1e40|");
    EXPECT_EQ(field.edit.m_dValue, 1e40);
}

TEST(NumericEditFaults, NonFiniteValuesRenderSoundly) {
    WidgetField field;
    field.edit.SetValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(field.edit.m_dValue, DBL_MAX);
    field.edit.SetValue(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(field.edit.m_dValue, -DBL_MAX);
    field.edit.SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(field.Text(), ".0000000000");
    EXPECT_EQ(field.edit.m_dValue, 0.0);
}

TEST(NumericEditFaults, NoBreakSpaceGroupingShowsAnAsciiSpace) {
    for (const char* space : {"\u00A0", "\u202F"}) {
        ScopedRecordingServices services;
        services.decimal = ",";
        services.group = space;
        WidgetField field(TRUE);
        field.edit.SetValue(1234567.5);
        EXPECT_EQ(field.Text(), "1 234 567,5000000000");
        EXPECT_EQ(field.edit.m_dValue, 1234567.5);
        ::SendMessage(field.hwnd, EM_SETSEL, 9, 9);
        field.Press("8");
        EXPECT_EQ(field.Notation(), "12 345 678|,5000000000");
        field.Press("Backspace");
        EXPECT_EQ(field.Notation(), "1 234 567|,5000000000");
    }
}

TEST(NumericEditFaults, MultiByteCharactersOfOtherCodeAreNeverSplit) {
    WidgetField field(TRUE);
    field.Place("12°|");
    field.Press("Backspace");
    EXPECT_EQ(field.Text(), "12.");
    field.Place("|°12");
    field.Press("Delete");
    EXPECT_EQ(field.Text(), "12.");
    field.Place("1234°5|");
    field.Press("Backspace");
    EXPECT_EQ(field.Text(), "12,34°."); // four characters grouped: the ° counts as one
    WidgetField plain;
    plain.Place("1.5°|0");
    plain.Press("Backspace");
    EXPECT_EQ(plain.Notation(), "1.5|00");
}

TEST(NumericEditFaults, DigitInFrontOfALeadingMinusIsRefused) {
    for (BOOL grouping : {FALSE, TRUE}) {
        WidgetField field(grouping);
        field.edit.SetValue(-5.0);
        ASSERT_EQ(field.Notation(), "|-5.0000000000");
        field.Press("3");
        EXPECT_EQ(field.Notation(), "|-5.0000000000");
        EXPECT_EQ(field.edit.m_dValue, -5.0);
        ::SendMessage(field.hwnd, EM_SETSEL, 1, 1);
        field.Press("3");
        EXPECT_EQ(field.Notation(), "-3|5.0000000000");
    }
}

} // namespace
