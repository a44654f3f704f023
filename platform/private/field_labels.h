// Accessible names for a dialog's fields, lists and drawings, which have no caption of their
// own: a screen reader names a field by the labels the user sees beside it.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include <QString>

#include <vector>

struct DialogTemplate;

// For each item of the template, in template order: the name its labels give an edit field,
// a drop-down list, a list view or a drawing that takes the keys ("B 度": the label left of it on
// its row, then the label heading its column), or an empty string for other items and for a
// control no label stands beside. Labels count only within the group box that holds the control,
// so a heading of one group does not name controls of another, a heading stops at the first
// control of another kind below it, and a label with a control to its right heads no column.
std::vector<QString> FieldLabels(const DialogTemplate& dialogTemplate);
