// Opening, reading and safely writing the files of a conversion run.
#include "conversion/file_conversion.h"

#include "conversion/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadBlock = 1 << 20;
constexpr std::size_t kPreviewBytes = 4 * kReadBlock;

Problem CannotRead(const std::string& name, int error) {
    return Problem{.code = ProblemCode::CannotRead, .text = name, .error = error};
}

// name is empty for standard output.
Problem CannotWrite(const std::string& name, int error) {
    return Problem{.code = ProblemCode::CannotWrite, .text = name, .error = error};
}

// One input, open for reading until it goes out of scope.
struct Input {
    Input() = default;
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    ~Input() {
        if (fd > STDERR_FILENO) {
            close(fd);
        }
    }

    Result<void> Open(const std::string& path) {
        const bool isStdin = path == "-";
        name = isStdin ? "<stdin>" : path;
        fd = isStdin ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || fstat(fd, &info) != 0) {
            return CannotRead(name, errno);
        }
        if (S_ISDIR(info.st_mode)) {
            return CannotRead(name, EISDIR);
        }
        size = S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : -1;
        return {};
    }

    bool IsFile(const struct stat& other) const {
        return S_ISREG(info.st_mode) && info.st_dev == other.st_dev && info.st_ino == other.st_ino;
    }

    int fd = -1;
    std::string name;
    std::int64_t size = -1;
    struct stat info {};
};

// Where the converted text goes: standard output, a device or pipe written directly, or a
// regular file replaced only by Commit.
class Output {
public:
    Output() = default;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() { Abandon(); }

    // Nothing is touched when an input is the output itself.
    Result<void> Open(const std::string& path, const std::vector<std::unique_ptr<Input>>& inputs) {
        if (path.empty()) {
            m_name.clear(); // standard output
            m_fd = STDOUT_FILENO;
            struct stat info {};
            return fstat(m_fd, &info) == 0 ? SameAsInput(info, inputs) : Result<void>();
        }
        m_name = path;
        const std::string target = AtomicFile::FollowLinks(path);
        struct stat info {};
        const bool exists = stat(target.c_str(), &info) == 0;
        if (exists) {
            if (S_ISDIR(info.st_mode)) {
                return CannotWrite(m_name, EISDIR);
            }
            if (Result<void> same = SameAsInput(info, inputs); !same) {
                return same;
            }
            if (!S_ISREG(info.st_mode)) {
                // Devices and pipes cannot be replaced; they are written as they are.
                m_fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
                return m_fd < 0 ? CannotWrite(m_name, errno) : Result<void>();
            }
            if (const int refusal = AtomicFile::Refusal(target, info); refusal != 0) {
                return CannotWrite(m_name, refusal);
            }
            m_replaces = true;
        } else if (errno != ENOENT) {
            return CannotWrite(m_name, errno);
        }
        const int error = m_file.Begin(target, exists ? &info : nullptr);
        if (error == 0) {
            m_atomic = true;
            return {};
        }
        // The file itself may be writable; it is the folder that takes no new file.
        if (error == EACCES || error == EPERM || error == EROFS) {
            const std::size_t slash = target.rfind('/');
            return Problem{.code = ProblemCode::CannotWriteInFolder,
                           .text = m_name,
                           .other = slash == std::string::npos ? "."
                                    : slash == 0               ? "/"
                                                               : target.substr(0, slash),
                           .error = error};
        }
        return CannotWrite(m_name, error);
    }

    bool Write(std::string_view text) {
        if (m_atomic) {
            return m_file.Write(text);
        }
        if (m_error == 0) {
            m_error = WriteAll(m_fd, text);
        }
        return m_error == 0;
    }

    bool Failed() const { return m_atomic ? m_file.Failed() : m_error != 0; }
    // A regular file is there, which Commit replaces.
    bool Replaces() const { return m_replaces; }

    // Finishes the output; a temporary file takes the target's place.
    Result<void> Commit() {
        if (m_atomic) {
            m_atomic = false;
            m_error = m_file.Commit();
        } else if (m_fd > STDERR_FILENO && close(m_fd) != 0 && m_error == 0) {
            m_error = errno;
        }
        m_fd = -1;
        return m_error != 0 ? CannotWrite(m_name, m_error) : Result<void>();
    }

    // Leaves the target as it was: the temporary file goes.
    void Abandon() {
        m_file.Abandon();
        m_atomic = false;
        if (m_fd > STDERR_FILENO) {
            close(m_fd);
        }
        m_fd = -1;
    }

private:
    Result<void> SameAsInput(const struct stat& info,
                             const std::vector<std::unique_ptr<Input>>& inputs) const {
        for (const auto& input : inputs) {
            if (input->IsFile(info)) {
                return Problem{
                    .code = ProblemCode::OutputIsInput, .text = m_name, .other = input->name};
            }
        }
        return {};
    }

    bool m_replaces = false;
    std::string m_name; // empty for standard output
    AtomicFile m_file;  // a regular file, replaced at Commit
    bool m_atomic = false;
    int m_fd = -1; // standard output, a device or a pipe
    int m_error = 0;
};

bool Stopped(const RunCallbacks& callbacks) {
    return callbacks.stop && callbacks.stop->load(std::memory_order_relaxed);
}

RunResult Finish(RunResult result, const Batch& batch) {
    result.converted = batch.Records() - batch.Failed();
    result.failed = batch.Failed();
    result.passedThrough = batch.PassedThrough();
    result.notes = batch.Notes();
    if (result.status == RunStatus::Converted && batch.Failed() > 0) {
        result.status = RunStatus::RecordsFailed;
    }
    return result;
}

} // namespace

