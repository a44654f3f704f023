// One record of gkconv input: an optional point name, two coordinates and any further fields,
// converted by the engine into the output line.
#pragma once

#include <string>
#include <string_view>

#include "gauss_projection.h"
#include "settings.h"
#include "text_number.h"

class RecordConverter {
public:
    explicit RecordConverter(const Settings& settings);

    enum class Result { Converted, PassedThrough, Failed };

    // Converts one line (without its line ending). Appends the output line, ending in '\n', to
    // out; on failure appends nothing there and says what is wrong in error.
    Result Convert(std::string_view line, std::string& out, std::string& error);

private:
    ParseStatus ReadCoordinate(std::string_view field, bool isAngle, const char* what,
                               double& value, std::string& error) const;
    bool CheckZonePrefix(std::string_view field, double Y, int width, std::string& error) const;

    Settings m_settings;
    CGaussProjection m_proj;
    int m_metreDecimals;
    int m_angleDecimals;
};
