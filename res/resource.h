// Resource and control ids of the program: dialogs, menu, icons, cursor, and every control that
// the code or the templates name.
#pragma once

// Application icon (16 x 16 and 32 x 32) and the operation buttons' icon.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDI_OPERATION = 130;
// The hyperlink label's pointing-hand cursor.
constexpr int IDC_HAND_CURSOR = 136;

// Main form and its menu.
constexpr int IDD_MAIN_DIALOG = 102;
constexpr int IDR_MAIN_MENU = 131;

constexpr int IDC_B_DEG = 1000;
constexpr int IDC_L_DEG = 1001;
constexpr int IDC_X = 1002;
constexpr int IDC_Y = 1003;
constexpr int IDC_FORWARD = 1004;
constexpr int IDC_INVERSE = 1005;
constexpr int IDC_XIAN1980 = 1008;
constexpr int IDC_CUSTOM = 1009;
constexpr int IDC_WGS1984 = 1010;
constexpr int IDC_BEIJING1954 = 1011;
constexpr int IDC_B_MIN = 1012;
constexpr int IDC_L_MIN = 1013;
constexpr int IDC_B_SEC = 1014;
constexpr int IDC_L_SEC = 1015;
constexpr int IDC_A = 1022;
constexpr int IDC_ALFA = 1023;
constexpr int IDC_PROJ_3 = 1024;
constexpr int IDC_PROJ_6 = 1025;
constexpr int IDC_ADJ_3 = 1026;
constexpr int IDC_ADJ_6 = 1027;
constexpr int IDC_3_TO_6 = 1028;
constexpr int IDC_6_TO_3 = 1029;
constexpr int IDC_GAUSS_GROUP = 1030;

// About box.
constexpr int IDD_ABOUTBOX = 162;
constexpr int IDC_PRODUCT_TITLE = 1069;
constexpr int IDC_HOMEPAGE = 1070;
constexpr int IDC_CREDITS = 1071;
constexpr int IDC_ABOUT_ICON = 1072;

// Batch window.
constexpr int IDD_BATCH_DIALOG = 140;
constexpr int IDC_BATCH_INPUT = 1100;
constexpr int IDC_BATCH_BROWSE_IN = 1101;
constexpr int IDC_BATCH_COLUMNS = 1102;
constexpr int IDC_BATCH_PREVIEW = 1103;
constexpr int IDC_BATCH_OPERATION = 1104;
constexpr int IDC_BATCH_ZONE_WIDTH = 1105;
constexpr int IDC_BATCH_ELLIPSOID = 1106;
constexpr int IDC_BATCH_A = 1107;
constexpr int IDC_BATCH_ALFA = 1108;
constexpr int IDC_BATCH_ANGLES = 1109;
constexpr int IDC_BATCH_OUTPUT = 1110;
constexpr int IDC_BATCH_BROWSE_OUT = 1111;
constexpr int IDC_BATCH_RUN = 1112;
constexpr int IDC_BATCH_STOP = 1113;
constexpr int IDC_BATCH_PROGRESS = 1114;
constexpr int IDC_BATCH_SUMMARY = 1115;
constexpr int IDC_BATCH_ERRORS = 1116;
constexpr int IDC_BATCH_OPEN_FOLDER = 1117;
constexpr int IDC_BATCH_METHOD = 1118;
constexpr int IDC_BATCH_MERIDIAN = 1119;
constexpr int IDC_BATCH_NO_PREFIX = 1120;
constexpr int IDC_BATCH_HEADER = 1121;
// The batch window's zone rule and EPSG code.
constexpr int IDC_BATCH_ZONE_RULE = 1126;
constexpr int IDC_BATCH_EPSG = 1127;
constexpr int IDC_BATCH_EPSG_MATCH = 1128;
// The target system of 3° <-> 6° as an EPSG code.
constexpr int IDC_BATCH_TARGET_EPSG = 1190;
// The batch window's datum change and plane transformation: their parameter files.
constexpr int IDC_BATCH_DATUM_PARAMS = 1122;
constexpr int IDC_BATCH_BROWSE_DATUM = 1123;
constexpr int IDC_BATCH_PLANE_PARAMS = 1124;
constexpr int IDC_BATCH_BROWSE_PLANE = 1125;

// Parameter window: transformation parameters from common points.
constexpr int IDD_FIT_DIALOG = 141;
constexpr int IDC_FIT_SOURCE = 1140;
constexpr int IDC_FIT_BROWSE_SOURCE = 1141;
constexpr int IDC_FIT_TARGET = 1142;
constexpr int IDC_FIT_BROWSE_TARGET = 1143;
constexpr int IDC_FIT_COLUMNS = 1144;
constexpr int IDC_FIT_ANGLES = 1145;
constexpr int IDC_FIT_HEADER = 1146;
constexpr int IDC_FIT_MODEL = 1147;
constexpr int IDC_FIT_CONVENTION = 1148;
constexpr int IDC_FIT_FROM_ELLIPSOID = 1149;
constexpr int IDC_FIT_TO_ELLIPSOID = 1150;
constexpr int IDC_FIT_COMPUTE = 1151;
constexpr int IDC_FIT_POINTS = 1152;
constexpr int IDC_FIT_RESULT = 1153;
constexpr int IDC_FIT_PLOT = 1154;
constexpr int IDC_FIT_SAVE = 1155;
constexpr int IDC_FIT_LOAD = 1156;

// Menu commands.
constexpr int ID_HELP_ABOUT = 32771;
constexpr int ID_TOOLS_BATCH = 32772;
constexpr int ID_TOOLS_FIT = 32773;
constexpr int ID_HELP = 57670;

// Template items that nothing refers to.
constexpr int IDC_STATIC = -1;
