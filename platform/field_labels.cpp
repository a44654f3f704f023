// Finding the labels beside a dialog's edit fields, in the template's own dialog units.
#include "platform/private/field_labels.h"

#include "platform/dialog_template.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

struct Box {
    int left, top, right, bottom;
    bool contains(const Box& b) const {
        return left <= b.left && top <= b.top && b.right <= right && b.bottom <= bottom;
    }
    bool overlapsRows(const Box& b) const { return top < b.bottom && b.top < bottom; }
    bool overlapsColumns(const Box& b) const { return left < b.right && b.left < right; }
};

Box BoxOf(const DialogItemTemplate& item) {
    return {item.x, item.y, item.x + item.cx, item.y + item.cy};
}

bool IsClass(const DialogItemTemplate& item, const char* name) {
    return QString::fromUtf8(item.windowClass).compare(QLatin1String(name), Qt::CaseInsensitive) ==
           0;
}

bool IsTextLabel(const DialogItemTemplate& item) {
    const DWORD type = item.style & SS_TYPEMASK;
    return IsClass(item, "STATIC") && (type == SS_LEFT || type == SS_CENTER) && *item.caption;
}

bool IsGroupBox(const DialogItemTemplate& item) {
    return IsClass(item, "BUTTON") && (item.style & BS_TYPEMASK) == BS_GROUPBOX;
}

// Controls that carry no text of their own to be named by: fields, lists, and a static the
// keys reach (a drawing).
bool IsNamedByLabel(const DialogItemTemplate& item) {
    return IsClass(item, "EDIT") || IsClass(item, "COMBOBOX") || IsClass(item, "SysListView32") ||
           (IsClass(item, "STATIC") && (item.style & WS_TABSTOP) && !*item.caption);
}

// The smallest group box around the box, if any.
std::optional<Box> GroupOf(const DialogTemplate& t, const Box& box) {
    std::optional<Box> group;
    for (const DialogItemTemplate& item : t.items) {
        const Box candidate = BoxOf(item);
        if (!IsGroupBox(item) || !candidate.contains(box)) {
            continue;
        }
        if (!group || group->contains(candidate)) {
            group = candidate;
        }
    }
    return group;
}

// A label's text as it reads: blanks run together, the mnemonic ("&a", "打开(&O)") and the
// "=" or ":" that ends it dropped.
QString Spoken(const char* caption) {
    QString text = QString::fromUtf8(caption).simplified();
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
    text.remove(bracketed);
    text.remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char('=')) || text.endsWith(QLatin1Char(':')) ||
           text.endsWith(QChar(0xFF1A))) {
        text.chop(1);
    }
    return text.trimmed();
}

QString LabelsOf(const DialogTemplate& t, const DialogItemTemplate& field) {
    const Box box = BoxOf(field);
    const std::optional<Box> group = GroupOf(t, box);
    const DialogItemTemplate* row = nullptr;    // nearest label to the left on the same row
    const DialogItemTemplate* column = nullptr; // nearest label above in the same column
    for (const DialogItemTemplate& item : t.items) {
        const Box label = BoxOf(item);
        if (!IsTextLabel(item) || (group && !group->contains(label)) ||
            (!group && GroupOf(t, label))) {
            continue;
        }
        if (label.right <= box.left && label.overlapsRows(box) &&
            (!row || BoxOf(*row).right < label.right)) {
            row = &item;
        }
        if (label.bottom <= box.top && label.overlapsColumns(box) &&
            (!column || BoxOf(*column).bottom < label.bottom)) {
            column = &item;
        }
    }
    // A label with a control of its own to its right, in its group, names that row and heads
    // no column: the label of a field names nothing beneath the field.
    if (column) {
        const Box heading = BoxOf(*column);
        for (const DialogItemTemplate& item : t.items) {
            const Box beside = BoxOf(item);
            const std::optional<Box> besideGroup = GroupOf(t, beside);
            const bool sameGroup =
                besideGroup.has_value() == group.has_value() &&
                (!group || (besideGroup->contains(*group) && group->contains(*besideGroup)));
            if (&item != &field && !IsTextLabel(item) && !IsGroupBox(item) && sameGroup &&
                beside.left >= heading.right && beside.overlapsRows(heading)) {
                column = nullptr;
                break;
            }
        }
    }
    // A heading names the fields below it only as far as the next control of another kind:
    // a hint above a list names nothing beneath the list.
    if (column) {
        const Box heading = BoxOf(*column);
        for (const DialogItemTemplate& item : t.items) {
            const Box between = BoxOf(item);
            if (IsTextLabel(item) || IsGroupBox(item) || IsClass(item, "EDIT")) {
                continue;
            }
            if (between.top >= heading.bottom && between.bottom <= box.top &&
                between.overlapsColumns(box)) {
                column = nullptr;
                break;
            }
        }
    }
    QStringList parts;
    for (const DialogItemTemplate* label : {row, column}) {
        if (label && !Spoken(label->caption).isEmpty()) {
            parts << Spoken(label->caption);
        }
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

std::vector<QString> FieldLabels(const DialogTemplate& dialogTemplate) {
    std::vector<QString> names;
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        names.push_back(IsNamedByLabel(item) ? LabelsOf(dialogTemplate, item) : QString());
    }
    return names;
}
