#include "file_helpers.h"
#include "settings/ini_store.h"
#include "temp_folder.h"

#include <chrono>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

class IniStoreTest : public testing::Test {
protected:
    fs::path File() const { return folder_.Path() / "vnTolmere.ini"; }
    IniStore Store() const { return IniStore(File()); }

    // Only the settings file itself: a leftover temporary file would show here.
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.Path()), {}));
    }

    TempFolder folder_;
};

TEST_F(IniStoreTest, MissingFileGivesEveryDefault) {
    const IniStore store = Store();
    EXPECT_EQ(store.ReadString("Config", "Agency", "Fallback"), "Fallback");
    EXPECT_EQ(store.ReadInteger("Config", "Width", 360), 360);
    EXPECT_TRUE(store.ReadBool("Config", "ShowPaydays", true));
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(IniStoreTest, FolderAtTheFilesPathReadsAsDefaults) {
    fs::create_directory(File());
    EXPECT_EQ(Store().ReadString("Config", "Agency", "Fallback"), "Fallback");
}

struct IntegerValueCase {
    const char* Name;
    friend void PrintTo(const IntegerValueCase& row, std::ostream* out) { *out << row.Name; }
    std::string_view Stored;
    std::int32_t Expected;
};

class ReadIntegerTest : public IniStoreTest, public testing::WithParamInterface<IntegerValueCase> {};

TEST_P(ReadIntegerTest, ReadsTheStoredTextOrTheDefault) {
    WriteBytes(File(), "[Config]\nWidth=" + std::string(GetParam().Stored) + "\n");
    EXPECT_EQ(Store().ReadInteger("Config", "Width", 360), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    StoredTexts, ReadIntegerTest,
    testing::Values(IntegerValueCase{"Decimal", "500", 500}, IntegerValueCase{"ZeroX", "0x1F4", 500},
                    IntegerValueCase{"Dollar", "$1F4", 500}, IntegerValueCase{"LowerX", "x1F4", 500},
                    IntegerValueCase{"Quoted", "\"500\"", 500}, IntegerValueCase{"Blanks", "  500  ", 500},
                    IntegerValueCase{"Unit", "500px", 360}, IntegerValueCase{"Nothing", "", 360},
                    IntegerValueCase{"HexAllOnes", "$FFFFFFFF", -1},
                    IntegerValueCase{"Max", "2147483647", 2147483647},
                    IntegerValueCase{"PastMax", "2147483648", 360}),
    [](const testing::TestParamInfo<IntegerValueCase>& info) { return std::string(info.param.Name); });

TEST_F(IniStoreTest, ReadBoolIsTrueForAnyNonZeroInteger) {
    WriteBytes(File(), "[Config]\nTwo=2\nZero=0\nWord=true\nMinus=-1\n");
    const IniStore store = Store();
    EXPECT_TRUE(store.ReadBool("Config", "Two", false));
    EXPECT_FALSE(store.ReadBool("Config", "Zero", true));
    EXPECT_FALSE(store.ReadBool("Config", "Word", false));
    EXPECT_TRUE(store.ReadBool("Config", "Word", true));
    EXPECT_TRUE(store.ReadBool("Config", "Minus", false));
}

TEST_F(IniStoreTest, ReadStringCutsAt2047CharactersWithoutSplittingOne) {
    WriteBytes(
        File(), "[Config]\nAscii=" + std::string(3000, 'a') + "\nWide=" + std::string(1500, 'x') +
                    [] {
                        std::string wide;
                        for (int i = 0; i < 1000; ++i)
                            wide += "\xC3\xA9"; // é
                        return wide;
                    }() +
                    "\nShort=" + std::string(2047, 'b') + "\n");
    const IniStore store = Store();
    EXPECT_EQ(store.ReadString("Config", "Ascii", ""), std::string(2047, 'a'));
    std::string expectedWide(1500, 'x');
    for (int i = 0; i < 547; ++i)
        expectedWide += "\xC3\xA9";
    EXPECT_EQ(store.ReadString("Config", "Wide", ""), expectedWide);
    EXPECT_EQ(store.ReadString("Config", "Short", ""), std::string(2047, 'b'));
}

TEST_F(IniStoreTest, WritesCreateTheFileAndReadBack) {
    IniStore store = Store();
    store.WriteString("Config", "Agency", "Feuerwehr Zürich – 消防局 🚒");
    store.WriteInteger("Config", "Width", -5);
    store.WriteBool("Config", "ShowPaydays", true);
    EXPECT_EQ(ReadBytes(File()),
              WithNewFileLineEnds("[Config]\nAgency=Feuerwehr Zürich – 消防局 🚒\nWidth=-5\nShowPaydays=1\n"));
    EXPECT_EQ(store.ReadString("Config", "Agency", ""), "Feuerwehr Zürich – 消防局 🚒");
    EXPECT_EQ(store.ReadInteger("Config", "Width", 0), -5);
    EXPECT_TRUE(store.ReadBool("Config", "ShowPaydays", false));
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// Without an application-data folder the settings path is relative, down to a bare file name.
TEST_F(IniStoreTest, ABareFileNameIsReplacedInTheCurrentFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(folder_.Path());
    IniStore store(fs::path("vnTolmere.ini"));
    store.WriteInteger("Config", "Width", 400);
    store.WriteInteger("Config", "Width", 410);
    const int width = store.ReadInteger("Config", "Width", 0);
    fs::current_path(before);
    EXPECT_EQ(width, 410);
    EXPECT_EQ(ReadBytes(File()), WithNewFileLineEnds("[Config]\nWidth=410\n"));
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(IniStoreTest, PastedLineBreaksCannotAddKeys) {
    IniStore store = Store();
    store.WriteString("Config", "Agency", "Station 4\r\n[Config]\nWidth=1");
    EXPECT_EQ(store.ReadString("Config", "Agency", ""), "Station 4  [Config] Width=1");
    EXPECT_EQ(store.ReadInteger("Config", "Width", 360), 360);
}

// A new file is CRLF on Windows, as the Windows profile functions write it, and LF elsewhere.
TEST_F(IniStoreTest, ANewFileHasThePlatformsLineEnds) {
    IniStore store = Store();
    store.WriteInteger("Config", "Width", 400);
    store.WriteString("Colors", "RDO", "Navy");
#ifdef _WIN32
    EXPECT_EQ(ReadBytes(File()), "[Config]\r\nWidth=400\r\n[Colors]\r\nRDO=Navy\r\n");
#else
    EXPECT_EQ(ReadBytes(File()), "[Config]\nWidth=400\n[Colors]\nRDO=Navy\n");
#endif
}

TEST_F(IniStoreTest, AnUnchangedWriteLeavesTheFileAlone) {
    WriteBytes(File(), "[Config]\nWidth=360\n");
    const auto longAgo = fs::last_write_time(File()) - std::chrono::hours(24);
    fs::last_write_time(File(), longAgo);
#ifndef _WIN32
    struct stat before {};
    ASSERT_EQ(::stat(File().c_str(), &before), 0);
#endif
    Store().WriteInteger("Config", "Width", 360);
    EXPECT_EQ(fs::last_write_time(File()), longAgo);

    Store().WriteInteger("Config", "Width", 361);
    EXPECT_NE(fs::last_write_time(File()), longAgo);
    EXPECT_EQ(ReadBytes(File()), "[Config]\nWidth=361\n");
#ifndef _WIN32
    // Replaced by a new file, not rewritten in place.
    struct stat after {};
    ASSERT_EQ(::stat(File().c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
#endif
}

#ifndef _WIN32
// Windows has no such permission bits; its attributes and access rights are kept by ReplaceFileW.
TEST_F(IniStoreTest, AReplacedFileKeepsItsPermissions) {
    WriteBytes(File(), "[Config]\nWidth=360\n");
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Store().WriteInteger("Config", "Width", 400);
    EXPECT_EQ(fs::status(File()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ReadBytes(File()), "[Config]\nWidth=400\n");
}

TEST_F(IniStoreTest, ASymlinkedFileStaysALink) {
    const fs::path target = folder_.Path() / "real.ini";
    WriteBytes(target, "[Config]\nWidth=360\n");
    fs::create_symlink("real.ini", File());
    Store().WriteInteger("Config", "Width", 400);
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadBytes(target), "[Config]\nWidth=400\n");
}

TEST_F(IniStoreTest, ADanglingSymlinkCreatesItsTarget) {
    fs::create_symlink("real.ini", File());
    Store().WriteInteger("Config", "Width", 400);
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadBytes(folder_.Path() / "real.ini"), WithNewFileLineEnds("[Config]\nWidth=400\n"));
}
#endif

void ExpectWriteError(IniStore& store, const fs::path& file) {
    try {
        store.WriteString("Config", "Agency", "New");
        FAIL() << "the write did not fail";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + Utf8Text(file));
    }
}

TEST_F(IniStoreTest, WriteFailsWhenTheParentIsARegularFile) {
    WriteBytes(folder_.Path() / "plain", "not a folder");
    const fs::path file = folder_.Path() / "plain" / "vnTolmere.ini";
    IniStore store(file);
    ExpectWriteError(store, file);
    EXPECT_EQ(ReadBytes(folder_.Path() / "plain"), "not a folder");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(IniStoreTest, WriteFailsWhenAFolderStandsAtTheFilesPath) {
    fs::create_directory(File());
    WriteBytes(File() / "inside", "kept");
    IniStore store = Store();
    ExpectWriteError(store, File());
    EXPECT_TRUE(fs::is_directory(File()));
    EXPECT_EQ(ReadBytes(File() / "inside"), "kept");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(IniStoreTest, WriteFailsWhenTheFolderIsMissing) {
    const fs::path file = folder_.Path() / "missing" / "vnTolmere.ini";
    IniStore store(file);
    ExpectWriteError(store, file);
    EXPECT_FALSE(fs::exists(folder_.Path() / "missing"));
}

#ifdef _WIN32
// ReplaceFileW carries the old file's attributes over, as the permissions are kept elsewhere.
TEST_F(IniStoreTest, AReplacedFileKeepsItsAttributes) {
    if (RunsUnderWine())
        GTEST_SKIP() << "Wine's ReplaceFileW gives the new file its own attributes";
    WriteBytes(File(), "[Config]\r\nWidth=360\r\n");
    ASSERT_NE(::SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_HIDDEN), 0);
    Store().WriteInteger("Config", "Width", 400);
    EXPECT_EQ(ReadBytes(File()), "[Config]\r\nWidth=400\r\n");
    EXPECT_NE(::GetFileAttributesW(File().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// Unlike root on Linux, nobody replaces a read-only file on Windows: the write fails, nothing changes.
TEST_F(IniStoreTest, AReadOnlyFileIsNotReplaced) {
    const std::string old = "[Config]\r\nAgency=Old name\r\n";
    WriteBytes(File(), old);
    ASSERT_NE(::SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_READONLY), 0);
    IniStore store = Store();
    ExpectWriteError(store, File());
    EXPECT_EQ(ReadBytes(File()), old);
    EXPECT_NE(::GetFileAttributesW(File().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(EntriesInFolder(), 1u);
    ::SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_NORMAL);
}
#else
// Root ignores permission bits, but not a file-size limit: the child writes past it and must fail
// cleanly with the old file untouched. Windows has no per-process file-size limit to inject this.
TEST_F(IniStoreTest, WriteFailsPastAFileSizeLimitAndKeepsTheOldFile) {
    const std::string old = "[Config]\nAgency=Old name\nWidth=360\n";
    WriteBytes(File(), old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(3);
        try {
            IniStore(File()).WriteString("Config", "Agency", std::string(200, 'x'));
        } catch (const SettingsWriteError& error) {
            ::_exit(std::string(error.what()) == "Unable to write to " + File().string() ? 0 : 2);
        } catch (...) {
            ::_exit(4);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: wrong message, 3: no limit, 4: other error";
    EXPECT_EQ(ReadBytes(File()), old);
    EXPECT_EQ(EntriesInFolder(), 1u);
}
#endif

} // namespace
