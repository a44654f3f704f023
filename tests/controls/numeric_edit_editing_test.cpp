// The field's editing rules, row by row: the caret placed with EM_SETSEL, the key pressed as a
// user presses it, text and caret read back from the real edit window. Every row also runs on
// the in-memory model, which the randomized test relies on behaving the same.
#include "tests/controls/numeric_field_support.h"

#include <gtest/gtest.h>

namespace {

using numeric_field::MemoryField;
using numeric_field::WidgetField;

struct EditCase {
    const char* before;
    const char* key;
    const char* after;
    const char* note;
};

// Grouping off, 10 decimals, "." and ",".
const EditCase kGroupingOff[] = {
    {"0|", "5", ".5|000000000", "re-rendered to .0000000000, caret 1 is behind the separator"},
    {"[0]", "3", "3|.0000000000", "0 selected whole"},
    {"3|.0000000000", "4", "34|.0000000000", ""},
    {"34|.0000000000", ".", "34.|0000000000", "text unchanged, caret behind the separator"},
    {"34.|0000000000", "7", "34.7|000000000", "overwrite"},
    {"34.7|000000000", "Backspace", "34.|0000000000", "a 0 is appended at the end"},
    {"34.|0000000000", "Backspace", "3|.0000000000", "the caret first steps over the separator"},
    {"34.7000000000|", "9", "34.7000000000|", "behind the last decimal a digit is dropped"},
    {"1|23.4500000000", ".", "1.|4500000000", "the integer digits behind the caret go"},
    {"12|.3450000000", "Delete", "12.|4500000000", "Delete removes the first decimal"},
    {"6378137|", "Backspace", "637813|", "Backspace does not re-render first"},
    {"6378137|", "1", "63781371|.0000000000", ""},
    {"|.0000000000", "-", "-|.0000000000", "value negative zero"},
    {"-|.0000000000", "5", "-5|.0000000000", "the re-rendering keeps the minus of -0"},
    {"-|.0000000000", "+", "|.0000000000", ""},
    {"|.0000000000", "+", "|.0000000000", "nothing changes"},
};

const EditCase kGroupingOn[] = {
    {"1,234|.5000000000", "6", "12,346|.5000000000", ""},
    {"1|2,346.5000000000", "9", "19|2,346.5000000000", ""},
    {"192|,346.5000000000", "Delete", "19,2|46.5000000000", "the separator and the 3 go"},
    {"19,|246.5000000000", "Backspace", "1,|246.5000000000", "the separator and the 9 go"},
    {"|", "Backspace", ".|", "empty field; the value reads as 0"},
};

std::string Describe(const EditCase& c) {
    return std::string(c.before) + "  key " + c.key + "  (" + c.note + ")";
}

void RunOnWidget(const EditCase* begin, const EditCase* end, BOOL grouping) {
    for (const EditCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(Describe(*c));
        WidgetField field(grouping);
        field.Place(c->before);
        field.Press(c->key);
        EXPECT_EQ(field.Notation(), c->after);
        EXPECT_EQ(std::signbit(field.edit.m_dValue),
                  std::signbit(field.edit.ParseText(field.Text().c_str())));
        EXPECT_EQ(field.edit.m_dValue, field.edit.ParseText(field.Text().c_str()));
    }
}

void RunInMemory(const EditCase* begin, const EditCase* end, BOOL grouping) {
    for (const EditCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(Describe(*c));
        MemoryField field(grouping);
        field.Place(c->before);
        field.Press(c->key);
        EXPECT_EQ(field.Notation(), c->after);
    }
}

TEST(NumericEditEditing, GroupingOffTableOnTheRealWidget) {
    RunOnWidget(std::begin(kGroupingOff), std::end(kGroupingOff), FALSE);
}

TEST(NumericEditEditing, GroupingOnTableOnTheRealWidget) {
    RunOnWidget(std::begin(kGroupingOn), std::end(kGroupingOn), TRUE);
}

TEST(NumericEditEditing, InMemoryModelFollowsTheSameTables) {
    RunInMemory(std::begin(kGroupingOff), std::end(kGroupingOff), FALSE);
    RunInMemory(std::begin(kGroupingOn), std::end(kGroupingOn), TRUE);
}

TEST(NumericEditEditing, NegativeZeroRowHoldsNegativeZero) {
    WidgetField field;
    field.Place("|.0000000000");
    field.Press("-");
    EXPECT_EQ(field.edit.m_dValue, 0.0);
    EXPECT_TRUE(std::signbit(field.edit.m_dValue));
}

TEST(NumericEditEditing, TypedDigitsBuildTheNumberFromAFreshField) {
    WidgetField field;
    EXPECT_EQ(field.Notation(), "|.0000000000");
    field.Type("-12.5");
    EXPECT_EQ(field.Notation(), "-12.5|000000000");
    EXPECT_EQ(field.edit.m_dValue, -12.5);
}

TEST(NumericEditEditing, ASelectionIsDeletedAndTheFieldReRendered) {
    struct Case {
        const char* before;
        const char* key;
        const char* after;
    } cases[] = {
        {"12[34].5000000000", "Backspace", "12|.5000000000"},
        {"12[34].5000000000", "Delete", "12|.5000000000"},
        {"1[2.5]000000000", "7", "17|000000000.0000000000"}, // 1000000000 remains
        {"[12.5000000000]", "-", "-|.0000000000"},
        {"1[2.5]000000000", ".", "1.|0000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " " + c.key);
        WidgetField field;
        field.Place(c.before);
        field.Press(c.key);
        EXPECT_EQ(field.Notation(), c.after);
    }
}

} // namespace
