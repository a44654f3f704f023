// The field's value tables: rendering through SetValue on the real field, ApplyGrouping, ParseText,
// the locale separators read through the services seam, and SetGrouping.
#include "tests/controls/numeric_field_support.h"

#include "platform/services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using numeric_field::MemoryField;
using numeric_field::WidgetField;

struct RenderCase {
    double value;
    const char* off;
    const char* on;
};

// 0.6 shows .6000000000 with the shortest digits; the other rows are the original rendering's.
const RenderCase kRenderings[] = {
    {0.0, ".0000000000", ".0000000000"},
    {-0.0, "-.0000000000", "-.0000000000"},
    {0.5, ".5000000000", ".5000000000"},
    {0.05, ".0500000000", ".0500000000"},
    {0.6, ".6000000000", ".6000000000"},
    {114.3, "114.3000000000", "114.3000000000"},
    {298.2572235635, "298.2572235635", "298.2572235635"},
    {1234.5, "1234.5000000000", "1,234.5000000000"},
    {123456.0, "123456.0000000000", "123,456.0000000000"},
    {-123456.78, "-123456.7800000000", "-123,456.7800000000"},
    {6378137.0, "6378137.0000000000", "6,378,137.0000000000"},
    {1e20, "100000000000000000000.0000000000", "100,000,000,000,000,000,000.0000000000"},
    {1.23456789012345, "1.2345678901", "1.2345678901"},
    {0.99999999999, ".9999999999", ".9999999999"},
    {1e-11, ".0000000000", ".0000000000"},
    {-123.0, "-123.0000000000", "-123.0000000000"},
};

TEST(NumericEditFormat, SetValueShowsTheCanonicalRenderingCaretAtStart) {
    for (const RenderCase& c : kRenderings) {
        for (BOOL grouping : {FALSE, TRUE}) {
            SCOPED_TRACE(std::string(grouping ? "grouping on: " : "grouping off: ") +
                         (grouping ? c.on : c.off));
            WidgetField field(grouping);
            field.Place("junk|");
            field.edit.SetValue(c.value);
            EXPECT_EQ(field.Notation(), std::string("|") + (grouping ? c.on : c.off));
            // The value as shown: read back from the rendered text.
            EXPECT_EQ(field.edit.m_dValue, field.edit.ParseText(field.Text().c_str()));
        }
    }
}

struct GroupingCase {
    const char* input;
    const char* on;
    const char* off;
};

const GroupingCase kGroupings[] = {
    {"-123", "-123.", "-123"},
    {"-1234", "-1,234.", "-1234"},
    {"1234", "1,234.", "1234"},
    {"", ".", ""},
    {"12,34,5.6", "12,345.6", "12345.6"},
    {"12.3,4", "12.34", "12.34"},
    {"123456", "123,456.", "123456"},
    {"-123456", "-123,456.", "-123456"},
};

TEST(NumericEditFormat, ApplyGroupingTable) {
    for (const GroupingCase& c : kGroupings) {
        SCOPED_TRACE(c.input);
        MemoryField on(TRUE), off(FALSE);
        EXPECT_EQ(on.ApplyGrouping(c.input).str(), c.on);
        EXPECT_EQ(off.ApplyGrouping(c.input).str(), c.off);
    }
}

TEST(NumericEditFormat, ApplyGroupingOnTheWidgetRegroupsAfterATypedDigit) {
    // The integer part is regrouped after each digit: 1,234 becomes 12,345 then 123,456.
    WidgetField field(TRUE);
    field.edit.SetValue(1234.0);
    ::SendMessage(field.hwnd, EM_SETSEL, 5, 5);
    field.Type("56");
    EXPECT_EQ(field.Notation(), "123,456|.0000000000");
}

struct ParseCase {
    const char* text;
    double value;
    bool negative;
};

const ParseCase kParses[] = {
    {"1,234.5", 1234.5, false},
    {"1,2,3,4.5", 1234.5, false}, // group separators are ignored wherever they stand
    {"", 0.0, false},
    {".", 0.0, false},
    {"6378137", 6378137.0, false},
    {"-.0000000000", 0.0, true},
    {"3-5.0000000000", 3.0, false},
    {"298.2572235635", 298.2572235635, false},
    {"  42.5", 42.5, false},
    {"1e3", 1000.0, false},
    {"2.5e-3xyz", 0.0025, false},
    {"abc", 0.0, false},
    {"-", 0.0, false},
    {"+7", 7.0, false},
    {"inf", 0.0, false},
    {"nan", 0.0, false},
    {"--5", 0.0, false},
    {"1,5", 15.0, false}, // the usual locale: "," groups, as it always did
};

