#pragma once
// Whole-file reads and writes that never leave a half-written file behind.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

struct FileContents {
    enum class Status {
        Read,    // Bytes holds the whole file
        Missing, // no file at the path (or a path through a regular file)
        Failed,  // something stands at the path but could not be read (a folder, an I/O error)
    };
    Status State = Status::Missing;
    std::string Bytes;
};

FileContents ReadWholeFile(const std::filesystem::path& file);

// Replaces the file's contents: a temporary file ".<name>.tmp-" + 8 of [a-z0-9] in the same folder is
// written in full, flushed to disk and put in the file's place, keeping the old file's permissions
// and owner (POSIX: rename) or its attributes and access rights (Windows: ReplaceFileW; MoveFileExW
// when there is no old file). New files get the default ones. A symbolic link at the path stays a
// link; its target is replaced. Something other than a regular file at the path, and on Windows a
// read-only file, is not replaced. On Windows, another process holding the file open for its own
// replace is waited for, up to about a second. Returns false on any failure, after removing the
// temporary file; the old file is then as it was. (Only if Windows reports the old file removed and
// the new one cannot be moved in, the temporary file is kept: it then holds the only copy.)
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Removes the temporary files ReplaceFileAtomically leaves for this file when its process dies before
// the rename: only regular files with exactly that name pattern, last written at least minimumAge
// ago, so that a write in progress in another instance is never touched. Failures are ignored.
void RemoveStaleTemporaryFiles(const std::filesystem::path& file,
                               std::chrono::seconds minimumAge = std::chrono::minutes(1));
