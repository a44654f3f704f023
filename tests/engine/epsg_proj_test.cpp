// The EPSG table held against PROJ's database, read through projinfo and cs2cs (Debian's
// proj-bin and proj-data): every row's ellipsoid, central meridian, scale, false origin, name,
// axis order, deprecation and PROJ string; no Gauss-Krüger code of the four datums missing; and
// the same numbers as PROJ for a code of each family. Skipped, saying why, where projinfo is
// absent.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <future>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "engine/epsg_crs.h"
#include "engine/proj_string.h"

namespace {

using nlohmann::json;

// The standard output of a shell command, or nothing when it did not exit with status 0.
std::optional<std::string> RunCommand(const std::string& command) {
    const auto close = [](FILE* f) { return pclose(f); };
    std::unique_ptr<FILE, decltype(close)> pipe(popen(command.c_str(), "r"), close);
    if (!pipe) {
        return std::nullopt;
    }
    std::string out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
        out.append(buffer, n);
    }
    if (pclose(pipe.release()) != 0) {
        return std::nullopt;
    }
    return out;
}

struct Listed {
    std::string name;
    bool deprecated;
};

// What projinfo says of one code: its PROJJSON, its PROJ string (without +type=crs) and, for a
// deprecated code, the code PROJ names in its place.
struct Definition {
    json projjson;
    std::string projString;
    int alternative = 0;
};

// The line after a heading, empty when the heading is absent.
std::string LineAfter(const std::string& out, const std::string& heading) {
    const std::size_t at = out.find(heading + "\n");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + heading.size() + 1;
    return out.substr(start, out.find('\n', start) - start);
}

Definition ParseProjinfo(const std::string& out) {
    Definition d;
    const std::string alternative = LineAfter(out, "Alternative non-deprecated CRS:");
    if (const std::size_t at = alternative.find("EPSG:"); at != std::string::npos) {
        d.alternative = std::stoi(alternative.substr(at + 5));
    }
    d.projString = LineAfter(out, "PROJ.4 string:");
    if (const std::size_t at = d.projString.find(" +type=crs"); at != std::string::npos) {
        d.projString.erase(at);
    }
    if (const std::size_t at = out.find("PROJJSON:\n"); at != std::string::npos) {
        d.projjson = json::parse(out.substr(at + 10), nullptr, false);
    }
    return d;
}

// What PROJ knows: its list of projected CRSs and the definitions fetched so far.
class ProjDatabase {
public:
    static ProjDatabase& Get() {
        static ProjDatabase db;
        return db;
    }

    bool Available() const { return m_available; }
    const std::map<int, Listed>& List() const { return m_list; }

    // The definitions of these codes (an empty one for a code PROJ refuses), fetched a few at a
    // time: projinfo takes one code per run, and each run opens the database anew.
    std::map<int, Definition> Definitions(const std::set<int>& codes) {
        std::vector<int> missing;
        for (const int code : codes) {
            if (!m_definitions.contains(code)) {
                missing.push_back(code);
            }
        }
        constexpr std::size_t kWorkers = 4;
        std::vector<std::future<std::vector<std::pair<int, Definition>>>> workers;
        for (std::size_t w = 0; w < kWorkers; ++w) {
            workers.push_back(std::async(std::launch::async, [&missing, w] {
                std::vector<std::pair<int, Definition>> got;
                for (std::size_t i = w; i < missing.size(); i += kWorkers) {
                    const auto out = RunCommand(
                        "projinfo -o PROJ,PROJJSON EPSG:" + std::to_string(missing[i]) + " 2>&1");
                    got.emplace_back(missing[i], out ? ParseProjinfo(*out) : Definition());
                }
                return got;
            }));
        }
        for (auto& worker : workers) {
            for (auto& [code, definition] : worker.get()) {
                m_definitions[code] = std::move(definition);
            }
        }
        std::map<int, Definition> result;
        for (const int code : codes) {
            result[code] = m_definitions[code];
        }
        return result;
    }

private:
    ProjDatabase() {
        m_available = RunCommand("command -v projinfo >/dev/null 2>&1").has_value();
        if (!m_available) {
            return;
        }
        const auto out = RunCommand("projinfo --list-crs projected,allow_deprecated 2>/dev/null");
        if (!out) {
            m_available = false;
            return;
        }
        // Lines of the form: EPSG:2327 "Xian 1980 / Gauss-Kruger zone 13" [deprecated]
        std::istringstream lines(*out);
        std::string text;
        while (std::getline(lines, text)) {
            const std::size_t open = text.find(" \"");
            const std::size_t close = text.rfind('"');
            if (text.rfind("EPSG:", 0) != 0 || open == std::string::npos || close <= open + 1) {
                continue;
            }
            m_list[std::stoi(text.substr(5, open - 5))] = {
                text.substr(open + 2, close - open - 2),
                text.compare(close + 1, std::string::npos, " [deprecated]") == 0};
        }
    }

