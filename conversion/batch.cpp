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
        m_out.append(line);
        m_out.append(ending);
        return;
    }
    switch (m_converter.Convert(line, m_out, m_problem, m_fields)) {
    case RecordConverter::Outcome::Converted:
        ++m_records;
        m_out.append(ending);
        break;
    case RecordConverter::Outcome::PassedThrough:
        ++m_passed;
        m_out.append(ending);
        break;
    case RecordConverter::Outcome::Failed:
        Report(number, std::move(m_problem));
        break;
    }
    if (m_out.size() >= kOutputBlock) {
        Flush();
    }
}

void Batch::TooLong(std::int64_t number) {
    Report(number, Problem{.code = ProblemCode::LineTooLong,
                           .bound = static_cast<double>(kMaxLineBytes)});
}

void Batch::Report(std::int64_t number, Problem problem) {
    ++m_records;
    ++m_failed;
    m_error.problem = std::move(problem);
    m_error.problem.line = number;
    m_errors(m_error);
}