TEST(NumericEditFormat, ParseTextTable) {
    for (const ParseCase& c : kParses) {
        SCOPED_TRACE(c.text);
        WidgetField field;
        const double v = field.edit.ParseText(c.text);
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(std::signbit(v), c.negative);
    }
}

TEST(NumericEditFormat, CommaDecimalLocaleRendersAndReadsBack) {
    ScopedRecordingServices services;
    services.decimal = ",";
    services.group = ".";
    WidgetField field(TRUE);
    field.edit.SetValue(1234.5);
    EXPECT_EQ(field.Text(), "1.234,5000000000");
    EXPECT_EQ(field.edit.ParseText("1.234,5000000000"), 1234.5);
    EXPECT_EQ(field.edit.m_dValue, 1234.5);
}

TEST(NumericEditFormat, SetGroupingOffShowsTheStoredValueUngrouped) {
    WidgetField field(TRUE);
    field.edit.SetValue(1234.5);
    ::SendMessage(field.hwnd, EM_SETSEL, 3, 3);
    ASSERT_EQ(field.Text(), "1,234.5000000000");
    field.edit.SetGrouping(FALSE);
    EXPECT_EQ(field.Notation(), "|1234.5000000000");
    EXPECT_EQ(field.edit.m_bGrouping, FALSE);
}

TEST(NumericEditFormat, SetGroupingReplacesForeignTextByTheStoredValue) {
    WidgetField field; // grouping off shows .0000000000 on a fresh field
    EXPECT_EQ(field.Notation(), "|.0000000000");
    field.edit.SetWindowText("298.2572235635");
    field.edit.SetGrouping(FALSE);
    EXPECT_EQ(field.Text(), ".0000000000"); // the stored value, not the text, is shown
}

TEST(NumericEditFormat, ConstructionDefaults) {
    ScopedRecordingServices services;
    services.localeKnown = FALSE;
    numeric_field::ProbedNumericEdit edit;
    EXPECT_EQ(edit.m_dValue, 0.0);
    EXPECT_EQ(edit.m_bGrouping, TRUE);
    EXPECT_EQ(edit.m_chGroupSep, ',');
    EXPECT_EQ(edit.m_chDecimalSep, '.');
    EXPECT_EQ(edit.m_nDecimals, 10);
}

struct LocaleCase {
    const char* decimal;
    const char* group;
    char decimalSep;
    char groupSep;
    const char* why;
};

const LocaleCase kLocales[] = {
    {".", ",", '.', ',', "the usual locale"},
    {",", ".", ',', '.', "German"},
    {",", " ", ',', ' ', "space grouping"},
    {",", "\u00A0", ',', ' ', "no-break space maps to a space"},
    {",", "\u202F", ',', ' ', "narrow no-break space maps to a space"},
    {".", "\u2019", '.', ',', "right quote has no ASCII stand-in: default kept"},
    {"\u066B", "\u066C", '.', ',', "Arabic separators: defaults kept"},
    {".", ".", '.', ',', "same character: the group keeps ','"},
    {",", ",", ',', '.', "same character ',': the group may not be ',' too"},
    {"", "", '.', ',', "empty strings: defaults kept"},
    {"5", "-", '.', ',', "a digit or a sign is no separator"},
    {".,", ",.", '.', ',', "only first characters are used"},
};

TEST(NumericEditFormat, LocaleSeparatorsAreSingleAsciiCharacters) {
    for (const LocaleCase& c : kLocales) {
        SCOPED_TRACE(c.why);
        ScopedRecordingServices services;
        services.decimal = c.decimal;
        services.group = c.group;
        numeric_field::ProbedNumericEdit edit;
        EXPECT_EQ(edit.m_chDecimalSep, c.decimalSep);
        EXPECT_EQ(edit.m_chGroupSep, c.groupSep);
    }
}

} // namespace