RunResult ConvertFiles(const std::vector<std::string>& inputs, const std::string& output,
                       const Settings& settings, const RunCallbacks& callbacks) {
    RunResult result;
    if (Result<void> check = CheckProjection(settings); !check) {
        result.status = RunStatus::SettingsRefused;
        result.problem = std::move(check.problem());
        return result;
    }
    const auto fail = [&](Problem problem) {
        result.status = RunStatus::FileError;
        result.problem = std::move(problem);
        return result;
    };
    // Every input opens before the output is touched.
    std::vector<std::unique_ptr<Input>> opened;
    for (const std::string& path : inputs) {
        opened.push_back(std::make_unique<Input>());
        if (Result<void> open = opened.back()->Open(path); !open) {
            return fail(std::move(open.problem()));
        }
    }
    Output out;
    if (Result<void> open = out.Open(output, opened); !open) {
        return fail(std::move(open.problem()));
    }

    Batch batch(
        settings, [&](std::string_view text) { out.Write(text); },
        [&](const RecordError& error) {
            if (callbacks.failed) {
                callbacks.failed(error);
            }
        });
    const std::unique_ptr<char[]> buffer(new char[kReadBlock]);
    for (const auto& input : opened) {
        batch.BeginInput(input->name);
        std::int64_t done = 0;
        for (;;) {
            if (Stopped(callbacks)) {
                result.status = RunStatus::Stopped;
                return Finish(result, batch);
            }
            if (out.Failed()) {
                break;
            }
            const ssize_t n = read(input->fd, buffer.get(), kReadBlock);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return Finish(fail(CannotRead(input->name, errno)), batch);
            }
            if (n == 0) {
                break;
            }
            batch.Feed(std::string_view(buffer.get(), static_cast<std::size_t>(n)));
            done += n;
            if (callbacks.progress) {
                callbacks.progress(input->name, done, input->size);
            }
        }
        batch.EndInput();
    }
    batch.Flush();
    if (callbacks.keepOutputUnlessConverted && out.Replaces() && !out.Failed() &&
        batch.Records() == batch.Failed()) {
        out.Abandon();
        result.outputKept = true;
        return Finish(result, batch);
    }
    if (Result<void> commit = out.Commit(); !commit) {
        return Finish(fail(std::move(commit.problem())), batch);
    }
    return Finish(result, batch);
}

RunResult ConvertFile(const std::string& input, const std::string& output, const Settings& settings,
                      const RunCallbacks& callbacks) {
    return ConvertFiles({input}, output, settings, callbacks);
}

namespace {

// Collects the first lines of a file, split as the converter splits them.
class PreviewCollector : public LineHandler {
public:
    PreviewCollector(const Settings& settings, int maxLines, std::vector<PreviewLine>& lines)
        : m_settings(settings), m_converter(settings), m_maxLines(maxLines), m_lines(lines) {}

    bool Full() const { return static_cast<int>(m_lines.size()) >= m_maxLines; }

private:
    void ByteOrderMark() override {}
    void Line(std::int64_t number, std::string_view line, std::string_view) override {
        if (Full()) {
            return;
        }
        PreviewLine preview;
        preview.number = number;
        preview.text = line;
        if (!(number == 1 && m_settings.header)) {
            const bool numbered = m_state.numberedFirstField;
            preview.fields = m_converter.Split(line, m_state);
            if (!numbered && m_state.numberedFirstField) {
                preview.note = m_converter.NumberedFirstFieldNote(m_state, number);
            }
        }
        m_lines.push_back(std::move(preview));
    }
    void TooLong(std::int64_t number) override {
        if (!Full()) {
            m_lines.push_back({number, {}, {}, {}});
        }
    }

    const Settings& m_settings;
    RecordConverter m_converter;
    ReadState m_state;
    int m_maxLines;
    std::vector<PreviewLine>& m_lines;
};

} // namespace

Result<std::vector<PreviewLine>> PreviewFile(const std::string& path, const Settings& settings,
                                             int maxLines) {
    if (Result<void> check = CheckProjection(settings); !check) {
        return check.problem();
    }
    // A preview is asked for while the user types a path, so it must come back at once: a pipe
    // opened without O_NONBLOCK waits for a writer, and a device may never end a line.
    Input input;
    input.name = path;
    input.fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (input.fd < 0 || fstat(input.fd, &input.info) != 0) {
        return CannotRead(path, errno);
    }
    if (!S_ISREG(input.info.st_mode)) {
        return Problem{.code = ProblemCode::PreviewNotRegular, .text = path};
    }
    std::vector<PreviewLine> lines;
    PreviewCollector collector(settings, maxLines, lines);
    LineReader reader(collector);
    reader.Begin();
    const std::unique_ptr<char[]> buffer(new char[kReadBlock]);
    // Past a few blocks the first lines are all too long to show, so the rest is not read.
    for (std::size_t taken = 0; !collector.Full() && taken < kPreviewBytes; taken += kReadBlock) {
        const ssize_t n = read(input.fd, buffer.get(), kReadBlock);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return CannotRead(input.name, errno);
        }
        if (n == 0) {
            reader.End();
            break;
        }
        reader.Feed(std::string_view(buffer.get(), static_cast<std::size_t>(n)));
    }
    return lines;
}
