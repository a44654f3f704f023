// The main form's menu bar: Tools, holding the batch and parameter windows, and Help, holding
// About.
#include "platform/dialog_template.h"
#include "res/resource.h"

namespace {

const MenuTemplateRegistration kMainMenu{MenuTemplate{
    .id = IDR_MAIN_MENU,
    .idName = "IDR_MAIN_MENU",
    .items = {{.text = "工具(&T)",
               .id = 0,
               .popup = {{.text = "批量转换(&B)...", .id = ID_TOOLS_BATCH, .popup = {}},
                         {.text = "转换参数计算(&P)...", .id = ID_TOOLS_FIT, .popup = {}}}},
              {.text = "帮助(&H)",
               .id = 0,
               .popup = {{.text = "关于(&A)", .id = ID_HELP_ABOUT, .popup = {}}}}},
}};

} // namespace
