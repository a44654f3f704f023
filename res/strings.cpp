// The program's string table: its name, which titles its message boxes.
#include "platform/dialog_template.h"

namespace {

const StringRegistration kAppTitle{AFX_IDS_APP_TITLE, "高斯坐标转换"};

} // namespace
