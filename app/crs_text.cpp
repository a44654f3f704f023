// EPSG codes in the batch window's words.
#include "app/crs_text.h"

#include <charconv>

namespace {

const char* DatumText(EpsgDatum datum) {
    switch (datum) {
    case EpsgDatum::Cgcs2000:
        return "CGCS2000";
    case EpsgDatum::Xian1980:
        return "西安80";
    case EpsgDatum::Beijing1954:
        return "北京54";
    case EpsgDatum::NewBeijing:
        return "新北京54";
    }
    return "";
}

const char* WidthText(int width) {
    return width == 3 ? "三度带" : "六度带";
}

// Degrees as the shortest text that reads back the same (114, 114.5).
std::string Degrees(double degrees) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, degrees).ptr) + "°";
}

std::string Code(int code) {
    return "EPSG:" + std::to_string(code);
}

std::string FixedText(const ProjectionDescription& d) {
    const ProjectionParams& p = *d.params;
    std::string where;
    if (p.zonePrefix) {
        where = "第 " + std::to_string(*p.zonePrefix) + " 带（中央子午线 " +
                Degrees(p.centralMeridian) + "），Y 带带号";
    } else {
        where = "中央子午线 " + Degrees(p.centralMeridian) + "，Y 不带带号";
    }
    if (d.codes.empty()) {
        return "当前设置（" + where + "）没有对应的 EPSG 代码";
    }
    std::string codes;
    for (const EpsgCrs* crs : d.codes) {
        codes += (codes.empty() ? "" : "、") + Code(crs->code) + "（" + DatumText(crs->datum) +
                 WidthText(crs->zoneWidth) + "）";
    }
    return "当前设置即 " + codes + "：" + where;
}

// Runs of consecutive codes of one datum: "CGCS2000 第 25–45 带 EPSG:4513–4533".
std::string ZoneCodesText(const ProjectionDescription& d) {
    std::string text;
    for (std::size_t i = 0; i < d.codes.size();) {
        std::size_t j = i;
        while (j + 1 < d.codes.size() && d.codes[j + 1]->datum == d.codes[i]->datum &&
               d.codes[j + 1]->code == d.codes[j]->code + 1) {
            ++j;
        }
        const EpsgCrs& first = *d.codes[i];
        const EpsgCrs& last = *d.codes[j];
        text += text.empty() ? "" : "；";
        text += std::string(DatumText(first.datum)) + " 第 " + std::to_string(first.zone);
        text += j > i ? "–" + std::to_string(last.zone) : "";
        text += " 带为 " + Code(first.code) + (j > i ? "–" + std::to_string(last.code) : "");
        i = j + 1;
    }
    return text;
}

} // namespace

std::string ChineseCrsText(const ProjectionDescription& d, const Settings& s) {
    if (d.params) {
        return FixedText(d);
    }
    const ZoneSystem system = OutputZoneSystem(s);
    std::string text = "各点按" +
                       std::string(s.zoneRule == ZoneRule::Standard ? "标准分带" : "整度规则") +
                       "各入其" + WidthText(system.Width()) + "，";
    if (d.codes.empty()) {
        return text + "没有对应的 EPSG 代码";
    }
    return text + ZoneCodesText(d);
}
