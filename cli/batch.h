// A batch of gkconv input: lines fed in chunks of any size, converted records collected into
// large output writes, bad records reported as "FILE:LINE: what is wrong".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "record_converter.h"
#include "settings.h"

class Batch {
public:
    using Sink = std::function<void(std::string_view)>;

    // output receives converted text in large pieces; errors receives one message per call,
    // each ending in '\n'.
    Batch(const Settings& settings, Sink output, Sink errors);

    void BeginInput(std::string_view name); // resets the line count and the header rule
    void Feed(std::string_view chunk);      // any split of the input, also mid-line
    void EndInput();                        // a last line without a line ending
    void Flush();                           // hands buffered output to the sink

    std::int64_t Records() const { return m_records; }
    std::int64_t Failed() const { return m_failed; }

private:
    void Line(std::string_view line);

    Settings m_settings;
    RecordConverter m_converter;
    Sink m_output;
    Sink m_errors;
    std::string m_name;
    std::string m_pending; // the unfinished last line of a chunk
    std::string m_out;
    std::string m_error;
    std::int64_t m_line = 0;
    std::int64_t m_records = 0;
    std::int64_t m_failed = 0;
};

// Reads a whole file descriptor through batch. progress, if given, is called after each block
// with the bytes read so far. Returns false with errno set when reading fails.
bool FeedFromDescriptor(Batch& batch, int fd,
                        const std::function<void(std::int64_t)>& progress = {});
