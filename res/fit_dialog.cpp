// Template of the parameter window: the two files of common points and how they are read, the
// model and its ellipsoids, the list of points with their residuals, a plot of them, and the
// report of the fit. Template order is the tab order; each label comes just before the control
// it names.
#include "platform/combo_box.h"
#include "platform/dialog_template.h"
#include "platform/list_ctrl.h"
#include "res/resource.h"

namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_TABSTOP;
constexpr DWORD kTable =
    LVS_REPORT | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

const DialogTemplateRegistration kFitDialog{DialogTemplate{
    .id = IDD_FIT_DIALOG,
    .idName = "IDD_FIT_DIALOG",
    .caption = "转换参数计算",
    .cx = 470,
    .cy = 348,
    .pointSize = 9,
    .fontFace = "宋体",
    .style = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
    .exStyle = WS_EX_APPWINDOW,
    .items = {
        // clang-format off
        {IDC_STATIC, nullptr, "STATIC", "源坐标文件(&I):", 7, 10, 64, 8, kLabel},
        {IDC_FIT_SOURCE, "IDC_FIT_SOURCE", "EDIT", "", 74, 7, 152, 14, kEdit},
        {IDC_FIT_BROWSE_SOURCE, "IDC_FIT_BROWSE_SOURCE", "BUTTON", "浏览(&S)...", 230, 7, 48, 14, kButton},
        {IDC_STATIC, nullptr, "STATIC", "目标坐标文件(&T):", 7, 28, 64, 8, kLabel},
        {IDC_FIT_TARGET, "IDC_FIT_TARGET", "EDIT", "", 74, 25, 152, 14, kEdit},
        {IDC_FIT_BROWSE_TARGET, "IDC_FIT_BROWSE_TARGET", "BUTTON", "浏览(&G)...", 230, 25, 48, 14, kButton},
        {IDC_STATIC, nullptr, "STATIC", "各列含义(&D):", 7, 46, 64, 8, kLabel},
        {IDC_FIT_COLUMNS, "IDC_FIT_COLUMNS", "EDIT", "", 74, 43, 82, 14, kEdit},
        {IDC_STATIC, nullptr, "STATIC", "如 name,B,L,H", 168, 46, 110, 8, kLabel | SS_NOPREFIX},
        {IDC_STATIC, nullptr, "STATIC", "角度格式(&A):", 7, 64, 64, 8, kLabel},
        {IDC_FIT_ANGLES, "IDC_FIT_ANGLES", "COMBOBOX", "", 74, 61, 90, 14, kList},
        {IDC_FIT_HEADER, "IDC_FIT_HEADER", "BUTTON", "首行为表头(&H)", 170, 62, 90, 12, BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDC_STATIC, nullptr, "BUTTON", "转换模型", 286, 3, 177, 93, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "STATIC", "模型(&M):", 292, 17, 48, 8, kLabel},
        {IDC_FIT_MODEL, "IDC_FIT_MODEL", "COMBOBOX", "", 342, 14, 115, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "旋转约定(&R):", 292, 35, 48, 8, kLabel},
        {IDC_FIT_CONVENTION, "IDC_FIT_CONVENTION", "COMBOBOX", "", 342, 32, 115, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "源椭球(&E):", 292, 53, 48, 8, kLabel},
        {IDC_FIT_FROM_ELLIPSOID, "IDC_FIT_FROM_ELLIPSOID", "COMBOBOX", "", 342, 50, 115, 14, kList},
        {IDC_STATIC, nullptr, "STATIC", "目标椭球(&B):", 292, 71, 48, 8, kLabel},
        {IDC_FIT_TO_ELLIPSOID, "IDC_FIT_TO_ELLIPSOID", "COMBOBOX", "", 342, 68, 115, 14, kList},
        {IDC_FIT_COMPUTE, "IDC_FIT_COMPUTE", "BUTTON", "计算(&C)", 7, 81, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_FIT_SAVE, "IDC_FIT_SAVE", "BUTTON", "保存参数(&V)...", 61, 81, 64, 14, kButton | WS_DISABLED},
        {IDC_FIT_LOAD, "IDC_FIT_LOAD", "BUTTON", "载入参数(&L)...", 129, 81, 64, 14, kButton},
        {IDC_STATIC, nullptr, "STATIC", "公共点(&P):", 7, 101, 60, 8, kLabel},
        {IDC_FIT_POINTS, "IDC_FIT_POINTS", "SysListView32", "", 7, 111, 271, 124, kTable},
        {IDC_STATIC, nullptr, "STATIC", "残差图(&N):", 286, 101, 60, 8, kLabel},
        {IDC_FIT_PLOT, "IDC_FIT_PLOT", "STATIC", "", 286, 111, 177, 124, SS_NOTIFY | SS_SUNKEN | WS_TABSTOP},
        {IDC_STATIC, nullptr, "STATIC", "计算结果(&O):", 7, 239, 60, 8, kLabel},
        {IDC_FIT_RESULT, "IDC_FIT_RESULT", "EDIT", "", 7, 249, 456, 74, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP},
        {IDCANCEL, "IDCANCEL", "BUTTON", "关闭(&X)", 413, 328, 50, 14, kButton},
        // clang-format on
    }}};

} // namespace
