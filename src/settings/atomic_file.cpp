#include "atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    // Close errors can report a failed delayed write, so they count.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
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

std::string RandomSuffix() {
    static std::random_device device;
    static std::mt19937_64 generator(device());
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(alphabet) - 2);
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += alphabet[pick(generator)];
    return suffix;
}

} // namespace

FileContents ReadWholeFile(const fs::path& file) {
    FileContents contents;
    int fd;
    do {
        fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        contents.State = (errno == ENOENT || errno == ENOTDIR) ? FileContents::Status::Missing
                                                               : FileContents::Status::Failed;
        return contents;
    }
    FileDescriptor descriptor(fd);
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            contents.State = FileContents::Status::Failed;
            contents.Bytes.clear();
            return contents;
        }
        if (count == 0)
            break;
        contents.Bytes.append(buffer, static_cast<std::size_t>(count));
    }
    contents.State = FileContents::Status::Read;
    return contents;
}

bool ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
    const fs::path target = ResolveLinks(file);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();

    struct stat old {};
    const bool hadFile = ::stat(target.c_str(), &old) == 0;
    if (hadFile && !S_ISREG(old.st_mode))
        return false;

    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / ("." + target.filename().string() + ".tmp-" + RandomSuffix());
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            return false;
    }
    if (fd < 0)
        return false;
    FileDescriptor descriptor(fd);

    bool ok = true;
    if (hadFile) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        // Only root can hand the file back to its owner; anyone else keeps their own file anyway.
        if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
            static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
    }
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = descriptor.Close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder's entry; losing that only loses this write.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        static_cast<void>(::fsync(folderFd));
        ::close(folderFd);
    }
    return true;
}
