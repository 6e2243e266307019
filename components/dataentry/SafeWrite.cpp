#include "SafeWrite.h"

#include <atomic>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReadOnly = "The file is read-only.";

TSafeWriteFaults& faults()
{
    static TSafeWriteFaults simulated;
    return simulated;
}

bool present(const fs::path& p)
{
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0;
}

fs::path uniqueBeside(const fs::path& target, const char* tag)
{
    static std::atomic<unsigned> counter{0};
    while (true) {
        fs::path candidate = target;
        candidate += std::string(".~") + tag + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        if (!present(candidate))
            return candidate;
    }
}

// The renames of one call, counted for the simulated fault; 0 or the system's error.
class TRenames {
public:
    int Rename(const fs::path& from, const fs::path& to)
    {
        if (++count_ == faults().failingRename)
            return EIO;
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

private:
    int count_ = 0;
};

int writeAll(int fd, const std::string& bytes)
{
    if (faults().deviceFull)
        return ENOSPC;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    // On the disk before the old file is given up.
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Writes the temporary; 0 or the system's error (the temporary is then gone).
int writeTemporary(const fs::path& temporary, const std::string& bytes)
{
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    return error;
}

// A replaced file keeps its permissions.
void copyMode(const fs::path& from, const fs::path& to)
{
    struct stat st {};
    if (::stat(from.c_str(), &st) == 0)
        ::chmod(to.c_str(), st.st_mode & 07777);
}

struct TSlot {
    fs::path temporary;
    fs::path target;
    fs::path backup;
    bool hadOld = false;
    bool backedUp = false;
    bool placed = false;
};

// Whether the permission bits let the effective user write the file, as the system
// decides for a user without privileges.
bool modeAllowsWrite(const struct stat& st)
{
    if (st.st_uid == ::geteuid())
        return (st.st_mode & S_IWUSR) != 0;
    if (st.st_gid == ::getegid())
        return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

// Why an existing target cannot be replaced; none when it can (or does not exist).
std::optional<TWriteFailure> refusal(const fs::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return std::nullopt;
    if (S_ISDIR(st.st_mode))
        return TWriteFailure{target, SystemErrorText(EISDIR)};
    if (!S_ISREG(st.st_mode))
        return TWriteFailure{target, SystemErrorText(EINVAL)};
    if (!MayWrite(target))
        return TWriteFailure{target, kReadOnly};
    return std::nullopt;
}

// Puts every target back as it was; false when an old file stays under its backup name.
bool restore(std::vector<TSlot>& slots, std::string& note)
{
    bool ok = true;
    for (auto s = slots.rbegin(); s != slots.rend(); ++s) {
        if (s->backedUp) {
            if (::rename(s->backup.c_str(), s->target.c_str()) != 0) {
                note += " (the earlier file is kept as " + s->backup.string() + ")";
                ok = false;
            }
        } else if (s->placed) {
            ::unlink(s->target.c_str());
        }
    }
    return ok;
}

// Replaces targets that refusal() accepted.
std::optional<TWriteFailure> replaceAccepted(const std::vector<std::pair<fs::path, fs::path>>& replacements)
{
    std::vector<TSlot> slots;
    for (const auto& [temporary, target] : replacements) {
        const fs::path file = LinkTarget(target);
        slots.push_back({temporary, file, {}, present(file)});
    }

    TRenames renames;
    std::optional<TWriteFailure> failure;
    for (TSlot& s : slots) {
        if (!s.hadOld)
            continue;
        copyMode(s.target, s.temporary);
        s.backup = uniqueBeside(s.target, "old");
        if (const int error = renames.Rename(s.target, s.backup)) {
            failure = TWriteFailure{s.target, SystemErrorText(error)};
            break;
        }
        s.backedUp = true;
    }
    for (TSlot& s : slots) {
        if (failure)
            break;
        if (const int error = renames.Rename(s.temporary, s.target)) {
            failure = TWriteFailure{s.target, SystemErrorText(error)};
            break;
        }
        s.placed = true;
    }
    if (failure) {
        restore(slots, failure->reason);
    } else {
        for (const TSlot& s : slots)
            if (s.backedUp)
                ::unlink(s.backup.c_str());
    }
    for (const TSlot& s : slots)
        if (!s.placed)
            ::unlink(s.temporary.c_str());
    return failure;
}

} // namespace

std::string SystemErrorText(int error)
{
    static const locale_t english = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return english ? ::strerror_l(error, english) : std::generic_category().message(error);
}

fs::path TemporaryPathBeside(const fs::path& target) { return uniqueBeside(LinkTarget(target), "new"); }

fs::path LinkTarget(const fs::path& path)
{
    constexpr int kMaxLinks = 40; // the system's own limit on a chain of links
    fs::path p = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            break;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

bool MayWrite(const fs::path& path)
{
    if (faults().unprivileged) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && modeAllowsWrite(st);
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::optional<TWriteFailure> ReplaceFilesTogether(const std::vector<std::pair<fs::path, fs::path>>& replacements)
{
    for (const auto& replacement : replacements)
        if (auto failure = refusal(replacement.second)) {
            for (const auto& [temporary, target] : replacements)
                ::unlink(temporary.c_str());
            return failure;
        }
    return replaceAccepted(replacements);
}

std::optional<TWriteFailure> WriteFilesTogether(const std::vector<TFileContents>& files)
{
    for (const TFileContents& file : files)
        if (auto failure = refusal(file.path))
            return failure;
    std::vector<std::pair<fs::path, fs::path>> replacements;
    for (const TFileContents& file : files) {
        const fs::path temporary = TemporaryPathBeside(file.path);
        if (const int error = writeTemporary(temporary, file.bytes)) {
            for (const auto& written : replacements)
                ::unlink(written.first.c_str());
            return TWriteFailure{file.path, SystemErrorText(error)};
        }
        replacements.emplace_back(temporary, file.path);
    }
    return replaceAccepted(replacements);
}

TScopedSafeWriteFaults::TScopedSafeWriteFaults(TSafeWriteFaults simulated) : previous_(faults())
{
    faults() = simulated;
}

TScopedSafeWriteFaults::~TScopedSafeWriteFaults() { faults() = previous_; }

} // namespace veldo
