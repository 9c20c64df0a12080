#pragma once
// An exclusive lock on a small lock file beside the data it guards, for writers in several processes
// that read, change and replace the same file: each takes the lock around its read-modify-write, so no
// writer replaces the file with contents read before another writer's change. The lock is advisory:
// readers need none, since the file is replaced whole (see ReplaceFileAtomically). POSIX: flock on the
// lock file; Windows: LockFileEx on its first byte. The lock file is created when missing and never
// removed, since removing it could let two writers lock two different files.

#include <chrono>
#include <filesystem>
#include <optional>

class FileLock {
public:
    // Takes the lock, creating the lock file when missing (its folder must exist). Another holder is
    // waited for up to `patience`. Nothing when the file cannot be opened or the lock not taken in time.
    static std::optional<FileLock> Acquire(const std::filesystem::path& lockFile,
                                           std::chrono::milliseconds patience);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Lets go of the lock.
    ~FileLock();

private:
#ifdef _WIN32
    using Handle = void*;
#else
    using Handle = int;
#endif
    explicit FileLock(Handle handle) : handle_(handle) {}
    void Release();

    Handle handle_;
};
