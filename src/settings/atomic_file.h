#pragma once
// Whole-file reads and writes that never leave a half-written file behind.

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

// Replaces the file's contents: a temporary file in the same folder, with the old file's permissions
// (new files get the default ones), is written in full, flushed to disk and renamed over the file.
// A symbolic link at the path stays a link; its target is replaced. Returns false on any failure,
// after removing the temporary file; the old file is then as it was.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);
