// Dialog and menu templates, and the string table, as data. A template file in res/ describes one
// dialog or menu and registers it at start-up; CDialog finds its template by id and builds the
// window from it.
//
//   namespace {
//   const DialogTemplateRegistration kRegistration{DialogTemplate{
//       .id = IDD_ABOUTBOX, .idName = "IDD_ABOUTBOX", .caption = "...", .cx = 218, .cy = 191,
//       .style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
//       .items = {
//           {.id = IDC_STATIC, .windowClass = "STATIC", .caption = "...",
//            .x = 8, .y = 6, .cx = 20, .cy = 20, .style = SS_ICON},
//           ...
//       }}};
//   }
#pragma once

#include "platform/win_types.h"

#include <utility>
#include <vector>

// One control of a dialog. The layer always creates it as a visible child (WS_CHILD |
// WS_VISIBLE need not be given); everything else comes from the style bits: WS_TABSTOP,
// WS_GROUP, WS_DISABLED, and the class's own bits (ES_*, BS_*, SS_*).
struct DialogItemTemplate {
    int id = -1;
    // The control's Qt objectName; nullptr names it "IDC_STATIC_<n>", n being its position
    // in template order counted from 0.
    const char* idName = nullptr;
    const char* windowClass = "STATIC"; // "EDIT", "BUTTON" or "STATIC"
    const char* caption = "";           // UTF-8; for an SS_ICON static, the icon's resource id
    // Position and size in dialog units.
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogTemplate {
    int id = 0;
    const char* idName = nullptr; // "IDD_...": the dialog's objectName
    const char* caption = "";
    // Client-area size in dialog units (the menu bar, if any, comes on top of it).
    int cx = 0;
    int cy = 0;
    // The dialog font; dialog units are measured from it.
    int pointSize = 9;
    const char* fontFace = "宋体";
    DWORD style = 0;
    DWORD exStyle = 0;
    int menuId = 0; // menu bar template, 0 for none
    // In template order, which is also the tab order.
    std::vector<DialogItemTemplate> items;
};

// A menu entry: a command (id != 0), or a pop-up holding further entries.
struct MenuItemTemplate {
    const char* text = ""; // UTF-8, "&" before the mnemonic letter
    int id = 0;
    std::vector<MenuItemTemplate> popup;
};

struct MenuTemplate {
    int id = 0;
    const char* idName = nullptr;
    std::vector<MenuItemTemplate> items; // the bar's entries, left to right
};

// The registry of templates by id. Registering an id twice keeps the later template.
void RegisterDialogTemplate(DialogTemplate dialogTemplate);
const DialogTemplate* FindDialogTemplate(int id);
void RegisterMenuTemplate(MenuTemplate menuTemplate);
const MenuTemplate* FindMenuTemplate(int id);
// The string table: texts by id (UTF-8); nullptr for an id that has none.
void RegisterString(int id, const char* text);
const char* FindString(int id);

// The string id whose text, when the program has one, is the application's name: the title of
// its message boxes.
constexpr int AFX_IDS_APP_TITLE = 0xE000;

// Static registration objects for the template files.
struct DialogTemplateRegistration {
    explicit DialogTemplateRegistration(DialogTemplate dialogTemplate) {
        RegisterDialogTemplate(std::move(dialogTemplate));
    }
};
struct MenuTemplateRegistration {
    explicit MenuTemplateRegistration(MenuTemplate menuTemplate) {
        RegisterMenuTemplate(std::move(menuTemplate));
    }
};
struct StringRegistration {
    StringRegistration(int id, const char* text) { RegisterString(id, text); }
};
