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

enum class BatchOperation { Forward, Inverse, Adjacent, ThreeToSix, SixToThree };
enum class BatchAngles { Packed, Degrees, Dms };
enum class BatchMethod { Series, Krueger };

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
    bool header = false;         // the first line passes through unchanged
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
// its role (点名, B, L, X, Y, 其他), and the fields of each record.
struct BatchPreview {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    std::string message; // why there is no preview (unreadable file, bad column list)
    // What the run would note about the records shown (a point number read as a coordinate).
    std::string hint;
};

struct BatchBackend {
    // Why the settings of a request describe no conversion, in words for the window's user;
    // empty when they are sound.
    std::function<std::string(const BatchRequest& request)> problem;
    std::function<BatchJob(const BatchRequest& request)> makeJob;
    std::function<BatchPreview(const BatchRequest& request)> preview;
};
