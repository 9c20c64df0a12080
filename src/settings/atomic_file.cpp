#include "atomic_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <type_traits>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr std::string_view TemporaryAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t TemporarySuffixLength = 8;
// A file's size read before it is read is only a hint: beyond this the string grows as it is read.
constexpr std::uintmax_t MaxReserve = 64 * 1024 * 1024;

fs::path FolderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

enum class OpenFailure { Missing, Exists, Other };

enum class Placement { Done, FailedOldKept, FailedOldLost };

// The platform seam: opening, reading, writing, flushing and closing one file, and putting a written
// temporary file in the place of the target. The rest of the file is shared.
#ifdef _WIN32

using NativeHandle = HANDLE;
const NativeHandle NoHandle = INVALID_HANDLE_VALUE;

OpenFailure LastOpenFailure() {
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return OpenFailure::Missing;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return OpenFailure::Exists;
    default:
        return OpenFailure::Other;
    }
}

// Another instance may replace the file while this one reads it, hence FILE_SHARE_DELETE.
NativeHandle OpenForReading(const fs::path& file) {
    return ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

NativeHandle CreateNewForWriting(const fs::path& file) {
    return ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// -1 on an error, 0 at the end of the file.
std::ptrdiff_t ReadSome(NativeHandle handle, char* buffer, std::size_t size) {
    DWORD count = 0;
    if (!::ReadFile(handle, buffer, static_cast<DWORD>(size), &count, nullptr))
        return -1;
    return static_cast<std::ptrdiff_t>(count);
}

bool WriteAll(NativeHandle handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool Flush(NativeHandle handle) {
    return ::FlushFileBuffers(handle) != 0;
}

bool CloseHandleOf(NativeHandle handle) {
    return ::CloseHandle(handle) != 0;
}

// What stands at the target now. ReplaceFileW carries the old file's attributes and access rights
// over to the new one, so nothing else is kept here.
struct TargetInfo {
    bool Exists = false;
    bool Replaceable = true;
};

TargetInfo InspectTarget(const fs::path& target) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return {false, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND};
    }
    // A read-only file is one the user wants left as it is; Windows would not replace it either.
    return {true, (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0};
}

bool TakeOverOwnership(NativeHandle, const TargetInfo&) {
    return true;
}

bool MoveOver(const fs::path& temporary, const fs::path& target) {
    return ::MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Wine's ReplaceFileW fails on a bare file name; a full path suits every version.
fs::path Absolute(const fs::path& file) {
    std::error_code error;
    fs::path absolute = fs::absolute(file, error);
    return error ? file : absolute;
}

Placement PutInPlaceOnce(const fs::path& temporary, const fs::path& target, bool targetExists, DWORD& error) {
    if (!targetExists) {
        if (MoveOver(temporary, target))
            return Placement::Done;
        error = ::GetLastError();
        return Placement::FailedOldKept;
    }
    if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
        return Placement::Done;
    error = ::GetLastError();
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        // Removed since it was looked at: there is nothing left to keep.
        return PutInPlaceOnce(temporary, target, false, error);
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        // The old file is already gone and the new contents exist only in the temporary file.
        if (MoveOver(temporary, target))
            return Placement::Done;
        error = ::GetLastError();
        return Placement::FailedOldLost;
    default:
        return Placement::FailedOldKept;
    }
}

// Another instance replacing the same file holds it open for a moment; such a clash is waited out
// (under a second in all) rather than reported as a failed write.
bool IsPassingClash(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

Placement PutInPlace(const fs::path& relativeTemporary, const fs::path& relativeTarget,
                     const TargetInfo& old) {
    const fs::path temporary = Absolute(relativeTemporary);
    const fs::path target = Absolute(relativeTarget);
    bool targetExists = old.Exists;
    bool oldLost = false;
    for (int attempt = 1;; ++attempt) {
        DWORD error = 0;
        const Placement placement = PutInPlaceOnce(temporary, target, targetExists, error);
        if (placement == Placement::Done)
            return placement;
        // Once the old file is gone, only the move is left to do, and the temporary file must stay.
        if (placement == Placement::FailedOldLost) {
            oldLost = true;
            targetExists = false;
        }
        if (attempt == 20 || !IsPassingClash(error))
            return oldLost ? Placement::FailedOldLost : placement;
        ::Sleep(static_cast<DWORD>(5 * attempt));
    }
}

void RemoveFile(const fs::path& file) {
    ::DeleteFileW(file.c_str());
}

#else

using NativeHandle = int;
constexpr NativeHandle NoHandle = -1;

OpenFailure LastOpenFailure() {
    if (errno == ENOENT || errno == ENOTDIR)
        return OpenFailure::Missing;
    return errno == EEXIST ? OpenFailure::Exists : OpenFailure::Other;
}

NativeHandle OpenForReading(const fs::path& file) {
    int fd;
    do {
        fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

NativeHandle CreateNewForWriting(const fs::path& file) {
    int fd;
    do {
        fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::ptrdiff_t ReadSome(NativeHandle fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(fd, buffer, size);
        if (count >= 0 || errno != EINTR)
            return count;
    }
}

bool WriteAll(NativeHandle fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool Flush(NativeHandle fd) {
    return ::fsync(fd) == 0;
}

bool CloseHandleOf(NativeHandle fd) {
    return ::close(fd) == 0;
}

struct TargetInfo {
    bool Exists = false;
    bool Replaceable = true;
    struct stat Old {};
};

TargetInfo InspectTarget(const fs::path& target) {
    TargetInfo info;
    info.Exists = ::stat(target.c_str(), &info.Old) == 0;
    info.Replaceable = !info.Exists || S_ISREG(info.Old.st_mode);
    return info;
}

bool TakeOverOwnership(NativeHandle fd, const TargetInfo& old) {
    if (!old.Exists)
        return true;
    if (::fchmod(fd, old.Old.st_mode & 07777) != 0)
        return false;
    // Only root can hand the file back to its owner; anyone else keeps their own file anyway.
    if (old.Old.st_uid != ::geteuid() || old.Old.st_gid != ::getegid())
        static_cast<void>(::fchown(fd, old.Old.st_uid, old.Old.st_gid));
    return true;
}

Placement PutInPlace(const fs::path& temporary, const fs::path& target, const TargetInfo&) {
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return Placement::FailedOldKept;
    // The rename itself reaches the disk with the folder's entry; losing that only loses this write.
    const int folderFd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        static_cast<void>(::fsync(folderFd));
        ::close(folderFd);
    }
    return Placement::Done;
}

void RemoveFile(const fs::path& file) {
    ::unlink(file.c_str());
}

#endif

class NativeFile {
public:
    explicit NativeFile(NativeHandle handle) : handle_(handle) {}
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;
    ~NativeFile() {
        if (handle_ != NoHandle)
            CloseHandleOf(handle_);
    }
    NativeHandle Get() const { return handle_; }
    // Close errors can report a failed delayed write, so they count.
    bool Close() {
        const NativeHandle handle = handle_;
        handle_ = NoHandle;
        return CloseHandleOf(handle);
    }

private:
    NativeHandle handle_;
};

// Follows a chain of links at the path itself so the rename replaces the target, not the link.
fs::path ResolveLinks(fs::path file) {
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(file, error)))
            break;
        const fs::path target = fs::read_symlink(file, error);
        if (error)
            break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

// ".<name>.tmp-": built as a path so that a name outside ASCII keeps its characters on every platform.
fs::path::string_type TemporaryPrefix(const fs::path& target) {
    fs::path prefix(".");
    prefix += target.filename();
    prefix += ".tmp-";
    return prefix.native();
}

fs::path TemporaryPath(const fs::path& target) {
    // Per thread: two threads of one process may save at the same time.
    thread_local std::mt19937_64 generator(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, TemporaryAlphabet.size() - 1);
    fs::path::string_type name = TemporaryPrefix(target);
    for (std::size_t i = 0; i < TemporarySuffixLength; ++i)
        name += static_cast<fs::path::value_type>(TemporaryAlphabet[pick(generator)]);
    return FolderOf(target) / fs::path(name);
}

bool IsTemporaryNameOf(const fs::path::string_type& name, const fs::path::string_type& prefix) {
    if (name.size() != prefix.size() + TemporarySuffixLength || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const auto code = static_cast<std::make_unsigned_t<fs::path::value_type>>(name[i]);
        if (code > 127 || TemporaryAlphabet.find(static_cast<char>(code)) == std::string_view::npos)
            return false;
    }
    return true;
}

} // namespace

FileContents ReadWholeFile(const fs::path& file) {
    FileContents contents;
    const NativeHandle handle = OpenForReading(file);
    if (handle == NoHandle) {
        contents.State = LastOpenFailure() == OpenFailure::Missing ? FileContents::Status::Missing
                                                                   : FileContents::Status::Failed;
        return contents;
    }
    NativeFile opened(handle);
    // Room for the whole file at once, so that a large one (the days file) is not copied as it grows.
    std::error_code sizeError;
    if (const std::uintmax_t size = fs::file_size(file, sizeError); !sizeError && size <= MaxReserve)
        contents.Bytes.reserve(static_cast<std::size_t>(size));
    std::array<char, 8192> buffer;
    for (;;) {
        const std::ptrdiff_t count = ReadSome(opened.Get(), buffer.data(), buffer.size());
        if (count < 0) {
            contents.State = FileContents::Status::Failed;
            contents.Bytes.clear();
            return contents;
        }
        if (count == 0)
            break;
        contents.Bytes.append(buffer.data(), static_cast<std::size_t>(count));
    }
    contents.State = FileContents::Status::Read;
    return contents;
}

bool ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
    const fs::path target = ResolveLinks(file);
    const TargetInfo old = InspectTarget(target);
    if (!old.Replaceable)
        return false;

    fs::path temporary;
    NativeHandle handle = NoHandle;
    for (int attempt = 0; attempt < 100 && handle == NoHandle; ++attempt) {
        temporary = TemporaryPath(target);
        handle = CreateNewForWriting(temporary);
        if (handle == NoHandle && LastOpenFailure() != OpenFailure::Exists)
            return false;
    }
    if (handle == NoHandle)
        return false;
    NativeFile written(handle);

    bool ok = TakeOverOwnership(written.Get(), old) && WriteAll(written.Get(), bytes) && Flush(written.Get());
    ok = written.Close() && ok;
    const Placement placement = ok ? PutInPlace(temporary, target, old) : Placement::FailedOldKept;
    // When the old file is lost already, the temporary file holds the only copy of the settings.
    if (placement == Placement::FailedOldKept)
        RemoveFile(temporary);
    return placement == Placement::Done;
}

void RemoveStaleTemporaryFiles(const fs::path& file, std::chrono::seconds minimumAge) {
    const fs::path target = ResolveLinks(file);
    const fs::path::string_type prefix = TemporaryPrefix(target);
    const auto now = fs::file_time_type::clock::now();
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
         entry.increment(error)) {
        if (!IsTemporaryNameOf(entry->path().filename().native(), prefix))
            continue;
        // A link or a folder under such a name is not one of ours.
        std::error_code statusError;
        if (!fs::is_regular_file(entry->symlink_status(statusError)) || statusError)
            continue;
        const fs::file_time_type written = entry->last_write_time(statusError);
        if (statusError || now - written < minimumAge)
            continue;
        RemoveFile(entry->path());
    }
}