    bool m_available = false;
    std::map<int, Listed> m_list;
    std::map<int, Definition> m_definitions;
};

#define SKIP_WITHOUT_PROJINFO()                                                                    \
    if (!ProjDatabase::Get().Available()) {                                                        \
        GTEST_SKIP() << "projinfo (Debian: proj-bin and proj-data) is not installed; the EPSG "    \
                        "table is not checked against PROJ's database";                            \
    }

double Parameter(const json& definition, const std::string& name) {
    for (const json& p : definition["conversion"]["parameters"]) {
        if (p["name"] == name) {
            return p["value"].get<double>();
        }
    }
    ADD_FAILURE() << "no parameter '" << name << "'";
    return std::nan("");
}

std::set<int> TableCodes() {
    std::set<int> codes;
    for (const EpsgCrs& crs : EpsgCrsTable()) {
        codes.insert(crs.code);
    }
    return codes;
}

TEST(EpsgTableAgainstProj, EveryRowIsProjsDefinition) {
    SKIP_WITHOUT_PROJINFO();
    ProjDatabase& db = ProjDatabase::Get();
    const std::map<int, Definition> definitions = db.Definitions(TableCodes());
    for (const EpsgCrs& crs : EpsgCrsTable()) {
        SCOPED_TRACE("EPSG:" + std::to_string(crs.code));
        const json& d = definitions.at(crs.code).projjson;
        ASSERT_TRUE(d.is_object()) << "projinfo does not know the code";
        EXPECT_EQ(d["type"], "ProjectedCRS");
        EXPECT_EQ(d["name"], crs.Name());
        const json& ellipsoid = d["base_crs"]["datum"]["ellipsoid"];
        EXPECT_EQ(ellipsoid["semi_major_axis"].get<double>(), crs.Preset().a);
        EXPECT_EQ(ellipsoid["inverse_flattening"].get<double>(), crs.Preset().alfa);
        EXPECT_EQ(d["conversion"]["method"]["name"], "Transverse Mercator");
        EXPECT_EQ(Parameter(d, "Latitude of natural origin"), 0.0);
        EXPECT_EQ(Parameter(d, "Longitude of natural origin"), crs.centralMeridian);
        EXPECT_EQ(Parameter(d, "Scale factor at natural origin"), 1.0);
        EXPECT_EQ(Parameter(d, "False easting"),
                  crs.falseEasting + (crs.prefix ? crs.zone * 1000000.0 : 0.0));
        EXPECT_EQ(Parameter(d, "False northing"), 0.0);
        const json& axes = d["coordinate_system"]["axis"];
        ASSERT_EQ(axes.size(), 2u);
        EXPECT_EQ(axes[0]["direction"], "north"); // northing first
        EXPECT_EQ(axes[1]["direction"], "east");
        ASSERT_TRUE(db.List().contains(crs.code));
        EXPECT_EQ(db.List().at(crs.code).deprecated, crs.Deprecated());
        EXPECT_EQ(definitions.at(crs.code).alternative, crs.replacedBy);
        // The PROJ string gkconv describe prints is PROJ's own, to the character.
        EXPECT_EQ(ProjString(crs.Params()), definitions.at(crs.code).projString);
    }
}

