// Template of the About box: icon, product and version texts, the maker's lines, the link, the
// credits area and OK. Template order is the tab order.
#include "platform/dialog_template.h"
#include "res/resource.h"

namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;

const DialogTemplateRegistration kAboutBox{DialogTemplate{
    .id = IDD_ABOUTBOX,
    .idName = "IDD_ABOUTBOX",
    .caption = "关于",
    .cx = 218,
    .cy = 191,
    .pointSize = 9,
    .fontFace = "宋体",
    .style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    .items = {
        // clang-format off
        {IDC_ABOUT_ICON, "IDC_ABOUT_ICON", "STATIC", "128", 8, 6, 20, 20, SS_ICON},
        {IDC_STATIC, nullptr, "STATIC", "示例测绘软件有限公司", 66, 128, 103, 8, kLabel | SS_NOPREFIX},
        {IDC_STATIC, nullptr, "STATIC", "示例软件出品", 139, 19, 74, 8, kLabel},
        {IDC_PRODUCT_TITLE, "IDC_PRODUCT_TITLE", "STATIC", "Varnel平差2001    --坐标转换模块", 36, 6, 167, 10, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "版权所有:", 8, 128, 42, 8, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "1.0 beta Build:20010906", 73, 118, 96, 8, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "版 本 号:", 8, 118, 38, 8, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "", 0, 154, 214, 2, SS_ETCHEDHORZ},
        {IDC_STATIC, nullptr, "STATIC", "本程序供测绘人员换算坐标使用，\n计算结果请在使用前自行核对。\n未经许可不得复制或转发本程序。", 7, 159, 142, 24, kLabel},
        {IDC_STATIC, nullptr, "STATIC", "网    址:", 8, 140, 36, 8, kLabel},
        {IDC_HOMEPAGE, "IDC_HOMEPAGE", "STATIC", "http://www.example.com/", 77, 139, 92, 8, kLabel | WS_TABSTOP},
        {IDC_CREDITS, "IDC_CREDITS", "STATIC", "", 7, 31, 205, 82, kLabel, WS_EX_STATICEDGE},
        {IDOK, "IDOK", "BUTTON", "确定(&O)", 157, 169, 50, 13, BS_DEFPUSHBUTTON | WS_TABSTOP},
        // clang-format on
    }}};

} // namespace
