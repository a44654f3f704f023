// Reader of tests/data/reference.cases, the reference cases shared by the engine's and the form's
// runners (the format is described at the head of that file). Plain C++: no engine, no Qt.
#pragma once

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace cases {

// The settings of one block, as its directives left them.
struct Settings {
    std::string source;
    std::string ellipsoidKey = "wgs84"; // empty for a user-defined ellipsoid
    double a = 0.0;
    double alfa = 0.0;
    std::string method = "series";
    bool packed = true;
    std::optional<double> centralMeridian;
    std::optional<int> zone;
    double k0 = 1.0;
    double falseEasting = 500000.0;
    double falseNorthing = 0.0;
    std::string operation; // forward, inverse, adjacent, 3to6, 6to3
    int width = 6;
    std::string zoneRule = "form"; // or "standard"
    int crs = 0;                   // an EPSG code, 0 for none
    // A transformation block's model and its parameters, in the order of the directive.
    std::string transform; // helmert, plane4; empty in a projection block
    std::string convention;
    bool exactRotation = false;
    std::vector<double> parameters;

    // Whether the projection is a standard zone of the operation's system: the whole-degree rule
    // (or the easting) picks the zone, scale 1, false easting 500000 m, no false northing.
    bool StandardZones() const {
        return !centralMeridian && !zone && crs == 0 && zoneRule == "form" && k0 == 1.0 &&
               falseEasting == 500000.0 && falseNorthing == 0.0;
    }
    bool AnglesIn() const { return operation == "forward"; }
    bool AnglesOut() const { return operation == "inverse"; }
};

struct Case {
    enum class Kind { Expect, Failure, RoundTrip };
    Kind kind = Kind::Expect;
    int line = 0;
    Settings settings;
    double in[2] = {0.0, 0.0};
    double out[2] = {0.0, 0.0};
    std::optional<int> zone;
    double tolerance = 0.0; // metres for plane results, degrees for angles
    bool toleranceInDegrees = false;
    std::string why; // of an expected failure

    std::string Where() const {
        return "reference.cases:" + std::to_string(line) + " (" + settings.source + ")";
    }
};

// A case of a transformation block: geocentric X Y Z (helmert) or plane x y (plane4) in and out.
struct TransformCase {
    bool roundTrip = false; // forward then inverse returns the input within the tolerance
    int line = 0;
    Settings settings;
    std::vector<double> in;
    std::vector<double> out;
    double tolerance = 0.0; // metres

    std::string Where() const {
        return "reference.cases:" + std::to_string(line) + " (" + settings.source + ")";
    }
};

inline std::filesystem::path DefaultPath() {
    return std::filesystem::path(GK_SOURCE_DIR) / "tests" / "data" / "reference.cases";
}

inline double Number(const std::string& word, int line) {
    double v = 0.0;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), v);
    if (word.empty() || result.ec != std::errc() || result.ptr != word.data() + word.size()) {
        throw std::runtime_error("reference.cases:" + std::to_string(line) + ": '" + word +
                                 "' is not a number");
    }
    return v;
}