// Every projected CRS PROJ lists whose name mentions one of the datums is fetched; those that
// are Transverse Mercator on one of the four datums must be in the table.
TEST(EpsgTableAgainstProj, NoGaussKruegerCodeOfTheFourDatumsIsMissing) {
    SKIP_WITHOUT_PROJINFO();
    ProjDatabase& db = ProjDatabase::Get();
    const auto mentionsDatum = [](std::string name) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (const char* word : {"cgcs", "china", "xian", "xi'an", "beijing"}) {
            if (name.find(word) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    std::set<int> candidates;
    for (const auto& [code, listed] : db.List()) {
        if (mentionsDatum(listed.name)) {
            candidates.insert(code);
        }
    }
    const std::set<std::string> datums = {"China 2000", "Xian 1980", "Beijing 1954", "New Beijing"};
    int gaussKrueger = 0;
    for (const auto& [code, definition] : db.Definitions(candidates)) {
        const json& d = definition.projjson;
        SCOPED_TRACE("EPSG:" + std::to_string(code) + " " + db.List().at(code).name);
        ASSERT_TRUE(d.is_object());
        if (!datums.contains(d["base_crs"]["datum"]["name"].get<std::string>()) ||
            d["conversion"]["method"]["name"] != "Transverse Mercator") {
            continue;
        }
        ++gaussKrueger;
        EXPECT_NE(FindEpsgCrs(code), nullptr) << "missing from the table";
    }
    EXPECT_EQ(gaussKrueger, static_cast<int>(EpsgCrsTable().size()));
}

// One code of each family of each datum, and a deprecated one: PROJ's own projection of a point
// 1°15′ east of the central meridian, from the datum's geographic CRS, written northing first.
TEST(EpsgTableAgainstProj, ProjectsAsProjDoes) {
    SKIP_WITHOUT_PROJINFO();
    std::set<int> sample;
    std::set<std::tuple<EpsgDatum, int, bool, bool>> families;
    for (const EpsgCrs& crs : EpsgCrsTable()) {
        if (families.insert({crs.datum, crs.zoneWidth, crs.prefix, crs.Deprecated()}).second) {
            sample.insert(crs.code);
        }
    }
    EXPECT_EQ(sample.size(), 17u);
    const std::map<int, Definition> definitions = ProjDatabase::Get().Definitions(sample);
    for (const int code : sample) {
        SCOPED_TRACE("EPSG:" + std::to_string(code));
        const EpsgCrs& crs = *FindEpsgCrs(code);
        const json& base = definitions.at(code).projjson["base_crs"]["id"];
        ASSERT_EQ(base["authority"], "EPSG");
        const double lat = 30.5;
        const double lon = crs.centralMeridian + 1.25;
        char input[64];
        std::snprintf(input, sizeof input, "%.10f %.10f", lat, lon);
        const auto out = RunCommand("echo '" + std::string(input) + "' | cs2cs -f %.6f EPSG:" +
                                    std::to_string(base["code"].get<int>()) +
                                    " EPSG:" + std::to_string(code) + " 2>&1");
        ASSERT_TRUE(out);
        double northing = 0.0;
        double easting = 0.0;
        ASSERT_EQ(std::sscanf(out->c_str(), "%lf %lf", &northing, &easting), 2) << *out;
        const PlanePoint ours = Projection(crs.Params(Method::Krueger)).Forward(lat, lon);
        EXPECT_NEAR(ours.x, northing, 1e-4);
        EXPECT_NEAR(ours.y, easting, 1e-4);
    }
}

} // namespace
