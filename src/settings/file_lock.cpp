#include "file_lock.h"

#include <thread>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

// Short enough that a waiting writer goes on soon after the holder lets go, long enough not to spin.
constexpr std::chrono::milliseconds PollInterval(2);

// The platform seam: open (or create) the lock file, try the lock once without waiting, let go.
#ifdef _WIN32

using NativeHandle = HANDLE;
const NativeHandle NoHandle = INVALID_HANDLE_VALUE;

NativeHandle OpenLockFile(const std::filesystem::path& file) {
    return ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool TryLock(NativeHandle handle) {
    OVERLAPPED whole{};
    return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) != 0;
}

void UnlockAndClose(NativeHandle handle) {
    OVERLAPPED whole{};
    ::UnlockFileEx(handle, 0, 1, 0, &whole);
    ::CloseHandle(handle);
}

#else

using NativeHandle = int;
constexpr NativeHandle NoHandle = -1;

NativeHandle OpenLockFile(const std::filesystem::path& file) {
    int fd;
    do {
        fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool TryLock(NativeHandle fd) {
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Closing the descriptor lets go of the lock.
void UnlockAndClose(NativeHandle fd) {
    ::close(fd);
}

#endif

} // namespace

std::optional<FileLock> FileLock::Acquire(const std::filesystem::path& lockFile,
                                          std::chrono::milliseconds patience) {
    const NativeHandle handle = OpenLockFile(lockFile);
    if (handle == NoHandle)
        return std::nullopt;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (!TryLock(handle)) {
        if (std::chrono::steady_clock::now() >= giveUp) {
            UnlockAndClose(handle);
            return std::nullopt;
        }
        std::this_thread::sleep_for(PollInterval);
    }
    return FileLock(handle);
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = NoHandle;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        other.handle_ = NoHandle;
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    if (handle_ != NoHandle)
        UnlockAndClose(handle_);
    handle_ = NoHandle;
}