// Reads the projection cases into cases and the transformation cases into transforms.
inline void ReadAll(const std::filesystem::path& path, std::vector<Case>& cases,
                    std::vector<TransformCase>& transforms) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot open " + path.string());
    }
    Settings settings;
    double tolerance = 0.0;
    bool toleranceInDegrees = false;
    bool accepted = false;
    double input[2] = {0.0, 0.0};
    std::vector<double> transformInput;
    std::string previous;
    std::string text;
    int line = 0;
    while (std::getline(file, text)) {
        ++line;
        if (const auto hash = text.find('#'); hash != std::string::npos) {
            text.erase(hash);
        }
        std::istringstream in(text);
        std::string directive;
        if (!(in >> directive)) {
            continue;
        }
        std::vector<std::string> words;
        for (std::string w; in >> w;) {
            words.push_back(w);
        }
        auto fail = [&](const std::string& what) {
            throw std::runtime_error("reference.cases:" + std::to_string(line) + ": " + what);
        };
        auto need = [&](std::size_t n) {
            if (words.size() < n) {
                fail(directive + " needs " + std::to_string(n) + " values");
            }
        };
        auto num = [&](std::size_t i) { return Number(words.at(i), line); };
        std::string rest;
        for (const std::string& w : words) {
            rest += (rest.empty() ? "" : " ") + w;
        }

        auto numbers = [&] {
            std::vector<double> values;
            for (std::size_t i = 0; i < words.size(); ++i) {
                values.push_back(num(i));
            }
            return values;
        };
        const bool transformBlock = !settings.transform.empty();
        if (transformBlock && directive != "source" && directive != "tolerance") {
            const std::size_t dims = settings.transform == "plane4" ? 2 : 3;
            if (directive == "parameters") {
                settings.parameters = numbers();
                if (settings.parameters.size() != (settings.transform == "plane4" ? 4u : 7u)) {
                    fail("wrong number of parameters for " + settings.transform);
                }
            } else if (directive == "accept") {
                transformInput = numbers();
                if (transformInput.size() != dims) {
                    fail("accept needs " + std::to_string(dims) + " coordinates");
                }
            } else if (directive == "expect" || directive == "roundtrip") {
                if (transformInput.empty() || settings.parameters.empty()) {
                    fail(directive + " without accept and parameters");
                }
                TransformCase c;
                c.line = line;
                c.settings = settings;
                c.in = transformInput;
                c.tolerance = tolerance;
                if (directive == "roundtrip") {
                    c.roundTrip = true;
                } else {
                    c.out = numbers();
                    if (c.out.size() != dims) {
                        fail("expect needs " + std::to_string(dims) + " coordinates");
                    }
                }
                if (tolerance == 0.0 || toleranceInDegrees) {
                    fail("no tolerance in metres");
                }
                transforms.push_back(c);
            } else {
                fail("'" + directive + "' has no meaning in a transformation block");
            }
            previous = directive;
            continue;
        }
        if (directive == "transform") {
            need(1);
            settings.transform = words[0];
            if (settings.transform != "helmert" && settings.transform != "plane4") {
                fail("unknown transformation '" + settings.transform + "'");
            }
            for (std::size_t i = 1; i < words.size(); ++i) {
                if (words[i] == "exact") {
                    settings.exactRotation = true;
                } else {
                    settings.convention = words[i];
                }
            }
        } else if (directive == "source") {
            if (previous == "source") {
                settings.source += " " + rest;
            } else {
                settings = Settings{};
                settings.source = rest;
                tolerance = 0.0;
                accepted = false;
            }
        } else if (directive == "ellipsoid") {
            need(1);
            if (words.size() == 1) {
                settings.ellipsoidKey = words[0];
            } else {
                settings.ellipsoidKey.clear();
                settings.a = num(0);
                settings.alfa = num(1);
            }
        } else if (directive == "method") {
            need(1);
            settings.method = words[0];
        } else if (directive == "angles") {
            need(1);
            settings.packed = words[0] == "packed";
        } else if (directive == "central_meridian") {
            need(1);
            settings.centralMeridian = num(0);
        } else if (directive == "zone") {
            need(1);
            settings.zone = static_cast<int>(num(0));
        } else if (directive == "zone_rule") {
            need(1);
            if (words[0] != "form" && words[0] != "standard") {
                fail("unknown zone rule '" + words[0] + "'");
            }
            settings.zoneRule = words[0];
        } else if (directive == "crs") {
            need(1);
            if (words[0].rfind("EPSG:", 0) != 0) {
                fail("a crs is written EPSG:N");
            }
            settings.crs = static_cast<int>(Number(words[0].substr(5), line));
        } else if (directive == "k0") {
            need(1);
            settings.k0 = num(0);
        } else if (directive == "false_easting") {
            need(1);
            settings.falseEasting = num(0);
        } else if (directive == "false_northing") {
            need(1);
            settings.falseNorthing = num(0);
        } else if (directive == "operation") {
            need(1);
            settings.operation = words[0];
            settings.width = words[0] == "3to6" ? 3 : words[0] == "6to3" ? 6 : 0;
            if (settings.width == 0) {
                need(2);
                settings.width = static_cast<int>(num(1));
            }
            accepted = false;
        } else if (directive == "tolerance") {
            need(2);
            const std::string& unit = words[1];
            const double scale = unit == "m"     ? 1.0
                                 : unit == "mm"  ? 1e-3
                                 : unit == "um"  ? 1e-6
                                 : unit == "deg" ? 1.0
                                 : unit == "sec" ? 1.0 / 3600.0
                                                 : 0.0;
            if (scale == 0.0) {
                fail("unknown unit '" + unit + "'");
            }
            tolerance = num(0) * scale;
            toleranceInDegrees = unit == "deg" || unit == "sec";
        } else if (directive == "accept") {
            need(2);
            accepted = true;
            input[0] = num(0);
            input[1] = num(1);
        } else if (directive == "expect" || directive == "roundtrip") {
            Case c;
            c.line = line;
            c.settings = settings;
            if (settings.operation.empty()) {
                fail(directive + " before any operation");
            }
            if (directive == "expect" && !words.empty() && words[0] == "failure") {
                c.kind = Case::Kind::Failure;
                c.why = rest.substr(7);
            } else {
                if (!accepted) {
                    fail(directive + " without accept");
                }
                c.in[0] = input[0];
                c.in[1] = input[1];
                need(2);
                if (directive == "roundtrip") {
                    c.kind = Case::Kind::RoundTrip;
                    const std::string& unit = words[1];
                    c.toleranceInDegrees = unit == "deg" || unit == "sec";
                    c.tolerance = num(0) * (unit == "sec"  ? 1.0 / 3600.0
                                            : unit == "mm" ? 1e-3
                                            : unit == "um" ? 1e-6
                                                           : 1.0);
                } else {
                    c.out[0] = num(0);
                    c.out[1] = num(1);
                    if (words.size() >= 4 && words[2] == "zone") {
                        c.zone = static_cast<int>(num(3));
                    }
                    c.tolerance = tolerance;
                    c.toleranceInDegrees = toleranceInDegrees;
                    if (tolerance == 0.0 || toleranceInDegrees != settings.AnglesOut()) {
                        fail("no tolerance in the unit of this operation's result");
                    }
                }
            }
            cases.push_back(c);
        } else {
            fail("unknown directive '" + directive + "'");
        }
        previous = directive;
    }
}

// The projection cases.
inline std::vector<Case> Read(const std::filesystem::path& path = DefaultPath()) {
    std::vector<Case> cases;
    std::vector<TransformCase> transforms;
    ReadAll(path, cases, transforms);
    return cases;
}

// The transformation cases.
inline std::vector<TransformCase>
ReadTransforms(const std::filesystem::path& path = DefaultPath()) {
    std::vector<Case> cases;
    std::vector<TransformCase> transforms;
    ReadAll(path, cases, transforms);
    return transforms;
}

} // namespace cases
