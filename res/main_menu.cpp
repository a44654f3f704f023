// The main form's menu bar: Help, holding About.
#include "platform/dialog_template.h"
#include "res/resource.h"

namespace {

const MenuTemplateRegistration kMainMenu{MenuTemplate{
    .id = IDR_MAIN_MENU,
    .idName = "IDR_MAIN_MENU",
    .items = {{.text = "帮助(&H)",
               .id = 0,
               .popup = {{.text = "关于(&A)", .id = ID_HELP_ABOUT, .popup = {}}}}},
}};

} // namespace
