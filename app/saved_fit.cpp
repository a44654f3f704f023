// Reading a parameter file's fit record.
#include "app/saved_fit.h"

#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

std::optional<double> OptionalNumber(const json& value) {
    if (value.is_null()) {
        return std::nullopt;
    }
    return value.get<double>();
}

LeftOutPoint::Why WhyOf(const std::string& key) {
    if (key == LeftOutKey(LeftOutPoint::Why::SourceOnly)) {
        return LeftOutPoint::Why::SourceOnly;
    }
    if (key == LeftOutKey(LeftOutPoint::Why::TargetOnly)) {
        return LeftOutPoint::Why::TargetOnly;
    }
    return LeftOutPoint::Why::Excluded;
}

FitRecord FromJson(const json& fit, FitModel model) {
    FitRecord record;
    CommonPointFit& out = record.fit;
    out.model = model;
    out.redundancy = fit.at("redundancy").get<int>();
    out.m0 = OptionalNumber(fit.at("m0_m"));
    const json& sigma = fit.at("standard_deviations");
    if (!sigma.is_null()) {
        if (model == FitModel::Plane4) {
            out.planeSigma = PlaneSimilarityParams{
                sigma.at("dx_m").get<double>(), sigma.at("dy_m").get<double>(),
                sigma.at("theta_arcsec").get<double>(), sigma.at("scale_ppm").get<double>()};
        } else {
            HelmertParams s;
            s.tx = sigma.at("tx_m").get<double>();
            s.ty = sigma.at("ty_m").get<double>();
            s.tz = sigma.at("tz_m").get<double>();
            if (model == FitModel::Helmert7) {
                s.rx = sigma.at("rx_arcsec").get<double>();
                s.ry = sigma.at("ry_arcsec").get<double>();
                s.rz = sigma.at("rz_arcsec").get<double>();
                s.s = sigma.at("scale_ppm").get<double>();
            }
            out.helmertSigma = s;
        }
    }
    const json& test = fit.at("flag_test");
    out.flagThreshold = OptionalNumber(test.at("threshold"));
    if (out.flagThreshold) {
        out.flagDims = test.at("degrees_of_freedom").at(0).get<int>();
        out.flagRedundancy = test.at("degrees_of_freedom").at(1).get<int>();
    }
    for (const json& p : fit.at("points")) {
        PointFit point;
        point.name = p.at("name").get<std::string>();
        const std::vector<double> v = p.at("v_m").get<std::vector<double>>();
        for (std::size_t k = 0; k < v.size() && k < 3; ++k) {
            point.v[k] = v[k];
        }
        if (p.contains("neu_m")) {
            const std::vector<double> neu = p.at("neu_m").get<std::vector<double>>();
            if (neu.size() != 3) {
                throw std::out_of_range("neu_m");
            }
            point.neu = std::array<double, 3>{neu[0], neu[1], neu[2]};
        } else if (model != FitModel::Plane4) {
            throw std::out_of_range("neu_m");
        }
        point.statistic = OptionalNumber(p.at("statistic"));
        point.flagged = p.at("flagged").get<bool>();
        out.points.push_back(std::move(point));
    }
    for (const json& p : fit.at("points_left_out")) {
        record.leftOut.push_back(
            {p.at("name").get<std::string>(), WhyOf(p.at("why").get<std::string>())});
    }
    return record;
}

} // namespace

std::optional<FitRecord> ParseFitRecord(const std::string& text, FitModel model) {
    try {
        const json root = json::parse(text);
        if (!root.is_object() || !root.contains("fit")) {
            return std::nullopt;
        }
        return FromJson(root.at("fit"), model);
    } catch (const std::exception&) {
        // A record that is not whole is not shown; the parameters still are.
        return std::nullopt;
    }
}

std::optional<FitRecord> ReadFitRecord(const std::string& path, FitModel model) {
    std::ifstream file(path, std::ios::binary);
    // The library has read the file and held it to its size limit already.
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return ParseFitRecord(text, model);
}
