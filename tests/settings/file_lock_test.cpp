#include "file_helpers.h"
#include "settings/file_lock.h"
#include "temp_folder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

class FileLockTest : public testing::Test {
protected:
    std::filesystem::path LockFile() const { return folder_.Path() / ".data.lock"; }

    TempFolder folder_;
};

// Two holders in one process stand for two processes: both platforms tie the lock to the open file,
// not to the process.
TEST_F(FileLockTest, ASecondHolderWaitsUntilTheFirstLetsGo) {
    std::optional<FileLock> first = FileLock::Acquire(LockFile(), 0ms);
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(std::filesystem::is_regular_file(LockFile()));
    EXPECT_FALSE(FileLock::Acquire(LockFile(), 30ms).has_value());

    std::thread release([&] {
        std::this_thread::sleep_for(50ms);
        first.reset();
    });
    const auto start = std::chrono::steady_clock::now();
    const std::optional<FileLock> second = FileLock::Acquire(LockFile(), 10s);
    const auto waited = std::chrono::steady_clock::now() - start;
    release.join();
    EXPECT_TRUE(second.has_value());
    EXPECT_GE(waited, 40ms) << "the second holder did not wait for the first";
}

TEST_F(FileLockTest, AMovedLockIsHeldOnceAndLetGoOnce) {
    std::optional<FileLock> moved;
    {
        std::optional<FileLock> lock = FileLock::Acquire(LockFile(), 0ms);
        ASSERT_TRUE(lock.has_value());
        moved = std::move(*lock);
    }
    EXPECT_FALSE(FileLock::Acquire(LockFile(), 0ms).has_value()) << "the moved-from lock let go";
    moved.reset();
    EXPECT_TRUE(FileLock::Acquire(LockFile(), 0ms).has_value());
}

TEST_F(FileLockTest, NoLockWithoutAFolderForTheLockFile) {
    EXPECT_FALSE(FileLock::Acquire(folder_.Path() / "missing" / ".data.lock", 0ms).has_value());
    // A regular file where the folder should be.
    WriteBytes(folder_.Path() / "plain", "x");
    EXPECT_FALSE(FileLock::Acquire(folder_.Path() / "plain" / ".data.lock", 0ms).has_value());
}

} // namespace
