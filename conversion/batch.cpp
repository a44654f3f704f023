// Buffering, the header rule and error reporting for a batch of converter input.
#include "conversion/batch.h"

#include <utility>

namespace {

constexpr std::size_t kOutputBlock = 1 << 20;

} // namespace

Batch::Batch(const Settings& settings, Output output, Errors errors)
    : m_settings(settings), m_converter(settings), m_reader(*this), m_output(std::move(output)),
      m_errors(std::move(errors)) {
    m_out.reserve(kOutputBlock + 4096);
}

void Batch::BeginInput(std::string_view name) {
    m_error.file = name;
    m_lastEnding = {};
    m_state.delimiter = 0;
    m_reader.Begin();
}

void Batch::Flush() {
    if (!m_out.empty()) {
        m_output(m_out);
        m_out.clear();
        m_wroteAny = true;
    }
}

void Batch::ByteOrderMark() {
    // The mark belongs at the start of the output and nowhere else.
    if (!m_wroteAny && m_out.empty()) {
        m_out.append(kByteOrderMark);
    }
}

void Batch::Line(std::int64_t number, std::string_view line, std::string_view ending) {
    if (ending.empty()) {
        ending = m_lastEnding.empty() ? "\n" : m_lastEnding;
    }
    m_lastEnding = ending;
    if (number == 1 && m_settings.header) {
        ++m_passed;
        Append(line);
        Append(ending);
        return;
    }
    const bool numbered = m_state.numberedFirstField;
    const std::size_t before = m_out.size();
    const RecordConverter::Outcome outcome =
        m_converter.Convert(line, m_out, m_problem, m_fields, m_state);
    if (!numbered && m_state.numberedFirstField) {
        m_numbered.file = m_error.file;
        m_numbered.problem = m_converter.NumberedFirstFieldNote(m_state, number);
    }
    if (m_out.size() > before) {
        m_endsInCr = false; // a line's own text stands between two line ends
    }
    switch (outcome) {
    case RecordConverter::Outcome::Converted:
        ++m_records;
        Append(ending);
        break;
    case RecordConverter::Outcome::PassedThrough:
        ++m_passed;
        Append(ending);
        break;
    case RecordConverter::Outcome::Failed:
        Report(number, std::move(m_problem));
        break;
    }
    if (m_out.size() >= kOutputBlock) {
        Flush();
    }
}

// A line ended by CR alone followed by an empty line ended by LF would read as one CR LF once a
// failed record between them is left out: the empty line is then ended by CR LF, and both
// lines stay lines.
void Batch::Append(std::string_view text) {
    if (text.empty()) {
        return;
    }
    if (m_endsInCr && text.front() == '\n') {
        m_out += '\r';
    }
    m_out.append(text);
    m_endsInCr = text.back() == '\r';
}

std::vector<RecordError> Batch::Notes() const {
    std::vector<RecordError> notes;
    if (m_numbered.problem) {
        notes.push_back(m_numbered);
    }
    if (m_state.seriesFar > 0) {
        notes.push_back({{},
                         Problem{.code = ProblemCode::SeriesBeyondFourDegrees,
                                 .value = m_state.farthest,
                                 .bound = kSeriesNoteFrom,
                                 .count = m_state.seriesFar}});
    }
    return notes;
}

void Batch::TooLong(std::int64_t number) {
    Report(number,
           Problem{.code = ProblemCode::LineTooLong, .bound = static_cast<double>(kMaxLineBytes)});
}

void Batch::Report(std::int64_t number, Problem problem) {
    ++m_records;
    ++m_failed;
    m_error.problem = std::move(problem);
    m_error.problem.line = number;
    m_errors(m_error);
}
