// The Chinese table: one pattern per problem code, and the system's errors in Chinese.
#include "app/chinese_words.h"

#include <cerrno>

namespace {

using C = ProblemCode;

const ProblemPattern kPatterns[] = {
    {C::None, "没有问题"},
    {C::SemiMajorAxis, "长半轴 a 须是正的有限长度。"},
    {C::Flattening, "扁率须在 0 到 1 之间（扁率倒数大于 1，圆球为 0）。"},
    {C::CentralMeridianNotFinite, "中央子午线须是有限的经度。"},
    {C::ScaleNotPositive, "比例因子 k0 须是正的有限数。"},
    {C::FalseOriginNotFinite, "假东和假北须是有限的数。"},
    // Every column list problem states the rule, so that the user sees how to write the list.
    {C::ColumnUnknown, "各列含义须按文件中的顺序逐列写出：name 为点名，{first} 和 {second} 为两个"
                       "坐标（各写一次），- 为照抄的列，以逗号分隔。（“{text}”不是此运算的列。）"},
    {C::ColumnTwice, "各列含义须按文件中的顺序逐列写出：name 为点名，{first} 和 {second} 为两个"
                     "坐标（各写一次），- 为照抄的列，以逗号分隔。（“{text}”写了两次。）"},
    {C::ColumnsMissing,
     "各列含义须按文件中的顺序逐列写出：name 为点名，{first} 和 {second} 为两个"
     "坐标（各写一次），- 为照抄的列，以逗号分隔。（缺少 {first} 或 {second}。）"},
    {C::DelimiterInNumber, "分隔符“{text}”可能是数字的一部分。"},
    {C::DelimiterStartsComment, "分隔符“{text}”是注释行的开头。"},
    {C::DelimiterInDms, "分隔符“{text}”是“度:分:秒”角度的一部分。"},
    {C::EllipsoidAxisText, "自定义椭球的长半轴 a 须是正的米数（现为 {text}）。"},
    {C::EllipsoidInverseFlattening,
     "自定义椭球的扁率倒数 alfa 须大于 1，圆球为 0（现为 {text}）。"},
    {C::CentralMeridianText, "中央子午线须是 -180° 到 360° 之间的经度，写作十进制度（114.5）或 "
                             "度:分:秒（114:30:00）。"},
    {C::TransformNeedsStandardZones,
     "中央子午线、指定投影带、“Y 不带带号”、比例因子和假东假北只用于"
     "正算和反算；换带在标准投影带中进行。"},
    {C::ZoneNotInSystem, "第 {zone} 带不在{width}度带中（1 到 {last}）。"},
    {C::CentralMeridianOutOfRange, "中央子午线须在 -180° 到 360° 之间。"},
    {C::PrefixNeedsZoneMeridian, "中央子午线 {number} 不是{width}度带中某一带的中央子午线。按自己的"
                                 "中央子午线投影时，请勾选“Y 不带带号”。"},
    {C::ZoneMeridianDiffers, "第 {zone} 带的中央子午线不是 {number}：只给出其中之一，或勾选“Y "
                             "不带带号”。"},
    {C::NoPrefixNeedsMeridian, "Y 不带带号时，须给出中央子午线：否则 Y 说不出它的投影带。"},
    {C::FalseEastingWithPrefix, "Y 带带号时，假东须在 0 到 1000000 米之间。"},
    {C::EllipsoidAxisOutOfRange,
     "自定义椭球的长半轴 a 须在 6000000 到 7000000 米之间（现为 {text}）。"},
    {C::InverseFlatteningOutOfRange,
     "自定义椭球的扁率倒数 alfa 须不小于 100，圆球为 0（现为 {text}）。"},
    {C::ScaleOutOfRange, "比例因子须在 0.9 到 1.1 之间（现为 {number}）。"},
    {C::FalseOriginOutOfRange, "假东和假北须在 ±100000000 米之内（现为 {number}）。"},
    {C::NotANumber, "{what} {q} 不是数"},
    {C::NotDmsAngle, "{what} {q} 不是“度:分:秒”形式的角度"},
    {C::NotFinite, "{what} {q} 不是有限的数"},
    {C::DegreesMinutesNotWhole, "{what} {q}：度和分须是整数"},
    {C::SixtyOrMore, "{what} {q}：分和秒须小于 60"},
    {C::MarksOutOfOrder, "{what} {q}：度、分、秒符号须各出现一次，并按此顺序"},
    {C::FieldsMissing, "应有 {needed} 列，只有 {count} 列"},
    {C::CoordinatesMissing, "缺少两个坐标"},
    {C::CoordinatesMissingAfterName, "点名 {q} 之后缺少两个坐标"},
    {C::LatitudeBeyond90, "{what} {q} 超出 ±90°"},
    {C::LongitudeOutside360, "{what} {q} 不在 0° 到 360° 之间"},
    {C::FarFromChosenMeridian, "{what} {q} 距中央子午线 {fixed4}°，超出所选中央子午线或投影带的 "
                               "{bound}° 范围"},
    {C::ZoneWithoutPrefix, "{what} {q} 落在{width}度带的第 {zone} 带，该带没有带号（带号为 1 到 "
                           "{last}）"},
    {C::PrefixNotInSystem, "{what} {q} 的带号 {whole} 不是{width}度带的带号（1 到 {last}）"},
    {C::PrefixNotChosenZone, "{what} {q} 的带号 {whole} 不是所选的第 {zone} 带"},
    {C::InverseBeyondReach, "{what} {q} 的点距中央子午线超过 {bound}°，超出所选中央子午线或投影带"
                            "的范围"},
    {C::InverseBeyondZoneReach,
     "{what} {q} 的点距第 {zone} 带中央子午线 {fixed4}°，超出可换算的 {bound}°。"},
    {C::BeyondPole, "{what} {q} 超出了极点"},
    {C::TargetZoneWithoutPrefix, "{what} {q} 换到第 {zone} 带，而{width}度带只有 1 到 {last} 带"},
    {C::EastingLeavesZone, "{what} {q} 使 Y 超出第 {zone} 带的百万位，带号将指向另一带"},
    {C::BeyondEastingReach, "{what} {q} 的点距第 {zone} 带中央子午线超过 500 公里，Y 容纳不下"},
    {C::NoFiniteResult, "坐标算不出有限的结果"},
    {C::LineTooLong, "行长超过 {bound} 字节，已跳过"},
    {C::FirstFieldReadAsCoordinate,
     "提示：第一列 {q} 被读作 {what}，而该记录还有更多数字；若第一列是点号，"
     "请在各列含义中写 name,{first},{second},-"},
    {C::SeriesBeyondFourDegrees,
     "提示：{count} 个点距中央子午线超过 {bound}°（最远 {fixed4}°），经典级数在此"
     "正算误差可达 12 毫米、反算 48 毫米；Krüger 级数在此精确。"},
    {C::CannotRead, "无法读取 {file}：{error}"},
    {C::CannotWrite, "无法写入 {file}：{error}"},
    {C::CannotWriteInFolder, "无法写入 {file}：文件夹 {other} 不允许新建文件：{error}"},
    {C::OutputIsInput, "无法写入 {file}：它就是输入文件 {other}"},
    {C::PreviewNotRegular, "无法预览 {file}：不是普通文件"},
    {C::InputNotRegular, "无法读取 {file}：不是普通文件"},
    {C::CrsNotACode, "EPSG 代码写作 EPSG:NNNN 或只写数字：{q} 不是代码"},
    {C::CrsUnknown, "EPSG:{whole} 不是本程序所知的 CGCS2000、西安80、北京54、新北京54 高斯-克吕格"
                    "坐标系；相近的代码有 {other}"},
    {C::CrsOptionDiffers, "{text} 与 {other} 的设置不同"},
    {C::CrsNotForOperation, "邻带换算把各点换入各自的邻带，{other} 只规定一个坐标系"},
    {C::CrsTargetWidth, "{text} 换入{width}度带，{other} 不是{width}度带坐标系"},
    {C::CrsDeprecated, "{text} 已废弃，与 {other} 相同"},
    {C::DatumParameterNotFinite, "{other} 不是有限的数"},
    {C::DatumScaleNotPositive, "{other}：尺度参数使尺度因子 1 + s/1000000 不为正"},
    {C::RotationWithoutConvention, "给出旋转参数时须指明旋转约定：位置矢量或坐标框架"},
    {C::TooFewCommonPoints, "公共点 {count} 个，此模型至少需要 {needed} 个"},
    {C::CommonPointRepeated, "点 {text} 与 {other} 相距不足 1 毫米，是同一点重复给出"},
    {C::CommonPointNameTwice, "点 {text} 在 {other} 中出现两次（第 {count} 行和第 {needed} 行）"},
    {C::CommonPointsCollinear,
     "公共点位于一条直线上，无法确定绕该直线的旋转；请增加直线外的点，或改用三参数"},
    {C::CommonPointNotFinite, "点 {text} 的坐标不是有限的数"},
    {C::FitDidNotConverge, "这些点之间不存在此模型的变换（最小二乘迭代不收敛）"},
    {C::ExcludedPointUnknown, "要剔除的点 {text} 不在公共点中"},
    {C::CommonPointWithoutName, "公共点须有点名才能配对"},
    {C::ColumnUnknownWithHeight,
     "各列含义须按文件中的顺序逐列写出：name 为点名，{first} 和 {second} 为两个坐标（各写一次），"
     "H 为大地高，- 为照抄的列，以逗号分隔。（“{text}”不是此运算的列。）"},
    {C::ParameterFileTooLarge, "超过 {bound} 字节，不是参数文件"},
    {C::ParameterFileTooDeep, "嵌套超过 {bound} 层，不是参数文件"},
    {C::ParameterFileMalformed, "不是 JSON 文件（读到第 {count} 字节处出错）"},
    {C::ParameterFileNotObject, "不是参数的 JSON 对象"},
    {C::ParameterKeyMissing, "缺少 {other}"},
    {C::ParameterNotNumber, "{other} 须为数值"},
    {C::ParameterNotText, "{other} 须为字符串"},
    {C::ParameterEllipsoidForm, "{other} 须为椭球名称，或含 a_m 与 inverse_flattening 的对象"},
    {C::ParameterOutOfRange, "{other} 超出范围"},
    {C::ParameterUnknownModel, "模型“{text}”不是 helmert7、helmert3 或 plane4"},
    {C::ParameterUnknownConvention,
     "旋转约定“{text}”既不是 position_vector 也不是 coordinate_frame"},
    {C::ParameterUnknownRotation, "旋转矩阵“{text}”既不是 small_angle 也不是 exact"},
    {C::ParameterUnknownEllipsoid,
     "{other}“{text}”不是已知椭球（wgs84、xian80、beijing54、cgcs2000）"},
    {C::ParameterWrongModel, "其中是 {text} 参数，此处需要 {other}"},
};

std::string SystemError(int error) {
    struct Known {
        int error;
        const char* text;
    };
    static const Known known[] = {
        {ENOENT, "文件或文件夹不存在"},
        {EACCES, "没有权限"},
        {EPERM, "不允许此操作"},
        {EISDIR, "这是一个文件夹"},
        {ENOTDIR, "路径中有一项不是文件夹"},
        {ENOSPC, "磁盘空间不足"},
        {EDQUOT, "超出磁盘配额"},
        {EROFS, "文件系统只读"},
        {EEXIST, "文件已存在"},
        {EIO, "读写出错"},
        {ENAMETOOLONG, "文件名太长"},
        {ELOOP, "符号链接层数太多"},
        {EMFILE, "打开的文件太多"},
        {ENFILE, "打开的文件太多"},
        {EFBIG, "文件太大"},
        {ENXIO, "设备不存在"},
        {ENODEV, "设备不存在"},
        {EBUSY, "设备或资源正忙"},
        {ETXTBSY, "文件正被使用"},
        {EINVAL, "参数无效"},
    };
    for (const Known& k : known) {
        if (k.error == error) {
            return k.text;
        }
    }
    return "系统错误 " + std::to_string(error);
}

const ProblemWords kWords{
    kPatterns,
    {"纬度 B", "经度 L", "X 坐标", "Y 坐标", "高程 H"},
    "标准输出",
    SystemError,
};

} // namespace

const ProblemWords& ChineseWords() {
    return kWords;
}

std::string Chinese(const Problem& problem) {
    return WordProblem(problem, kWords);
}
