// Line splitting, buffering and error reporting for a gkconv batch.
#include "batch.h"

#include <cerrno>
#include <memory>
#include <unistd.h>

namespace {

constexpr std::size_t kOutputBlock = 1 << 20;
constexpr std::size_t kReadBlock = 1 << 20;

} // namespace

Batch::Batch(const Settings& settings, Sink output, Sink errors)
    : m_settings(settings), m_converter(settings), m_output(std::move(output)),
      m_errors(std::move(errors)) {
    m_out.reserve(kOutputBlock + 4096);
}

void Batch::BeginInput(std::string_view name) {
    m_name = name;
    m_pending.clear();
    m_line = 0;
}

void Batch::Feed(std::string_view chunk) {
    if (!m_pending.empty()) {
        const std::size_t end = chunk.find('\n');
        if (end == std::string_view::npos) {
            m_pending.append(chunk);
            return;
        }
        m_pending.append(chunk.substr(0, end));
        Line(m_pending);
        m_pending.clear();
        chunk.remove_prefix(end + 1);
    }
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\n');
        if (end == std::string_view::npos) {
            m_pending.assign(chunk);
            return;
        }
        Line(chunk.substr(0, end));
        chunk.remove_prefix(end + 1);
    }
}

void Batch::EndInput() {
    if (!m_pending.empty()) {
        Line(m_pending);
        m_pending.clear();
    }
}

void Batch::Flush() {
    if (!m_out.empty()) {
        m_output(m_out);
        m_out.clear();
    }
}

void Batch::Line(std::string_view line) {
    ++m_line;
    if (m_line == 1 && m_settings.header) {
        m_out.append(line);
        m_out += '\n';
        return;
    }
    const RecordConverter::Result result = m_converter.Convert(line, m_out, m_error);
    if (result != RecordConverter::Result::PassedThrough) {
        ++m_records;
    }
    if (result == RecordConverter::Result::Failed) {
        ++m_failed;
        std::string message = m_name;
        message += ':';
        message += std::to_string(m_line);
        message += ": ";
        message += m_error;
        message += '\n';
        m_errors(message);
    }
    if (m_out.size() >= kOutputBlock) {
        Flush();
    }
}

bool FeedFromDescriptor(Batch& batch, int fd, const std::function<void(std::int64_t)>& progress) {
    const std::unique_ptr<char[]> buffer(new char[kReadBlock]);
    std::int64_t total = 0;
    for (;;) {
        const ssize_t n = read(fd, buffer.get(), kReadBlock);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return true;
        }
        batch.Feed(std::string_view(buffer.get(), static_cast<std::size_t>(n)));
        total += n;
        if (progress) {
            progress(total);
        }
    }
}
