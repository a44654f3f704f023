// Reading and writing datum parameter files, and their PROJ strings.
#include "conversion/parameter_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "conversion/atomic_file.h"
#include "conversion/number_text.h"

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

// The shortest text that reads back to the same double, free of the process locale.
std::string Shortest(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Problem KeyProblem(ProblemCode code, std::string key) {
    return Problem{.code = code, .other = std::move(key)};
}

// The deepest nesting of arrays and objects in text, outside strings, stopping as soon as
// it passes limit: checked before parsing, so that no parser recurses or allocates for a file
// of ten thousand brackets.
int NestingBeyond(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) {
                return depth;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return 0;
}

// Reads the keys of one object, remembering the first problem.
class Keys {
public:
    explicit Keys(const json& object, std::string prefix = {})
        : m_object(object), m_prefix(std::move(prefix)) {}

    std::optional<Problem> problem;

    const json* Find(const std::string& key, bool required) {
        const auto it = m_object.find(key);
        if (it == m_object.end()) {
            if (required && !problem) {
                problem = KeyProblem(ProblemCode::ParameterKeyMissing, m_prefix + key);
            }
            return nullptr;
        }
        return &*it;
    }

    double Number(const std::string& key, bool required = true, double fallback = 0.0) {
        const json* value = Find(key, required);
        if (value == nullptr) {
            return fallback;
        }
        if (!value->is_number()) {
            Fail(ProblemCode::ParameterNotNumber, key);
            return fallback;
        }
        const double number = value->get<double>();
        if (!std::isfinite(number)) {
            Fail(ProblemCode::ParameterOutOfRange, key);
            return fallback;
        }
        return number;
    }

    std::optional<std::string> Text(const std::string& key, bool required = true) {
        const json* value = Find(key, required);
        if (value == nullptr) {
            return std::nullopt;
        }
        if (!value->is_string()) {
            Fail(ProblemCode::ParameterNotText, key);
            return std::nullopt;
        }
        return value->get<std::string>();
    }

    void Fail(ProblemCode code, const std::string& key, std::string text = {}) {
        if (!problem) {
            problem = Problem{.code = code, .text = std::move(text), .other = m_prefix + key};
        }
    }

    const std::string& Prefix() const { return m_prefix; }

private:
    const json& m_object;
    std::string m_prefix;
};

std::optional<NamedEllipsoid> ReadEllipsoid(Keys& keys, const std::string& key) {
    const json* value = keys.Find(key, true);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (value->is_string()) {
        const std::string name = value->get<std::string>();
        if (const EllipsoidPreset* preset = FindEllipsoidPreset(name)) {
            return NamedEllipsoid{preset->key.data(), preset->ellipsoid()};
        }
        keys.Fail(ProblemCode::ParameterUnknownEllipsoid, key, name);
        return std::nullopt;
    }
    if (!value->is_object()) {
        keys.Fail(ProblemCode::ParameterEllipsoidForm, key);
        return std::nullopt;
    }
    Keys inner(*value, keys.Prefix() + key + ".");
    const double a = inner.Number("a_m");
    const double alfa = inner.Number("inverse_flattening");
    if (inner.problem) {
        keys.problem = inner.problem;
        return std::nullopt;
    }
    if (!(a > 0.0)) {
        keys.Fail(ProblemCode::ParameterOutOfRange, key + ".a_m");
        return std::nullopt;
    }
    if (!(alfa == 0.0 || alfa > 1.0)) {
        keys.Fail(ProblemCode::ParameterOutOfRange, key + ".inverse_flattening");
        return std::nullopt;
    }
    return NamedEllipsoid{{}, Ellipsoid(a, alfa == 0.0 ? 0.0 : 1.0 / alfa)};
}

ParameterFileOutcome FromJson(const json& root) {
    if (!root.is_object()) {
        return Problem{.code = ProblemCode::ParameterFileNotObject};
    }
    Keys keys(root);
    DatumParameters parameters;
    const std::optional<std::string> model = keys.Text("model");
    if (keys.problem) {
        return *keys.problem;
    }
    const std::optional<FitModel> fitModel = ModelByName(*model);
    if (!fitModel) {
        return Problem{
            .code = ProblemCode::ParameterUnknownModel, .text = *model, .other = "model"};
    }
    parameters.model = *fitModel;
    if (parameters.model == FitModel::Plane4) {
        PlaneSimilarityParams& p = parameters.plane;
        p.dx = keys.Number("dx_m");
        p.dy = keys.Number("dy_m");
        p.theta = keys.Number("theta_arcsec");
        p.s = keys.Number("scale_ppm");
        if (keys.problem) {
            return *keys.problem;
        }
        if (Result<void> check = PlaneSimilarity::Check(p); !check) {
            check.problem().other = "scale_ppm";
            return check.problem();
        }
        return parameters;
    }
    HelmertParams& h = parameters.helmert;
    h.tx = keys.Number("tx_m");
    h.ty = keys.Number("ty_m");
    h.tz = keys.Number("tz_m");
    if (parameters.model == FitModel::Helmert7) {
        h.rx = keys.Number("rx_arcsec");
        h.ry = keys.Number("ry_arcsec");
        h.rz = keys.Number("rz_arcsec");
        h.s = keys.Number("scale_ppm");
        if (const std::optional<std::string> convention = keys.Text("convention", false)) {
            if (*convention == "position_vector") {
                h.convention = RotationConvention::PositionVector;
            } else if (*convention == "coordinate_frame") {
                h.convention = RotationConvention::CoordinateFrame;
            } else {
                keys.Fail(ProblemCode::ParameterUnknownConvention, "convention", *convention);
            }
        }
        if (const std::optional<std::string> rotation = keys.Text("rotation", false)) {
            if (*rotation == "exact") {
                h.exactRotation = true;
            } else if (*rotation != "small_angle") {
                keys.Fail(ProblemCode::ParameterUnknownRotation, "rotation", *rotation);
            }
        }
    }
    parameters.source = ReadEllipsoid(keys, "source_ellipsoid");
    parameters.target = ReadEllipsoid(keys, "target_ellipsoid");
    if (keys.problem) {
        return *keys.problem;
    }
    if (Result<void> check = Helmert::Check(h); !check) {
        check.problem().other = check.problem().code == ProblemCode::RotationWithoutConvention
                                    ? "convention"
                                    : "scale_ppm";
        return check.problem();
    }
    return parameters;
}

ordered_json EllipsoidJson(const NamedEllipsoid& e) {
    if (!e.key.empty()) {
        return e.key;
    }
    ordered_json object;
    object["a_m"] = e.ellipsoid.a();
    object["inverse_flattening"] = e.ellipsoid.f() == 0.0 ? 0.0 : 1.0 / e.ellipsoid.f();
    return object;
}

std::string ProjEllipsoid(const Ellipsoid& e) {
    if (e.f() == 0.0) {
        return "+R=" + Shortest(e.a());
    }
    return "+a=" + Shortest(e.a()) + " +rf=" + Shortest(1.0 / e.f());
}

// A preset's own alfa, as the tables write it, rather than 1 / f rounded back.
std::string ProjEllipsoid(const NamedEllipsoid& e) {
    if (const EllipsoidPreset* preset = FindEllipsoidPreset(e.key)) {
        return "+a=" + Shortest(preset->a) + " +rf=" + Shortest(preset->alfa);
    }
    return ProjEllipsoid(e.ellipsoid);
}

std::string ProjHelmert(const HelmertParams& h, FitModel model) {
    std::string s =
        "+proj=helmert +x=" + Shortest(h.tx) + " +y=" + Shortest(h.ty) + " +z=" + Shortest(h.tz);
    if (model == FitModel::Helmert7) {
        s += " +rx=" + Shortest(h.rx) + " +ry=" + Shortest(h.ry) + " +rz=" + Shortest(h.rz) +
             " +s=" + Shortest(h.s);
        if (h.convention) {
            s += h.convention == RotationConvention::PositionVector
                     ? " +convention=position_vector"
                     : " +convention=coordinate_frame";
        }
        if (h.exactRotation) {
            s += " +exact";
        }
    }
    return s;
}

ordered_json FitJson(const DatumParameters& parameters) {
    const FitRecord& record = *parameters.fit;
    const CommonPointFit& fit = record.fit;
    ordered_json out;
    ordered_json used = ordered_json::array();
    for (const PointFit& point : fit.points) {
        used.push_back(point.name);
    }
    out["points_used"] = used;
    ordered_json leftOut = ordered_json::array();
    for (const LeftOutPoint& point : record.leftOut) {
        ordered_json p;
        p["name"] = point.name;
        p["why"] = LeftOutKey(point.why);
        leftOut.push_back(p);
    }
    out["points_left_out"] = leftOut;
    out["redundancy"] = fit.redundancy;
    out["m0_m"] = fit.m0 ? ordered_json(*fit.m0) : ordered_json(nullptr);
    ordered_json sigma(nullptr);
    if (fit.helmertSigma) {
        const HelmertParams& s = *fit.helmertSigma;
        sigma = ordered_json::object();
        sigma["tx_m"] = s.tx;
        sigma["ty_m"] = s.ty;
        sigma["tz_m"] = s.tz;
        if (fit.model == FitModel::Helmert7) {
            sigma["rx_arcsec"] = s.rx;
            sigma["ry_arcsec"] = s.ry;
            sigma["rz_arcsec"] = s.rz;
            sigma["scale_ppm"] = s.s;
        }
    } else if (fit.planeSigma) {
        const PlaneSimilarityParams& s = *fit.planeSigma;
        sigma = ordered_json::object();
        sigma["dx_m"] = s.dx;
        sigma["dy_m"] = s.dy;
        sigma["theta_arcsec"] = s.theta;
        sigma["scale_ppm"] = s.s;
    }
    out["standard_deviations"] = sigma;
    ordered_json test = ordered_json::object();
    test["significance"] = kFlagSignificance;
    test["floor_m"] = kFlagFloor;
    if (fit.flagThreshold) {
        test["threshold"] = *fit.flagThreshold;
        test["degrees_of_freedom"] = {fit.flagDims, fit.flagRedundancy};
    } else {
        test["threshold"] = nullptr;
    }
    out["flag_test"] = test;
    ordered_json points = ordered_json::array();
    const int dims = fit.model == FitModel::Plane4 ? 2 : 3;
    for (const PointFit& point : fit.points) {
        ordered_json p;
        p["name"] = point.name;
        p["v_m"] = std::vector<double>(point.v.begin(), point.v.begin() + dims);
        if (point.neu) {
            p["neu_m"] = std::vector<double>(point.neu->begin(), point.neu->end());
        }
        p["statistic"] = point.statistic ? ordered_json(*point.statistic) : ordered_json(nullptr);
        p["flagged"] = point.flagged;
        points.push_back(p);
    }
    out["points"] = points;
    return out;
}

} // namespace

