// Line splitting on LF, CR LF and CR, across chunk boundaries, with a bound on line length.
#include "conversion/line_reader.h"

#include <cstring>

namespace {

std::size_t Find(std::string_view text, std::size_t from, char c) {
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                 : text.size();
}

} // namespace

void LineReader::Begin() {
    m_pending.clear();
    m_pendingCr = false;
    m_tooLong = false;
    m_number = 0;
}

void LineReader::Feed(std::string_view chunk) {
    if (m_pendingCr && !chunk.empty()) {
        m_pendingCr = false;
        const bool lf = chunk.front() == '\n';
        Finish({}, lf ? "\r\n" : "\r");
        chunk.remove_prefix(lf ? 1 : 0);
    }
    // The next LF and the next CR are each searched for once and kept until passed, so a file
    // that uses only one of them is still read in one pass.
    std::size_t pos = 0;
    std::size_t lf = Find(chunk, 0, '\n');
    std::size_t cr = Find(chunk, 0, '\r');
    while (pos < chunk.size()) {
        if (lf < pos) {
            lf = Find(chunk, pos, '\n');
        }
        if (cr < pos) {
            cr = Find(chunk, pos, '\r');
        }
        const std::size_t end = lf < cr ? lf : cr;
        if (end == chunk.size()) {
            Hold(chunk.substr(pos));
            return;
        }
        const std::string_view line = chunk.substr(pos, end - pos);
        if (end == lf) {
            Finish(line, "\n");
            pos = end + 1;
        } else if (end + 1 == chunk.size()) {
            // The LF of a CR LF may come with the next chunk.
            Hold(line);
            m_pendingCr = true;
            return;
        } else if (chunk[end + 1] == '\n') {
            Finish(line, "\r\n");
            pos = end + 2;
        } else {
            Finish(line, "\r");
            pos = end + 1;
        }
    }
}

void LineReader::End() {
    if (m_pendingCr) {
        m_pendingCr = false;
        Finish({}, "\r");
    } else if (!m_pending.empty() || m_tooLong) {
        Finish({}, {});
    }
}

void LineReader::Hold(std::string_view part) {
    if (m_tooLong) {
        return;
    }
    if (m_pending.size() + part.size() > kMaxLineBytes) {
        m_tooLong = true;
        m_pending.clear();
        m_handler.TooLong(m_number + 1);
        return;
    }
    m_pending.append(part);
}

void LineReader::Finish(std::string_view line, std::string_view ending) {
    if (!m_pending.empty() || m_tooLong || line.size() > kMaxLineBytes) {
        Hold(line);
        line = m_pending;
    }
    ++m_number;
    if (m_tooLong) {
        m_tooLong = false; // reported when it passed the limit
    } else {
        if (m_number == 1 && line.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            line.remove_prefix(kByteOrderMark.size());
            m_handler.ByteOrderMark();
        }
        m_handler.Line(m_number, line, ending);
    }
    m_pending.clear();
}
