// The layer's window classes, created by CreateWindowEx and by dialog templates.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/win_types.h"

#include <QString>

class QWidget;

struct WindowCreateParams {
    DWORD exStyle = 0;
    QString text;
    DWORD style = 0;
    CRect rect; // pixels, in the parent's client area
    HWND parent = nullptr;
    int id = 0;
};

// "EDIT": a single-line edit field.
QWidget* CreateEditWindow(const WindowCreateParams& params);
// "EDIT" with ES_MULTILINE: lines of text with scroll bars (CreateEditWindow makes one).
QWidget* CreateMultiLineEditWindow(const WindowCreateParams& params);
// "BUTTON": push button, radio button, check box or group box, by the style's type bits.
QWidget* CreateButtonWindow(const WindowCreateParams& params);
// "STATIC": text label, icon, or etched line, by the style's type bits.
QWidget* CreateStaticWindow(const WindowCreateParams& params);
// "COMBOBOX": a drop-down list (CBS_DROPDOWNLIST); the rectangle is the closed box's.
QWidget* CreateComboBoxWindow(const WindowCreateParams& params);
// "SysListView32": a list of rows under a header of columns (report view).
QWidget* CreateListViewWindow(const WindowCreateParams& params);
// "msctls_progress32": a bar that fills as a position moves through a range.
QWidget* CreateProgressWindow(const WindowCreateParams& params);
