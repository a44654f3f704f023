// Splits input bytes, fed in chunks of any size, into lines as surveyors' files end them: LF,
// CR LF or CR alone, each reported with the line so that it can be written back as it came.
// A UTF-8 byte order mark at the start of an input is not part of its first line, and a line
// longer than kMaxLineBytes is reported as too long and skipped without being held whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t kMaxLineBytes = 1 << 20;
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class LineHandler {
public:
    virtual ~LineHandler() = default;
    virtual void ByteOrderMark() = 0; // before the first line of an input that starts with one
    // One line without its ending; ending is "\n", "\r\n", "\r", or empty for a last line.
    virtual void Line(std::int64_t number, std::string_view line, std::string_view ending) = 0;
    virtual void TooLong(std::int64_t number) = 0; // as soon as the line passes the limit
};

class LineReader {
public:
    explicit LineReader(LineHandler& handler) : m_handler(handler) {}

    void Begin(); // a new input: line numbers from 1, a byte order mark allowed again
    void Feed(std::string_view chunk);
    void End(); // a last line without an ending

private:
    void Hold(std::string_view part);
    void Finish(std::string_view line, std::string_view ending);

    LineHandler& m_handler;
    std::string m_pending;    // the unfinished last line of a chunk
    bool m_pendingCr = false; // m_pending ended in a CR that was the last byte of its chunk
    bool m_tooLong = false;   // the current line passed the limit and is being skipped
    std::int64_t m_number = 0;
};
