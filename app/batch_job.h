// What the batch window asks of the conversion behind it: a job that converts one input file
// into one output file and reports as it goes, and a preview of a file's first records split
// into fields. The window only runs these; the library that reads, converts and writes files
// supplies them (BatchBackend), so the window and the command-line converter share every rule.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Datum: B L [H] -> B L [H] by a parameter file's datum change; Plane: X Y -> X Y by one's
// plane transformation.
enum class BatchOperation { Forward, Inverse, Adjacent, ThreeToSix, SixToThree, Datum, Plane };
enum class BatchAngles { Packed, Degrees, Dms };
enum class BatchMethod { Series, Krueger };
enum class BatchZoneRule { Form, Standard }; // the form's whole-degree rule, or the standard one

// The window's settings for one run.
struct BatchRequest {
    std::string input;
    std::string output;
    std::string columns; // the column list as typed; empty for the default rule
    BatchOperation operation = BatchOperation::Forward;
    int zoneWidth = 3;
    std::string ellipsoid = "wgs84"; // a preset's key; empty for the user's own a and alfa
    double a = 6378137.0;
    double alfa = 298.2572235635; // inverse flattening
    BatchAngles angles = BatchAngles::Packed;
    BatchMethod method = BatchMethod::Series;
    std::string centralMeridian; // as typed; empty for each zone's own
    bool noPrefix = false;       // eastings carry no zone number
    BatchZoneRule zoneRule = BatchZoneRule::Form;
    bool header = false; // the first line passes through unchanged
    // Parameter files (empty: none): the datum change, which forward applies before it
    // projects on the file's target ellipsoid and inverse after; the plane transformation,
    // which forward applies after projecting and inverse before.
    std::string datumParams;
    std::string planeParams;
    // 3° <-> 6°: the EPSG code (as typed) of the target system, whose one zone every point goes
    // into; empty for the zone the rule picks for each point.
    std::string targetCrs;
};

// One record that could not be converted, worded as the command-line converter words it.
struct BatchFailure {
    std::string file;
    std::uint64_t line = 0;
    std::string field;
    std::string message;
};

struct BatchOutcome {
    enum class Status {
        Done,    // every record read; the output written (failed records are reported)
        Stopped, // stopped on request; the output not written
        Failed,  // a file could not be read or written; the output not written
    };
    Status status = Status::Done;
    std::uint64_t converted = 0;
    std::uint64_t failed = 0;
    std::string message; // why, when the run failed
    // Done, but no record was converted and the existing output was left as it was.
    bool outputKept = false;
};

// What a running job reports through, from its own thread.
struct BatchJobHooks {
    std::function<void(std::uint64_t bytesRead, std::uint64_t totalBytes)> progress;
    std::function<void(BatchFailure failure)> failed;
    const std::atomic<bool>* stop = nullptr; // checked between records
};

using BatchJob = std::function<BatchOutcome(const BatchJobHooks& hooks)>;

// A file's first records split as the conversion will split them: a heading per field, naming
// its role (点名, B, L, H, X, Y, 其他), and the fields of each record.
struct BatchPreview {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    std::string message; // why there is no preview (unreadable file, bad column list)
    // What the run would note about the records shown (a point number read as a coordinate).
    std::string hint;
};

// What an EPSG code sets in the window's fields, or why the text names no code the window knows.
struct BatchCrs {
    bool found = false;
    int zoneWidth = 3;
    std::string ellipsoid;       // a preset's key
    std::string centralMeridian; // as the meridian field shows it
    bool noPrefix = false;
    std::string message; // in the window's words: why not found, or that the code is deprecated
};

struct BatchBackend {
    // Why the settings of a request describe no conversion, in words for the window's user;
    // empty when they are sound.
    std::function<std::string(const BatchRequest& request)> problem;
    std::function<BatchJob(const BatchRequest& request)> makeJob;
    std::function<BatchPreview(const BatchRequest& request)> preview;
    // The EPSG codes of the request's projection, in one line of the window's words; empty
    // while the settings describe no conversion.
    std::function<std::string(const BatchRequest& request)> crsText;
    // What the EPSG code typed (EPSG:4547 or 4547) sets.
    std::function<BatchCrs(const std::string& text)> crs;
};
