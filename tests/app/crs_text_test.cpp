// The batch window's line on EPSG codes, for fixed projections and for zones chosen per point.
#include "app/crs_text.h"

#include <gtest/gtest.h>

namespace {

Settings Make(const EllipsoidPreset& ellipsoid, int width) {
    Settings s;
    s.ellipsoid = ellipsoid.ellipsoid();
    s.zoneWidth = width;
    return s;
}

std::string Text(const Settings& s) {
    return ChineseCrsText(DescribeProjection(s), s);
}

TEST(ChineseCrsText, NamesTheCodesOfAFixedProjection) {
    Settings s = Make(Cgcs2000(), 3);
    s.centralMeridian = 114.0;
    s.prefix = false;
    EXPECT_EQ(Text(s), "当前设置即 EPSG:4547（CGCS2000三度带）：中央子午线 114°，Y 不带带号");
    s.prefix = true;
    EXPECT_EQ(Text(s),
              "当前设置即 EPSG:4526（CGCS2000三度带）：第 38 带（中央子午线 114°），Y 带带号");
    s = Make(Beijing1954(), 3);
    s.zone = 38;
    s.prefix = false;
    EXPECT_EQ(Text(s),
              "当前设置即 EPSG:2435（北京54三度带）、EPSG:4795（新北京54三度带）：中央子午线 "
              "114°，Y 不带带号");
    s = Make(Cgcs2000(), 3);
    s.centralMeridian = 114.5;
    s.prefix = false;
    EXPECT_EQ(Text(s), "当前设置（中央子午线 114.5°，Y 不带带号）没有对应的 EPSG 代码");
}

TEST(ChineseCrsText, ZonesPerPointNameTheRuleAndTheZonesCodes) {
    EXPECT_EQ(Text(Make(Cgcs2000(), 3)),
              "各点按整度规则各入其三度带，CGCS2000 第 25–45 带为 EPSG:4513–4533");
    Settings s = Make(Beijing1954(), 3);
    s.zoneRule = ZoneRule::Standard;
    EXPECT_EQ(Text(s),
              "各点按标准分带各入其三度带，北京54 第 25–45 带为 EPSG:2401–2421；新北京54 第 "
              "25–29 带为 EPSG:4652–4656；新北京54 第 30–45 带为 EPSG:4766–4781");
    s = Make(Xian1980(), 3);
    s.operation = Operation::ThreeToSix; // written in 6° zones
    EXPECT_EQ(Text(s), "各点按整度规则各入其六度带，西安80 第 13–23 带为 EPSG:2327–2337");
    EXPECT_EQ(Text(Make(Wgs1984(), 6)), "各点按整度规则各入其六度带，没有对应的 EPSG 代码");
}

} // namespace
