// The adapter corpus: every operation of CGaussProjection on a recorded state, with the state it
// left behind, all doubles as exact hexadecimal text. One record per line:
//   operation  a f L0 zoneWidth zone B L X Y  ->  a f L0 zoneWidth zone B L X Y
// Shared by the recorder and the replaying test so both read and write the same layout.
#pragma once

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>

#include "engine/gauss_projection.h"

namespace corpus {

inline const std::array<const char*, 8> kOperations = {
    "ZoneFromL",     "ZoneFromY",     "BLToXY",   "XYToBL",
    "AdjacentZone3", "AdjacentZone6", "Zone3To6", "Zone6To3"};

inline void Run(CGaussProjection& p, const std::string& op) {
    if (op == "ZoneFromL") {
        p.ZoneFromL();
    } else if (op == "ZoneFromY") {
        p.ZoneFromY();
    } else if (op == "BLToXY") {
        p.BLToXY();
    } else if (op == "XYToBL") {
        p.XYToBL();
    } else if (op == "AdjacentZone3") {
        p.AdjacentZone3();
    } else if (op == "AdjacentZone6") {
        p.AdjacentZone6();
    } else if (op == "Zone3To6") {
        p.Zone3To6();
    } else if (op == "Zone6To3") {
        p.Zone6To3();
    }
}

inline std::string Hex(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::hex);
    return std::string(buffer, result.ptr);
}

inline std::string Write(const CGaussProjection& p) {
    return Hex(p.m_a) + " " + Hex(p.m_f) + " " + Hex(p.m_L0) + " " +
           std::to_string(p.m_nZoneWidth) + " " + std::to_string(p.m_nZone) + " " + Hex(p.m_B) +
           " " + Hex(p.m_L) + " " + Hex(p.m_X) + " " + Hex(p.m_Y);
}

inline bool ReadDouble(std::istringstream& in, double& v) {
    std::string word;
    in >> word;
    const char* first = word.data();
    const char* last = first + word.size();
    // from_chars reads "nan" but not the sign of "-nan"; the sign of a NaN is not compared.
    if (!word.empty() && word[0] == '-' && word.find("nan") != std::string::npos) {
        ++first;
    }
    const auto result = std::from_chars(first, last, v, std::chars_format::hex);
    return !word.empty() && result.ec == std::errc() && result.ptr == last;
}

inline std::optional<CGaussProjection> Read(std::istringstream& in) {
    CGaussProjection p;
    if (ReadDouble(in, p.m_a) && ReadDouble(in, p.m_f) && ReadDouble(in, p.m_L0) &&
        (in >> p.m_nZoneWidth >> p.m_nZone) && ReadDouble(in, p.m_B) && ReadDouble(in, p.m_L) &&
        ReadDouble(in, p.m_X) && ReadDouble(in, p.m_Y)) {
        return p;
    }
    return std::nullopt;
}

} // namespace corpus