const char* LeftOutKey(LeftOutPoint::Why why) {
    switch (why) {
    case LeftOutPoint::Why::SourceOnly:
        return "source_only";
    case LeftOutPoint::Why::TargetOnly:
        return "target_only";
    case LeftOutPoint::Why::Excluded:
        return "excluded";
    }
    return "";
}

bool IsHelmert(FitModel model) {
    return model != FitModel::Plane4;
}

const char* ModelName(FitModel model) {
    switch (model) {
    case FitModel::Helmert7:
        return "helmert7";
    case FitModel::Helmert3:
        return "helmert3";
    case FitModel::Plane4:
        return "plane4";
    }
    return "";
}

std::optional<FitModel> ModelByName(std::string_view name) {
    for (FitModel model : {FitModel::Helmert7, FitModel::Helmert3, FitModel::Plane4}) {
        if (name == ModelName(model)) {
            return model;
        }
    }
    return std::nullopt;
}

std::optional<NamedEllipsoid> EllipsoidFromText(std::string_view text) {
    if (const EllipsoidPreset* preset = FindEllipsoidPreset(text)) {
        return NamedEllipsoid{std::string(preset->key), preset->ellipsoid()};
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const Result<double> aRead = ParseNumber(text.substr(0, comma));
    const Result<double> alfaRead = ParseNumber(text.substr(comma + 1));
    if (!aRead || !alfaRead) {
        return std::nullopt;
    }
    const double a = *aRead;
    const double alfa = *alfaRead;
    if (!(a > 0.0) || !(alfa == 0.0 || alfa > 1.0)) {
        return std::nullopt;
    }
    return NamedEllipsoid{{}, Ellipsoid(a, alfa == 0.0 ? 0.0 : 1.0 / alfa)};
}

ParameterFileOutcome ParseParameterText(std::string_view text) {
    if (text.size() > kParameterFileLimit) {
        return Problem{.code = ProblemCode::ParameterFileTooLarge,
                       .bound = static_cast<double>(kParameterFileLimit)};
    }
    if (NestingBeyond(text, kParameterFileDepth) != 0) {
        return Problem{.code = ProblemCode::ParameterFileTooDeep, .bound = kParameterFileDepth};
    }
    json root;
    try {
        root = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        return Problem{.code = ProblemCode::ParameterFileMalformed,
                       .count = static_cast<std::int64_t>(e.byte)};
    } catch (const json::exception&) {
        return Problem{.code = ProblemCode::ParameterFileMalformed};
    }
    return FromJson(root);
}

ParameterFileOutcome ReadParameterFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return Problem{.code = ProblemCode::CannotRead, .text = path, .error = errno};
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool directory = S_ISDIR(info.st_mode);
        close(fd);
        return directory ? Problem{.code = ProblemCode::CannotRead, .text = path, .error = EISDIR}
                         : Problem{.code = ProblemCode::InputNotRegular, .text = path};
    }
    // One byte beyond the limit tells a file that is too large, however large it is.
    std::string text;
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), kParameterFileLimit) +
                1);
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            close(fd);
            return Problem{.code = ProblemCode::CannotRead, .text = path, .error = error};
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    text.resize(got);
    return ParseParameterText(text);
}

