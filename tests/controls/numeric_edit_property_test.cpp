// Randomized keystroke sequences from random starting texts, with a fixed seed. After every key:
// the cached value is ParseText of the text (bit for bit, sign of zero included) and finite, the
// text holds at most one decimal separator, and the selection lies within the text. The bulk runs
// on the in-memory model; a smaller run goes through the real widget with real key events.
#include "tests/controls/numeric_field_support.h"

#include "platform/services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using numeric_field::MemoryField;
using numeric_field::WidgetField;

struct Locale {
    const char* decimal;
    const char* group;
};
const Locale kLocales[] = {{".", ","}, {",", "."}, {",", "\u202F"}, {".", "'"}};

enum class Key { Char, Backspace, Delete, Insert, Left, Right, Home, End };

struct Stroke {
    Key key = Key::Char;
    char ch = 0;
    bool shift = false;
};

std::string Describe(const Stroke& s) {
    static const char* const names[] = {"",     "Backspace", "Delete", "Insert",
                                        "Left", "Right",     "Home",   "End"};
    std::string out =
        s.key == Key::Char ? std::string("'") + s.ch + "'" : names[static_cast<int>(s.key)];
    return s.shift ? "Shift+" + out : out;
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_random(seed) {}

    int Below(int n) { return static_cast<int>(m_random() % static_cast<std::uint64_t>(n)); }

    double Value() {
        // Up to 17 significant digits, magnitudes from 1e-12 to 1e21, either sign.
        double v = static_cast<double>(m_random() % 100000000000000000ULL) *
                   std::pow(10.0, Below(34) - 28);
        return Below(4) == 0 ? -v : v;
    }

    // A text that holds at most one decimal separator, as the invariant asks of every text.
    std::string StartText(const NumericText& field) {
        std::string t = AnyText(field);
        const size_t first = t.find(field.m_chDecimalSep);
        if (first != std::string::npos) {
            t.erase(std::remove(t.begin() + static_cast<long>(first) + 1, t.end(),
                                field.m_chDecimalSep),
                    t.end());
        }
        return t;
    }

    std::string AnyText(const NumericText& field) {
        const char dec = field.m_chDecimalSep;
        const char grp = field.m_chGroupSep;
        switch (Below(6)) {
        case 0:
        case 1:
            return field.FormatValue(Value()).str();
        case 2: { // as the main form writes: %.15g with a "."
            char buffer[64];
            const auto r = std::to_chars(buffer, buffer + sizeof buffer, Value(),
                                         std::chars_format::general, 15);
            return std::string(buffer, r.ptr);
        }
        case 3: {
            static const char* const edges[] = {"",      ".",     "-",        "0",     "-0",
                                                "1e400", "-1e-5", "1,2,3.45", "3-5.0", "+7"};
            return edges[Below(static_cast<int>(std::size(edges)))];
        }
        case 4:
            return std::string(static_cast<size_t>(300 + Below(20)), '9');
        default: { // characters of any kind, at most one decimal separator
            static const char alphabet[] = "0123456789012345678901234567890123456789-+.,' eEx";
            std::string t;
            bool haveDecimal = false;
            for (int n = Below(21); n > 0; --n) {
                char ch = alphabet[Below(static_cast<int>(sizeof alphabet) - 1)];
                if (Below(8) == 0) {
                    ch = Below(2) ? dec : grp;
                }
                if (ch == dec && haveDecimal) {
                    continue;
                }
                haveDecimal = haveDecimal || ch == dec;
                t += ch;
            }
            return t;
        }
        }
    }

    Stroke NextStroke(char dec, char grp) {
        Stroke s;
        s.shift = Below(3) == 0;
        const int pick = Below(40);
        if (pick < 14) {
            s.ch = static_cast<char>('0' + Below(10));
        } else if (pick < 16) {
            s.ch = '-';
        } else if (pick < 17) {
            s.ch = '+';
        } else if (pick < 20) {
            s.ch = dec;
        } else if (pick < 21) {
            s.ch = grp;
        } else if (pick < 22) {
            s.ch = "a .,'"[Below(5)];
        } else {
            static const Key keys[] = {Key::Backspace, Key::Backspace, Key::Backspace, Key::Delete,
                                       Key::Delete,    Key::Insert,    Key::Left,      Key::Left,
                                       Key::Right,     Key::Right,     Key::Home,      Key::End};
            s.key = keys[Below(static_cast<int>(std::size(keys)))];
        }
        return s;
    }

private:
    std::mt19937_64 m_random;
};

void Apply(MemoryField& field, const Stroke& s) {
    const int length = field.text.GetLength();
    switch (s.key) {
    case Key::Char:
        field.HandleChar(static_cast<unsigned char>(s.ch));
        break;
    case Key::Backspace:
        field.HandleChar(VK_BACK);
        break;
    case Key::Delete:
        field.HandleKeyDown(VK_DELETE);
        break;
    case Key::Insert:
        field.HandleKeyDown(VK_INSERT);
        break;
    case Key::Left:
        field.MoveTo(field.caret - 1, s.shift);
        break;
    case Key::Right:
        field.MoveTo(field.caret + 1, s.shift);
        break;
    case Key::Home:
        field.MoveTo(0, s.shift);
        break;
    case Key::End:
        field.MoveTo(length, s.shift);
        break;
    }
}

