// The parameter window's report of a fit: gkconv's layout in Chinese words.
#include "app/fit_report_text.h"

#include "conversion/number_text.h"

namespace {

const char* ModelText(FitModel model) {
    switch (model) {
    case FitModel::Helmert7:
        return "七参数 (布尔莎)";
    case FitModel::Helmert3:
        return "三参数";
    case FitModel::Plane4:
        break;
    }
    return "四参数 (平面)";
}

std::string Fixed(double value, int decimals) {
    std::string out;
    AppendNumber(out, value, decimals);
    return out;
}

} // namespace

const FitReportWords kChineseFitReport{
    .model = ModelText,
    .positionVector = ", 位置矢量",
    .coordinateFrame = ", 坐标框架",
    .exactRotation = ", 严格旋转",
    .smallAngleRotation = ", 小角度旋转",
    .countBefore = ", 公共点 ",
    .countAfter = " 个",
    .noFitRecord = ", 文件中没有拟合记录",
    .leftOut = "未参与计算: ",
    .why = {"仅在源文件中", "仅在目标文件中", "未选用"},
    .parameterHeading = "参数               值       中误差  单位",
    .unitInKey = false,
    .metre = "米",
    .arcsecond = "秒",
    .ppm = "ppm",
    .redundancy = "多余观测数 ",
    .m0 = ", 单位权中误差 m0 ",
    .metres = " 米",
    .exactFit = "- (没有多余观测: 精确拟合)",
    .flagRule = "粗差检验: T 为该点残差相对其余点拟合结果的标准化值;\n",
    .flagThreshold = {"      T > F(", ", ", "), 显著水平 ", " %, 即 T > ",
                      " 时标记 (其余点的 m0 至少取 ", " 毫米)\n"},
    .nothingTestable = "      没有可检验的点: 去掉任何一点, 其余点都将没有多余观测\n",
    // Its six bytes show as four columns: padded a byte past the names' width.
    .pointHeading = "点名",
    .pointHeadingPad = 1,
    .planeResidualHeadings = "     vx/米     vy/米",
    .helmertResidualHeadings = "     vN/米     vE/米     vU/米",
    .statisticHeadings = "        T  粗差",
    .flagMark = "  ※ 疑有粗差",
    .noneFlagged = "没有点被标记",
    .flaggedBefore = "标记 ",
    .flaggedOne = " 个点",
    .flaggedMany = " 个点",
};

std::string Millimetres(double metres) {
    std::string text = Fixed(metres, 4);
    const std::size_t point = text.find('.');
    if (point == std::string::npos || text.size() - point != 5) {
        return text; // not a finite number: shown as the report shows it
    }
    // d.dddd m -> dddd.d mm: three digits move before the point.
    std::string digits = text.substr(0, point) + text.substr(point + 1, 3);
    const bool negative = digits[0] == '-';
    std::size_t first = negative ? 1 : 0;
    while (first + 1 < digits.size() && digits[first] == '0') {
        ++first;
    }
    return (negative ? "-" : "") + digits.substr(first) + "." + text.substr(point + 4);
}

std::string ChineseFitReport(const DatumParameters& parameters) {
    return FitReport(parameters, kChineseFitReport);
}

std::string ChineseParameterReport(const DatumParameters& parameters) {
    return ParameterReport(parameters, kChineseFitReport);
}
