// A batch of converter input: lines fed in chunks of any size, converted records collected into
// large output writes, bad records handed on as RecordError values.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/line_reader.h"
#include "conversion/record_converter.h"
#include "conversion/settings.h"
#include "engine/problem.h"

// A record that could not be converted: the input it is in and what is wrong with it (the
// problem's line and field say where).
struct RecordError {
    std::string file;
    Problem problem;
};

class Batch : private LineHandler {
public:
    using Output = std::function<void(std::string_view)>;
    using Errors = std::function<void(const RecordError&)>;

    // output receives converted text in large pieces; errors one call per bad record.
    Batch(const Settings& settings, Output output, Errors errors);

    // Starts an input: line numbers, the header rule and the byte order mark begin afresh.
    void BeginInput(std::string_view name);
    // Any split of the input, also mid-line or between the CR and LF of a line end.
    void Feed(std::string_view chunk) { m_reader.Feed(chunk); }
    // Ends the input: a last line without a line ending is converted too.
    void EndInput() { m_reader.End(); }
    // Hands buffered output to the sink.
    void Flush();

    std::int64_t Records() const { return m_records; }
    std::int64_t Failed() const { return m_failed; }
    std::int64_t PassedThrough() const { return m_passed; }
    // What the run should say beyond its failed records (FirstFieldReadAsCoordinate,
    // SeriesBeyondFourDegrees), in that order; a note with a line names it.
    std::vector<RecordError> Notes() const;

private:
    void ByteOrderMark() override;
    void Line(std::int64_t number, std::string_view line, std::string_view ending) override;
    void TooLong(std::int64_t number) override;
    void Report(std::int64_t number, Problem problem);
    void Append(std::string_view text);

    Settings m_settings;
    RecordConverter m_converter;
    LineReader m_reader;
    Output m_output;
    Errors m_errors;
    RecordError m_error;
    bool m_wroteAny = false;       // output has begun: a byte order mark goes only at its start
    std::string_view m_lastEnding; // this input's previous line ending, for a last line without
    std::string m_out;
    Problem m_problem;
    std::vector<FieldSpan> m_fields; // the current line's, kept to spare an allocation a line
    ReadState m_state;
    RecordError m_numbered;  // where the first record with a numbered first field was
    bool m_endsInCr = false; // the output so far ends in a line ended by CR alone
    std::int64_t m_records = 0;
    std::int64_t m_failed = 0;
    std::int64_t m_passed = 0;
};
