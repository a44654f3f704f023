// The registry of dialog and menu templates and of strings, filled by the template files at
// start-up.
#include "platform/dialog_template.h"

#include <map>

namespace {

std::map<int, DialogTemplate>& DialogTemplates() {
    static std::map<int, DialogTemplate> templates;
    return templates;
}

std::map<int, MenuTemplate>& MenuTemplates() {
    static std::map<int, MenuTemplate> templates;
    return templates;
}

std::map<int, const char*>& Strings() {
    static std::map<int, const char*> strings;
    return strings;
}

} // namespace

void RegisterDialogTemplate(DialogTemplate dialogTemplate) {
    const int id = dialogTemplate.id;
    DialogTemplates().insert_or_assign(id, std::move(dialogTemplate));
}

const DialogTemplate* FindDialogTemplate(int id) {
    const auto it = DialogTemplates().find(id);
    return it == DialogTemplates().end() ? nullptr : &it->second;
}

void RegisterMenuTemplate(MenuTemplate menuTemplate) {
    const int id = menuTemplate.id;
    MenuTemplates().insert_or_assign(id, std::move(menuTemplate));
}

const MenuTemplate* FindMenuTemplate(int id) {
    const auto it = MenuTemplates().find(id);
    return it == MenuTemplates().end() ? nullptr : &it->second;
}

void RegisterString(int id, const char* text) {
    Strings().insert_or_assign(id, text);
}

const char* FindString(int id) {
    const auto it = Strings().find(id);
    return it == Strings().end() ? nullptr : it->second;
}
