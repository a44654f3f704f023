// Template of the batch window: input file and its preview, conversion settings (with the zone
// rule, an EPSG code that fills them in, and one for the target of 3° <-> 6°), the parameter
// files of the datum change and the plane transformation, output file, the run with its
// progress and summary, and the records that failed.
// Template order is the tab order; each label comes just before the control it names.
#include "platform/combo_box.h"
#include "platform/dialog_template.h"
#include "platform/list_ctrl.h"
#include "res/resource.h"

namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_TABSTOP;
constexpr DWORD kTable = LVS_REPORT | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

const DialogTemplateRegistration kBatchDialog{DialogTemplate{
    .id = IDD_BATCH_DIALOG,
    .idName = "IDD_BATCH_DIALOG",
    .caption = "批量转换",
    .cx = 321,
    .cy = 449,
    .pointSize = 9,
    .fontFace = "宋体",
    .style = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
             WS_THICKFRAME,
    .exStyle = WS_EX_APPWINDOW,
    .items = {
        // clang-format off
        {IDC_STATIC, nullptr, "STATIC", "输入文件(&I):", 7, 10, 52, 8, kLabel},
        {IDC_BATCH_INPUT, "IDC_BATCH_INPUT", "EDIT", "", 60, 7, 200, 14, kEdit},
        {IDC_BATCH_BROWSE_IN, "IDC_BATCH_BROWSE_IN", "BUTTON", "浏览(&R)...", 264, 7, 50, 14, kButton},
        {IDC_STATIC, nullptr, "STATIC", "各列含义(&D):", 7, 28, 52, 8, kLabel},
        {IDC_BATCH_COLUMNS, "IDC_BATCH_COLUMNS", "EDIT", "", 60, 25, 90, 14, kEdit},
        {IDC_STATIC, nullptr, "STATIC", "如 name,-,Y,X,-", 154, 28, 76, 8, kLabel | SS_NOPREFIX},
        {IDC_BATCH_HEADER, "IDC_BATCH_HEADER", "BUTTON", "首行为表头(&H)", 236, 26, 78, 12, BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDC_STATIC, nullptr, "STATIC", "文件预览(&P):", 7, 44, 52, 8, kLabel},
        {IDC_BATCH_PREVIEW, "IDC_BATCH_PREVIEW", "SysListView32", "", 7, 54, 307, 59, kTable},
        {IDC_STATIC, nullptr, "BUTTON", "换算设置", 7, 117, 307, 140, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "STATIC", "换算方式(&O):", 13, 130, 48, 8, kLabel},
        {IDC_BATCH_OPERATION, "IDC_BATCH_OPERATION", "COMBOBOX", "", 62, 127, 90, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "投影带(&Z):", 160, 130, 48, 8, kLabel},
        {IDC_BATCH_ZONE_WIDTH, "IDC_BATCH_ZONE_WIDTH", "COMBOBOX", "", 210, 127, 98, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "参考椭球(&E):", 13, 148, 48, 8, kLabel},
        {IDC_BATCH_ELLIPSOID, "IDC_BATCH_ELLIPSOID", "COMBOBOX", "", 62, 145, 90, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "角度格式(&G):", 160, 148, 48, 8, kLabel},
        {IDC_BATCH_ANGLES, "IDC_BATCH_ANGLES", "COMBOBOX", "", 210, 145, 98, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "&a   =", 13, 165, 48, 8, kLabel},
        {IDC_BATCH_A, "IDC_BATCH_A", "EDIT", "", 62, 163, 90, 13, kEdit},
        {IDC_STATIC, nullptr, "STATIC", "a&lfa=", 160, 165, 48, 8, kLabel},
        {IDC_BATCH_ALFA, "IDC_BATCH_ALFA", "EDIT", "", 210, 163, 98, 13, kEdit},
        {IDC_STATIC, nullptr, "STATIC", "计算方法(&M):", 13, 184, 48, 8, kLabel},
        {IDC_BATCH_METHOD, "IDC_BATCH_METHOD", "COMBOBOX", "", 62, 181, 90, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "中央子午线(&N):", 160, 184, 58, 8, kLabel},
        {IDC_BATCH_MERIDIAN, "IDC_BATCH_MERIDIAN", "EDIT", "", 219, 181, 34, 13, kEdit},
        {IDC_BATCH_NO_PREFIX, "IDC_BATCH_NO_PREFIX", "BUTTON", "&Y 不带带号", 256, 181, 52, 13, BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDC_STATIC, nullptr, "STATIC", "分带规则(&B):", 13, 202, 48, 8, kLabel},
        {IDC_BATCH_ZONE_RULE, "IDC_BATCH_ZONE_RULE", "COMBOBOX", "", 62, 199, 246, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "EPSG 代码(&K):", 13, 220, 62, 8, kLabel},
        {IDC_BATCH_EPSG, "IDC_BATCH_EPSG", "EDIT", "", 76, 217, 46, 13, kEdit},
        {IDC_STATIC, nullptr, "STATIC", "目标 EPSG(&6):", 126, 220, 58, 8, kLabel},
        {IDC_BATCH_TARGET_EPSG, "IDC_BATCH_TARGET_EPSG", "EDIT", "", 185, 217, 46, 13, kEdit},
        {IDC_STATIC, nullptr, "STATIC", "填入即设置，可再改", 235, 220, 73, 8, kLabel | SS_NOPREFIX},
        {IDC_BATCH_EPSG_MATCH, "IDC_BATCH_EPSG_MATCH", "STATIC", "", 13, 235, 295, 16, kLabel | SS_NOPREFIX},
        // The datum change and the plane transformation: their parameter files.
        {IDC_STATIC, nullptr, "BUTTON", "坐标系转换与平面四参数", 7, 261, 307, 42, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "STATIC", "坐标系转换参数(&V):", 13, 274, 72, 8, kLabel},
        {IDC_BATCH_DATUM_PARAMS, "IDC_BATCH_DATUM_PARAMS", "EDIT", "", 86, 271, 168, 14, kEdit},
        {IDC_BATCH_BROWSE_DATUM, "IDC_BATCH_BROWSE_DATUM", "BUTTON", "浏览(&X)...", 258, 271, 50, 14, kButton},
        {IDC_STATIC, nullptr, "STATIC", "平面四参数(&Q):", 13, 288, 72, 8, kLabel},
        {IDC_BATCH_PLANE_PARAMS, "IDC_BATCH_PLANE_PARAMS", "EDIT", "", 86, 285, 168, 14, kEdit},
        {IDC_BATCH_BROWSE_PLANE, "IDC_BATCH_BROWSE_PLANE", "BUTTON", "浏览(&4)...", 258, 285, 50, 14, kButton},
        {IDC_STATIC, nullptr, "STATIC", "输出文件(&U):", 7, 310, 52, 8, kLabel},
        {IDC_BATCH_OUTPUT, "IDC_BATCH_OUTPUT", "EDIT", "", 60, 307, 200, 14, kEdit},
        {IDC_BATCH_BROWSE_OUT, "IDC_BATCH_BROWSE_OUT", "BUTTON", "浏览(&W)...", 264, 307, 50, 14, kButton},
        {IDC_BATCH_RUN, "IDC_BATCH_RUN", "BUTTON", "转换(&S)", 7, 327, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_DISABLED},
        {IDC_BATCH_STOP, "IDC_BATCH_STOP", "BUTTON", "停止(&T)", 61, 327, 50, 14, kButton | WS_DISABLED},
        {IDC_BATCH_PROGRESS, "IDC_BATCH_PROGRESS", "msctls_progress32", "", 117, 329, 197, 10, WS_BORDER},
        {IDC_BATCH_SUMMARY, "IDC_BATCH_SUMMARY", "STATIC", "", 7, 346, 307, 9, kLabel | SS_NOPREFIX},
        {IDC_STATIC, nullptr, "STATIC", "未能转换的记录(&J):", 7, 358, 80, 8, kLabel},
        {IDC_BATCH_ERRORS, "IDC_BATCH_ERRORS", "SysListView32", "", 7, 368, 307, 55, kTable},
        {IDC_BATCH_OPEN_FOLDER, "IDC_BATCH_OPEN_FOLDER", "BUTTON", "打开所在文件夹(&F)", 7, 428, 90, 14, kButton | WS_DISABLED},
        {IDCANCEL, "IDCANCEL", "BUTTON", "关闭(&C)", 264, 428, 50, 14, kButton},
        // clang-format on
    }}};

} // namespace