std::string ParameterText(const DatumParameters& parameters) {
    ordered_json root;
    root["model"] = ModelName(parameters.model);
    if (parameters.model == FitModel::Plane4) {
        root["dx_m"] = parameters.plane.dx;
        root["dy_m"] = parameters.plane.dy;
        root["theta_arcsec"] = parameters.plane.theta;
        root["scale_ppm"] = parameters.plane.s;
    } else {
        const HelmertParams& h = parameters.helmert;
        if (parameters.model == FitModel::Helmert7) {
            if (h.convention) {
                root["convention"] = h.convention == RotationConvention::PositionVector
                                         ? "position_vector"
                                         : "coordinate_frame";
            }
            root["rotation"] = h.exactRotation ? "exact" : "small_angle";
        }
        root["tx_m"] = h.tx;
        root["ty_m"] = h.ty;
        root["tz_m"] = h.tz;
        if (parameters.model == FitModel::Helmert7) {
            root["rx_arcsec"] = h.rx;
            root["ry_arcsec"] = h.ry;
            root["rz_arcsec"] = h.rz;
            root["scale_ppm"] = h.s;
        }
        if (parameters.source) {
            root["source_ellipsoid"] = EllipsoidJson(*parameters.source);
        }
        if (parameters.target) {
            root["target_ellipsoid"] = EllipsoidJson(*parameters.target);
        }
    }
    root["proj"] = ProjString(parameters);
    if (parameters.fit) {
        root["fit"] = FitJson(parameters);
    }
    return root.dump(2) + "\n";
}

