// Opening, reading and safely writing the files of a conversion run.
#include "conversion/file_conversion.h"

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
        m_target = FollowLinks(path);
        struct stat info {};
        mode_t mode = 0;
        if (stat(m_target.c_str(), &info) == 0) {
            if (S_ISDIR(info.st_mode)) {
                return CannotWrite(m_name, EISDIR);
            }
            if (Result<void> same = SameAsInput(info, inputs); !same) {
                return same;
            }
            if (!S_ISREG(info.st_mode)) {
                // Devices and pipes cannot be replaced; they are written as they are.
                m_fd = open(m_target.c_str(), O_WRONLY | O_CLOEXEC);
                return m_fd < 0 ? CannotWrite(m_name, errno) : Result<void>();
            }
            // A file its owner made read-only stays as it is, whoever runs the program.
            if (access(m_target.c_str(), W_OK) != 0 ||
                (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
                return CannotWrite(m_name, EACCES);
            }
            mode = info.st_mode & 07777;
            m_replaces = true;
        } else if (errno != ENOENT) {
            return CannotWrite(m_name, errno);
        }
        return CreateTemporary(mode);
    }

    bool Write(std::string_view text) {
        while (!text.empty() && m_error == 0) {
            const ssize_t n = write(m_fd, text.data(), text.size());
            if (n < 0) {
                if (errno != EINTR) {
                    m_error = errno;
                }
                continue;
            }
            text.remove_prefix(static_cast<std::size_t>(n));
        }
        return m_error == 0;
    }

    bool Failed() const { return m_error != 0; }
    // A regular file is there, which Commit replaces.
    bool Replaces() const { return m_replaces; }

    // A link is followed, so the file it points to is replaced and the link stays; a link to a
    // file that does not exist yet makes that file. A loop of links is left to open() to refuse.
    static std::string FollowLinks(std::string path) {
        for (int hop = 0; hop < 40; ++hop) {
            struct stat link {};
            if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
                break;
            }
            std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
            const ssize_t n = readlink(path.c_str(), target.data(), target.size());
            if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
                break;
            }
            target.resize(static_cast<std::size_t>(n));
            const std::size_t slash = path.rfind('/');
            if (target.front() != '/' && slash != std::string::npos) {
                target = path.substr(0, slash + 1) + target;
            }
            path = std::move(target);
        }
        return path;
    }

    // Finishes the output; a temporary file takes the target's place.
    Result<void> Commit() {
        if (m_error == 0 && !m_temporary.empty() && fsync(m_fd) != 0) {
            m_error = errno;
        }
        if (m_fd > STDERR_FILENO && close(m_fd) != 0 && m_error == 0) {
            m_error = errno;
        }
        m_fd = -1;
        if (m_error == 0 && !m_temporary.empty()) {
            if (rename(m_temporary.c_str(), m_target.c_str()) != 0) {
                m_error = errno;
            } else {
                m_temporary.clear();
                SyncFolder();
            }
        }
        if (m_error != 0) {
            Abandon();
            return CannotWrite(m_name, m_error);
        }
        return {};
    }

    // Leaves the target as it was: the temporary file goes.
    void Abandon() {
        if (m_fd > STDERR_FILENO) {
            close(m_fd);
        }
        m_fd = -1;
        if (!m_temporary.empty()) {
            unlink(m_temporary.c_str());
            m_temporary.clear();
        }
    }

private:
    std::string Folder() const {
        const std::size_t slash = m_target.rfind('/');
        return slash == std::string::npos ? "." : m_target.substr(0, slash + 1);
    }

    // The rename is an entry of the folder: it is synced too, so that a finished output
    // survives a power cut. A file system that cannot sync a folder (EINVAL) has nothing to do.
    void SyncFolder() {
        const int folder = open(Folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) {
            return;
        }
        if (fsync(folder) != 0 && errno != EINVAL) {
            m_error = errno;
        }
        close(folder);
    }

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

    Result<void> CreateTemporary(mode_t mode) {
        const std::size_t slash = m_target.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : m_target.substr(0, slash + 1);
        const std::string base = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_temporary = folder + "." + base + ".gkconv-" + std::to_string(getpid()) + "-" +
                          std::to_string(attempt);
            // Created as a new file would be (the umask applies), or with the mode of the
            // file it replaces.
            m_fd = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                if (mode != 0 && fchmod(m_fd, mode) != 0) {
                    m_error = errno;
                }
                return {};
            }
            if (errno != EEXIST) {
                const int error = errno;
                m_temporary.clear();
                // The file itself may be writable; it is the folder that takes no new file.
                if (error == EACCES || error == EPERM || error == EROFS) {
                    return Problem{.code = ProblemCode::CannotWriteInFolder,
                                   .text = m_name,
                                   .other = folder.size() > 1 ? folder.substr(0, folder.size() - 1)
                                            : folder.empty()  ? "."
                                                              : folder,
                                   .error = error};
                }
                return CannotWrite(m_name, error);
            }
        }
        m_temporary.clear();
        return CannotWrite(m_name, EEXIST);
    }

    bool m_replaces = false;
    std::string m_name; // empty for standard output
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
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
