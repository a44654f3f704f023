// Template of the main form: fields for B, L, X, Y and the ellipsoid, the direction and
// ellipsoid radio groups, and the six operation buttons. Template order is the tab order.
#include "platform/dialog_template.h"
#include "res/resource.h"

namespace {

constexpr DWORD kDigitsEdit = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kNumberEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kReadOnlyEdit = ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kOperation = BS_OWNERDRAW | BS_FLAT | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;

const DialogTemplateRegistration kMainDialog{DialogTemplate{
    .id = IDD_MAIN_DIALOG,
    .idName = "IDD_MAIN_DIALOG",
    .caption = "高斯坐标转换",
    .cx = 238,
    .cy = 189,
    .pointSize = 9,
    .fontFace = "宋体",
    .style =
        DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
    .exStyle = WS_EX_APPWINDOW,
    .menuId = IDR_MAIN_MENU,
    .items = {
        // clang-format off
        {IDC_FORWARD, "IDC_FORWARD", "BUTTON", "高斯坐标正算", 15, 19, 64, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {IDC_INVERSE, "IDC_INVERSE", "BUTTON", "高斯坐标反算", 15, 36, 64, 10, BS_AUTORADIOBUTTON},
        {IDC_B_DEG, "IDC_B_DEG", "EDIT", "", 19, 80, 20, 14, kDigitsEdit},
        {IDC_B_MIN, "IDC_B_MIN", "EDIT", "", 43, 80, 20, 14, kDigitsEdit},
        {IDC_B_SEC, "IDC_B_SEC", "EDIT", "", 67, 80, 62, 14, kNumberEdit},
        {IDC_L_DEG, "IDC_L_DEG", "EDIT", "", 19, 100, 20, 14, kDigitsEdit},
        {IDC_L_MIN, "IDC_L_MIN", "EDIT", "", 43, 100, 20, 14, kDigitsEdit},
        {IDC_L_SEC, "IDC_L_SEC", "EDIT", "", 67, 100, 62, 14, kNumberEdit},
        {IDC_X, "IDC_X", "EDIT", "", 19, 140, 110, 14, kReadOnlyEdit},
        {IDC_Y, "IDC_Y", "EDIT", "", 19, 162, 110, 14, kReadOnlyEdit},
        {IDC_A, "IDC_A", "EDIT", "", 169, 15, 59, 12, kReadOnlyEdit},
        {IDC_ALFA, "IDC_ALFA", "EDIT", "", 169, 29, 59, 12, kReadOnlyEdit},
        {IDC_WGS1984, "IDC_WGS1984", "BUTTON", "WGS1984参考椭球", 147, 45, 76, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {IDC_XIAN1980, "IDC_XIAN1980", "BUTTON", "西安1980参考椭球", 147, 57, 80, 10, BS_AUTORADIOBUTTON},
        {IDC_BEIJING1954, "IDC_BEIJING1954", "BUTTON", "北京1954参考椭球", 147, 69, 80, 10, BS_AUTORADIOBUTTON},
        {IDC_CUSTOM, "IDC_CUSTOM", "BUTTON", "自定义参考椭球", 147, 81, 72, 10, BS_AUTORADIOBUTTON},
        {IDC_PROJ_3, "IDC_PROJ_3", "BUTTON", "三度带投影", 142, 98, 93, 13, kOperation},
        {IDC_PROJ_6, "IDC_PROJ_6", "BUTTON", "六度带投影", 142, 112, 93, 13, kOperation},
        {IDC_ADJ_3, "IDC_ADJ_3", "BUTTON", "三度带邻带换算", 142, 126, 93, 13, kOperation | WS_DISABLED},
        {IDC_ADJ_6, "IDC_ADJ_6", "BUTTON", "六度带邻带换算", 142, 140, 93, 13, kOperation | WS_DISABLED},
        {IDC_3_TO_6, "IDC_3_TO_6", "BUTTON", "三度带 --> 六度带", 142, 154, 93, 13, kOperation | WS_DISABLED},
        {IDC_6_TO_3, "IDC_6_TO_3", "BUTTON", "六度带 --> 三度带", 142, 168, 93, 13, kOperation | WS_DISABLED},
        {IDC_STATIC, nullptr, "BUTTON", "换算方式", 7, 3, 129, 53, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "BUTTON", "大地坐标", 7, 59, 129, 62, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "STATIC", "度", 25, 70, 11, 9, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "分", 49, 70, 11, 9, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "秒", 73, 70, 11, 9, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "B", 11, 83, 8, 12, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "L", 11, 100, 8, 12, kLabel},
        {IDC_GAUSS_GROUP, "IDC_GAUSS_GROUP", "BUTTON", "高斯投影坐标", 7, 125, 129, 58, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "BUTTON", "椭球参数", 142, 3, 93, 91, BS_GROUPBOX},
        {IDC_STATIC, nullptr, "STATIC", "a   =", 147, 15, 21, 8, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "X", 11, 142, 8, 9, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "Y", 11, 164, 8, 12, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "alfa=", 147, 31, 21, 8, kLabel},
        // clang-format on
    }}};

} // namespace
