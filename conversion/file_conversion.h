// Whole files through the converter: the entry points that gkconv and a window share. A run
// reads its inputs in turn and writes one output; a named output is written to a temporary file
// in its folder and renamed over it only when the run has read and written everything, so an
// existing file is left exactly as it was by any read or write error or a stop.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "conversion/batch.h"
#include "conversion/record_converter.h"
#include "conversion/settings.h"
#include "engine/problem.h"

enum class RunStatus {
    Converted,       // every record converted
    RecordsFailed,   // the output is written; some records failed and are left out of it
    FileError,       // a file could not be read or written: the problem says which and why
    Stopped,         // the stop flag was raised; a named output was not written
    SettingsRefused, // the settings describe no projection (CheckProjection); nothing touched
};

struct RunResult {
    RunStatus status = RunStatus::Converted;
    std::int64_t converted = 0;
    std::int64_t failed = 0;
    std::int64_t passedThrough = 0; // blank, comment and header lines
    Problem problem;                // of a file error or refused settings
    std::vector<RecordError> notes; // what a finished run says beyond its failures (Batch::Notes)
    // The named output existed and was left as it was, since no record was converted
    // (RunCallbacks::keepOutputUnlessConverted).
    bool outputKept = false;
};

struct RunCallbacks {
    // After each block read: the input, its bytes read so far and its size (-1 when unknown,
    // as for standard input).
    std::function<void(const std::string& input, std::int64_t done, std::int64_t total)> progress;
    std::function<void(const RecordError&)> failed; // each bad record, in input order
    const std::atomic<bool>* stop = nullptr;        // looked at before each block is read
    // A run that converts no record leaves an existing output file as it was, rather than
    // replacing a file of good results with one of none.
    bool keepOutputUnlessConverted = false;
};

// Converts inputs ("-" for standard input) in order into output: a path, or empty for standard
// output. Safe to call from a worker thread; callbacks run on the calling thread.
RunResult ConvertFiles(const std::vector<std::string>& inputs, const std::string& output,
                       const Settings& settings, const RunCallbacks& callbacks);

// One input file into one output file, as gkconv -o writes it.
RunResult ConvertFile(const std::string& input, const std::string& output, const Settings& settings,
                      const RunCallbacks& callbacks);

// A line of a file as the converter splits it: no fields for a line that passes through
// unchanged (blank, comment, header) or is too long to convert.
struct PreviewLine {
    std::int64_t number = 0;
    std::string text; // without its line ending and byte order mark
    std::vector<SplitField> fields;
    // On the first line whose first field, a whole number, is read as a coordinate although
    // the record holds more numbers: the note a run would give (FirstFieldReadAsCoordinate).
    Problem note;
};

// The first maxLines lines of path, split into fields with their roles exactly as the
// converter will split them; a problem when the file cannot be read or the settings describe
// no projection.
Result<std::vector<PreviewLine>> PreviewFile(const std::string& path, const Settings& settings,
                                             int maxLines);