// The invariants; an empty string when they hold, else what broke.
std::string Broken(const NumericText& field, const std::string& text, int start, int end) {
    const double parsed = field.ParseText(text.c_str());
    if (std::memcmp(&parsed, &field.m_dValue, sizeof parsed) != 0) {
        return "cached value differs from ParseText";
    }
    if (!std::isfinite(field.m_dValue)) {
        return "value is not finite";
    }
    if (std::count(text.begin(), text.end(), field.m_chDecimalSep) > 1) {
        return "more than one decimal separator";
    }
    if (!(0 <= start && start <= end && end <= static_cast<int>(text.size()))) {
        return "selection outside the text";
    }
    return "";
}

// One sequence for the in-memory model, kept so that a failure can be replayed in words.
struct Sequence {
    const Locale* locale;
    BOOL grouping;
    bool readOnly;
    std::string start;
    int anchor;
    int caret;
    std::vector<Stroke> strokes;
};

// Runs the sequence; returns the number of keys that kept the invariants, and in *why what
// broke at the next one. With a trail, writes the field after every key.
size_t RunSequence(const Sequence& q, std::string* why, std::string* trail = nullptr) {
    ScopedRecordingServices services;
    services.decimal = q.locale->decimal;
    services.group = q.locale->group;
    MemoryField field(q.grouping);
    field.readOnly = q.readOnly;
    field.text = q.start.c_str();
    field.anchor = q.anchor;
    field.caret = q.caret;
    field.m_dValue = field.ParseText(field.text);
    if (trail) {
        *trail = field.Notation();
    }
    for (size_t k = 0; k < q.strokes.size(); ++k) {
        Apply(field, q.strokes[k]);
        if (trail) {
            *trail += "  " + Describe(q.strokes[k]) + " -> " + field.Notation();
        }
        *why = Broken(field, field.text.str(), std::min(field.anchor, field.caret),
                      std::max(field.anchor, field.caret));
        if (!why->empty()) {
            return k;
        }
    }
    return q.strokes.size();
}

TEST(NumericEditProperty, RandomKeystrokesKeepTheInvariantsInMemory) {
    Generator gen(0x6B6579735EEDULL);
    size_t keys = 0;
    for (int n = 0; n < 100000; ++n) {
        Sequence q;
        q.locale = &kLocales[gen.Below(static_cast<int>(std::size(kLocales)))];
        q.grouping = gen.Below(2) ? TRUE : FALSE;
        q.readOnly = gen.Below(50) == 0;
        {
            ScopedRecordingServices services;
            services.decimal = q.locale->decimal;
            services.group = q.locale->group;
            MemoryField field(q.grouping);
            q.start = gen.StartText(field);
            q.anchor = gen.Below(static_cast<int>(q.start.size()) + 1);
            q.caret = gen.Below(3) ? q.anchor : gen.Below(static_cast<int>(q.start.size()) + 1);
            for (int k = 1 + gen.Below(10); k > 0; --k) {
                q.strokes.push_back(gen.NextStroke(field.m_chDecimalSep, field.m_chGroupSep));
            }
        }
        std::string why;
        keys += RunSequence(q, &why);
        if (!why.empty()) {
            std::string trail;
            RunSequence(q, &why, &trail);
            FAIL() << why << " in sequence " << n << " under " << q.locale->decimal
                   << q.locale->group << (q.grouping ? " grouped" : "") << ": " << trail;
        }
    }
    EXPECT_GT(keys, 400000u);
}

TEST(NumericEditProperty, RandomKeystrokesKeepTheInvariantsOnTheWidget) {
    Generator gen(0x57161E7ULL);
    for (int sequence = 0; sequence < 400; ++sequence) {
        const Locale& locale = kLocales[gen.Below(static_cast<int>(std::size(kLocales)))];
        ScopedRecordingServices services;
        services.decimal = locale.decimal;
        services.group = locale.group;
        WidgetField field(gen.Below(2) ? TRUE : FALSE);
        const std::string start = gen.StartText(field.edit.Logic());
        const int a = gen.Below(static_cast<int>(start.size()) + 1);
        const int b = gen.Below(3) ? a : gen.Below(static_cast<int>(start.size()) + 1);
        field.edit.SetWindowText(start.c_str());
        ::SendMessage(field.hwnd, EM_SETSEL, static_cast<WPARAM>(a), b);
        field.edit.m_dValue = field.edit.ParseText(start.c_str());
        std::string trail = field.Notation();
        for (int n = 10; n > 0; --n) {
            const Stroke s = gen.NextStroke(field.edit.m_chDecimalSep, field.edit.m_chGroupSep);
            const Qt::KeyboardModifiers mods = s.shift ? Qt::ShiftModifier : Qt::NoModifier;
            switch (s.key) {
            case Key::Char:
                QTest::keyClick(field.hwnd, s.ch);
                break;
            case Key::Backspace:
                QTest::keyClick(field.hwnd, Qt::Key_Backspace);
                break;
            case Key::Delete:
                QTest::keyClick(field.hwnd, Qt::Key_Delete, mods);
                break;
            case Key::Insert:
                QTest::keyClick(field.hwnd, Qt::Key_Insert, mods);
                break;
            case Key::Left:
                QTest::keyClick(field.hwnd, Qt::Key_Left, mods);
                break;
            case Key::Right:
                QTest::keyClick(field.hwnd, Qt::Key_Right, mods);
                break;
            case Key::Home:
                QTest::keyClick(field.hwnd, Qt::Key_Home, mods);
                break;
            case Key::End:
                QTest::keyClick(field.hwnd, Qt::Key_End, mods);
                break;
            }
            int selStart = 0, selEnd = 0;
            field.Sel(selStart, selEnd);
            trail += "  " + Describe(s) + " -> " + field.Notation();
            ASSERT_EQ(Broken(field.edit.Logic(), field.Text(), selStart, selEnd), "")
                << "sequence " << sequence << ": " << trail;
        }
    }
}

} // namespace