Result<void> WriteParameterFile(const std::string& path, const DatumParameters& parameters) {
    if (const int error = WriteFileAtomically(path, ParameterText(parameters)); error != 0) {
        return Problem{.code = ProblemCode::CannotWrite, .text = path, .error = error};
    }
    return {};
}

std::string ProjString(const DatumParameters& parameters) {
    if (parameters.model == FitModel::Plane4) {
        const PlaneSimilarityParams& p = parameters.plane;
        return "+proj=helmert +x=" + Shortest(p.dy) + " +y=" + Shortest(p.dx) +
               " +theta=" + Shortest(p.theta) + " +s=" + Shortest(1.0 + p.s * 1e-6);
    }
    const std::string helmert = ProjHelmert(parameters.helmert, parameters.model);
    if (!parameters.source || !parameters.target) {
        return helmert;
    }
    return "+proj=pipeline +step +proj=cart " + ProjEllipsoid(*parameters.source) + " +step " +
           helmert + " +step +inv +proj=cart " + ProjEllipsoid(*parameters.target);
}

std::string ProjPipeline(const DatumParameters& parameters) {
    const std::string swap = " +step +proj=axisswap +order=2,1";
    if (parameters.model == FitModel::Plane4) {
        return "+proj=pipeline" + swap + " +step " + ProjString(parameters) + swap;
    }
    return "+proj=pipeline" + swap + " +step +proj=unitconvert +xy_in=deg +xy_out=rad" +
           " +step +proj=cart " + ProjEllipsoid(*parameters.source) + " +step " +
           ProjHelmert(parameters.helmert, parameters.model) + " +step +inv +proj=cart " +
           ProjEllipsoid(*parameters.target) + " +step +proj=unitconvert +xy_in=rad +xy_out=deg" +
           swap;
}
