// The one way the program replaces files: all of a set or none. New contents go
// to temporary files beside their targets and are flushed to the disk; the old
// files stay as backups until every new one is in place; on any failure every
// target is put back byte-identical (one that did not exist is removed again).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veldo {

// A file to write: its path and its whole contents.
struct TFileContents {
    std::filesystem::path path;
    std::string bytes;
};

// Why a set of files could not be written: the file and the system's reason
// (e.g. "No space left on device").
struct TWriteFailure {
    std::filesystem::path path;
    std::string reason;
};

// Writes every file of the set or none of them. A target that is a symbolic link is
// written through: its final target is replaced and the link stays. A target that
// exists and is no regular file, or that the user may not write, is refused before
// anything is written ("Is a directory", "The file is read-only.").
std::optional<TWriteFailure> WriteFilesTogether(const std::vector<TFileContents>& files);

// The same for contents already written to temporary files (by a library that
// writes its own file): each (temporary, target) pair replaces its target. The
// temporaries are gone afterwards, whatever happened.
std::optional<TWriteFailure>
ReplaceFilesTogether(const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& replacements);

// The system's text for an error number, in English whatever the user's locale (the
// program's messages are English; "No space left on device").
std::string SystemErrorText(int error);

// A path beside `target` (beside the file a link leads to) that names no file yet,
// for a temporary of it.
std::filesystem::path TemporaryPathBeside(const std::filesystem::path& target);

// The file a path names after following every symbolic link (the path itself when it
// is no link). The file need not exist.
std::filesystem::path LinkTarget(const std::filesystem::path& path);

// Whether the user may write the file or folder (false when it does not exist).
bool MayWrite(const std::filesystem::path& path);

// Faults the helper simulates for tests (a full device, a rename refused by the
// system, a user without the privilege to write any file), which no file permission
// can produce for a privileged user.
struct TSafeWriteFaults {
    bool deviceFull = false;   // every write of contents fails with ENOSPC
    int failingRename = 0;     // the n-th rename of a call (from 1) fails with EIO; 0 none
    bool unprivileged = false; // MayWrite follows the permission bits even for root
};

// Sets the simulated faults for the life of the object.
class TScopedSafeWriteFaults {
public:
    explicit TScopedSafeWriteFaults(TSafeWriteFaults faults);
    ~TScopedSafeWriteFaults();
    TScopedSafeWriteFaults(const TScopedSafeWriteFaults&) = delete;
    TScopedSafeWriteFaults& operator=(const TScopedSafeWriteFaults&) = delete;

private:
    TSafeWriteFaults previous_;
};

} // namespace veldo
