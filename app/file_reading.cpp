// How the windows read a file of points.
#include "app/file_reading.h"

AngleFormat AngleFormatOf(BatchAngles angles) {
    switch (angles) {
    case BatchAngles::Packed:
        return AngleFormat::Packed;
    case BatchAngles::Degrees:
        return AngleFormat::Degrees;
    case BatchAngles::Dms:
        break;
    }
    return AngleFormat::Dms;
}

Result<void> SetFileReading(Settings& s, BatchAngles angles, bool header,
                            const std::string& columns) {
    s.angles = AngleFormatOf(angles);
    s.header = header;
    if (columns.empty()) {
        return {};
    }
    const Result<ColumnLayout> layout = ParseColumns(columns, s.operation);
    if (!layout) {
        return layout.problem();
    }
    s.columns = *layout;
    return {};
}
