#include "file_helpers.h"
#include "settings/ini_store.h"
#include "settings/settings_file.h"
#include "temp_folder.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path DataFolder = SETTINGS_TEST_DATA_DIR;

struct JoinCase {
    const char* Name;
    friend void PrintTo(const JoinCase& row, std::ostream* out) { *out << row.Name; }
    const char* Folder;
    const char* Item;
    const char* Joined;
};

class JoinPathTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinPathTest, JoinsWithOneSeparator) {
    EXPECT_EQ(JoinPath(GetParam().Folder, GetParam().Item).string(), GetParam().Joined);
}

// Paths as the platform writes them: drive letters and backslashes on Windows.
const JoinCase JoinCases[] = {
#ifdef _WIN32
    JoinCase{"Plain", "C:\\Users\\u\\AppData", "Orvane", "C:\\Users\\u\\AppData\\Orvane"},
    JoinCase{"TrailingSeparator", "C:\\Users\\u\\", "Varnok", "C:\\Users\\u\\Varnok"},
    JoinCase{"TrailingSlash", "C:/Users/u/", "Varnok", "C:/Users/u/Varnok"},
    JoinCase{"EmptyFolder", "", "Varnok", "Varnok"},
    JoinCase{"EmptyName", "C:\\Users\\u", "", "C:\\Users\\u"},
    JoinCase{"RootedName", "C:\\Users\\u", "\\x.ini", "\\x.ini"},
    JoinCase{"DriveName", "C:\\Users\\u", "D:x.ini", "D:x.ini"},
    JoinCase{"RelativeFolder", "cfg", "vnTolmere.ini", "cfg\\vnTolmere.ini"},
#else
    JoinCase{"Plain", "/home/u/.config", "Orvane", "/home/u/.config/Orvane"},
    JoinCase{"TrailingSeparator", "/home/u/", "Varnok", "/home/u/Varnok"},
    JoinCase{"EmptyFolder", "", "Varnok", "Varnok"},
    JoinCase{"EmptyName", "/home/u", "", "/home/u"},
    JoinCase{"RootedName", "/home/u", "/etc/x.ini", "/etc/x.ini"},
    JoinCase{"RelativeFolder", "cfg", "vnTolmere.ini", "cfg/vnTolmere.ini"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Rules, JoinPathTest, testing::ValuesIn(JoinCases),
                         [](const testing::TestParamInfo<JoinCase>& info) {
                             return std::string(info.param.Name);
                         });

class SettingsFileTest : public testing::Test {
protected:
    const fs::path& Base() const { return base_.Path(); }

    // A state located in a fresh base folder and loaded from whatever file is there.
    LoadedSettings LocateAndLoad() {
        LocateSettingsFile(state_, Base());
        return LoadSettings(state_);
    }

    // The values the settings page shows right after start-up.
    SettingsPageValues PageAfterStartUp(const LoadedSettings& loaded) const {
        return {state_.AgencyName, loaded.WorkAssign, loaded.ShowPaydays, loaded.Width, loaded.Height};
    }

    fs::path IniFile() const { return Utf8Path(state_.IniFileName); }

    TempFolder base_;
    SettingsState state_;
};

TEST_F(SettingsFileTest, LocateCreatesTheFirstFolderAndWritesNoFile) {
    LocateSettingsFile(state_, Base());
    const fs::path folder = Base() / "Orvane" / "Varnok";
    EXPECT_EQ(state_.IniFileName, Utf8Text(folder / "vnTolmere.ini"));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
}

#ifndef _WIN32
// Links to folders need a privilege on Windows.
TEST_F(SettingsFileTest, LocateAcceptsALinkToAFolder) {
    fs::create_directories(Base() / "elsewhere");
    fs::create_directory(Base() / "Orvane");
    fs::create_directory_symlink(Base() / "elsewhere", Base() / "Orvane" / "Varnok");
    LocateSettingsFile(state_, Base());
    EXPECT_EQ(state_.IniFileName, Utf8Text(Base() / "Orvane" / "Varnok" / "vnTolmere.ini"));
}
#endif

TEST_F(SettingsFileTest, LocateFallsBackToVarnokThenToTheBase) {
    WriteBytes(Base() / "Orvane", "a file where the folder would be");
    LocateSettingsFile(state_, Base());
    EXPECT_EQ(state_.IniFileName, Utf8Text(Base() / "Varnok" / "vnTolmere.ini"));

    fs::remove(Base() / "Varnok");
    WriteBytes(Base() / "Varnok", "another file");
    LocateSettingsFile(state_, Base());
    EXPECT_EQ(state_.IniFileName, Utf8Text(Base() / "vnTolmere.ini"));
}

// Each layout of the base folder; FindSettingsFile must leave it as it is and name the same file that
// LocateSettingsFile then picks.
struct FindCase {
    const char* Name;
    friend void PrintTo(const FindCase& row, std::ostream* out) { *out << row.Name; }
    void (*Prepare)(const fs::path& base);
    const char* Expected; // relative to the base
};

class FindSettingsFileTest : public testing::TestWithParam<FindCase> {};

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.push_back(entry.path().string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

TEST_P(FindSettingsFileTest, NamesTheLocatedFileWithoutCreatingAnything) {
    TempFolder base;
    GetParam().Prepare(base.Path());
    const std::vector<std::string> before = Listing(base.Path());

    SettingsState found;
    FindSettingsFile(found, base.Path());
    EXPECT_EQ(Listing(base.Path()), before);
    EXPECT_EQ(found.IniFileName, Utf8Text(base.Path() / fs::path(GetParam().Expected).make_preferred()));

    SettingsState located;
    LocateSettingsFile(located, base.Path());
    EXPECT_EQ(found.IniFileName, located.IniFileName);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FindSettingsFileTest,
    testing::Values(FindCase{"EmptyBase", [](const fs::path&) {}, "Orvane/Varnok/vnTolmere.ini"},
                    FindCase{"ExistingFolder",
                             [](const fs::path& base) {
                                 fs::create_directories(base / "Orvane" / "Varnok");
                                 WriteBytes(base / "Orvane" / "Varnok" / "vnTolmere.ini", "[Config]\n");
                             },
                             "Orvane/Varnok/vnTolmere.ini"},
                    FindCase{"OnlyTheSecondFolderExists",
                             [](const fs::path& base) { fs::create_directory(base / "Varnok"); },
                             "Orvane/Varnok/vnTolmere.ini"},
                    FindCase{"FileInPlaceOfTheFirstFolder",
                             [](const fs::path& base) { WriteBytes(base / "Orvane", "a file"); },
                             "Varnok/vnTolmere.ini"},
                    FindCase{"FilesInPlaceOfBothFolders",
                             [](const fs::path& base) {
                                 WriteBytes(base / "Orvane", "a file");
                                 WriteBytes(base / "Varnok", "a file");
                             },
                             "vnTolmere.ini"}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.Name); });

TEST_F(SettingsFileTest, LoadWithoutAFileGivesTheDefaultsAndWritesNothing) {
    const LoadedSettings loaded = LocateAndLoad();
    EXPECT_EQ(state_.AgencyName, "Tolmere Fire Department");
    EXPECT_EQ(loaded.WorkAssign, "TFD");
    EXPECT_FALSE(loaded.ShowPaydays);
    EXPECT_EQ(loaded.Width, 360);
    EXPECT_EQ(loaded.Height, 567);
    EXPECT_EQ(state_.OnDutyColor, claBlue);
    EXPECT_EQ(state_.OffDutyColor, claDarkgray);
    EXPECT_EQ(state_.RdoColor, claGoldenrod);
    EXPECT_EQ(state_.LeadTrailColor, claSilver);
    EXPECT_EQ(state_.BackgroundColor, claWhite);
    EXPECT_FALSE(fs::exists(IniFile()));
}

TEST_F(SettingsFileTest, LoadTakesDefaultsForMissingKeysAndAnEmptyAgencyAsEmpty) {
    LocateSettingsFile(state_, Base());
    WriteBytes(IniFile(), "[Config]\nAgency=\nWidth=400\n[Colors]\nRDO=Navy\n");
    const LoadedSettings loaded = LoadSettings(state_);
    EXPECT_EQ(state_.AgencyName, "");
    EXPECT_EQ(loaded.WorkAssign, "TFD");
    EXPECT_EQ(loaded.Width, 400);
    EXPECT_EQ(loaded.Height, 567);
    EXPECT_EQ(state_.RdoColor, claNavy);
    EXPECT_EQ(state_.OnDutyColor, claBlue);
}

TEST_F(SettingsFileTest, LoadReadsAHandEditedFile) {
    LocateSettingsFile(state_, Base());
    fs::copy_file(DataFolder / "hand_edited.ini", IniFile());
    const LoadedSettings loaded = LoadSettings(state_);
    EXPECT_EQ(state_.AgencyName, "  Station 9  ");
    EXPECT_EQ(loaded.WorkAssign, "Group 3");
    EXPECT_TRUE(loaded.ShowPaydays);
    EXPECT_EQ(loaded.Width, 500);
    EXPECT_EQ(loaded.Height, 567);
    EXPECT_EQ(state_.OnDutyColor, 0xFFFF0000u);
    EXPECT_EQ(state_.OffDutyColor, 0xFF123456u);
    EXPECT_EQ(state_.RdoColor, 0xFF00FFFFu);
    EXPECT_EQ(state_.LeadTrailColor, claDarkgray);
    EXPECT_EQ(state_.BackgroundColor, claWhite);
}

TEST_F(SettingsFileTest, SaveOfAHandEditedFileChangesOnlyItsValues) {
    LocateSettingsFile(state_, Base());
    fs::copy_file(DataFolder / "hand_edited.ini", IniFile());
    SaveSettings(state_, PageAfterStartUp(LoadSettings(state_)));
    EXPECT_EQ(state_.AgencyName, "Station 9");
    EXPECT_EQ(ReadBytes(IniFile()), ReadBytes(DataFolder / "hand_edited_saved.ini"));
}

TEST_F(SettingsFileTest, LoadRaisesTheConversionErrorForABadColor) {
    LocateSettingsFile(state_, Base());
    for (const auto& [stored, message] : {std::pair{"Dark Gray", "'Dark Gray' is not a valid integer value"},
                                          std::pair{"", "'' is not a valid integer value"},
                                          std::pair{"#nothex", "'$nothex' is not a valid integer value"}}) {
        WriteBytes(IniFile(), std::string("[Colors]\nLdTr=") + stored + "\n");
        try {
            LoadSettings(state_);
            ADD_FAILURE() << "no error for '" << stored << "'";
        } catch (const ColorConversionError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

TEST_F(SettingsFileTest, ConfigLoadReadsTheConfigKeysAndIgnoresABadColor) {
    LocateSettingsFile(state_, Base());
    WriteBytes(IniFile(), "[Config]\nAgency=Station 9\nWorkAssign=Group 5\nShowPaydays=1\nWidth=400\n"
                          "[Colors]\nOn-Duty=Not A Color\n");
    const LoadedSettings loaded = LoadConfigSettings(state_);
    EXPECT_EQ(state_.AgencyName, "Station 9");
    EXPECT_EQ(loaded.WorkAssign, "Group 5");
    EXPECT_TRUE(loaded.ShowPaydays);
    EXPECT_EQ(loaded.Width, 400);
    EXPECT_EQ(loaded.Height, DefaultWindowHeight);
    EXPECT_EQ(state_.OnDutyColor, 0u);
}

TEST_F(SettingsFileTest, FirstSaveWritesTheDocumentedFile) {
    SaveSettings(state_, PageAfterStartUp(LocateAndLoad()));
    EXPECT_EQ(ReadBytes(IniFile()), WithNewFileLineEnds(ReadBytes(DataFolder / "first_save.ini")));
}

TEST_F(SettingsFileTest, ResetBeforeAnySaveWritesOnlyTheSizeAndSaveAppendsTheRest) {
    const LoadedSettings loaded = LocateAndLoad();
    ResetWindowSize(state_);
    EXPECT_EQ(ReadBytes(IniFile()), WithNewFileLineEnds("[Config]\nWidth=360\nHeight=567\n"));
    SaveSettings(state_, PageAfterStartUp(loaded));
    EXPECT_EQ(ReadBytes(IniFile()), WithNewFileLineEnds(ReadBytes(DataFolder / "reset_then_save.ini")));
}

TEST_F(SettingsFileTest, SaveThenLoadGivesThePagesValuesBack) {
    LocateAndLoad();
    state_.OnDutyColor = 0xFF123456;
    state_.BackgroundColor = claNull;
    SaveSettings(state_, {"  Feuerwehr Zürich \t", "Group 7", true, 1000, 800});
    EXPECT_EQ(state_.AgencyName, "Feuerwehr Zürich");

    SettingsState reloaded;
    reloaded.IniFileName = state_.IniFileName;
    const LoadedSettings loaded = LoadSettings(reloaded);
    EXPECT_EQ(reloaded.AgencyName, "Feuerwehr Zürich");
    EXPECT_EQ(loaded.WorkAssign, "Group 7");
    EXPECT_TRUE(loaded.ShowPaydays);
    EXPECT_EQ(loaded.Width, 1000);
    EXPECT_EQ(loaded.Height, 800);
    EXPECT_EQ(reloaded.OnDutyColor, 0xFF123456u);
    EXPECT_EQ(reloaded.BackgroundColor, claNull);
}

TEST_F(SettingsFileTest, AnEmptyAgencyEditChangesNeitherNameNorKey) {
    const LoadedSettings loaded = LocateAndLoad();
    SettingsPageValues page = PageAfterStartUp(loaded);
    page.AgencyEditText = "";
    state_.AgencyName = "Kept";
    SaveSettings(state_, page);
    EXPECT_EQ(state_.AgencyName, "Kept");
    EXPECT_EQ(IniStore(IniFile()).ReadString("Config", "Agency", "<missing>"), "<missing>");
}

TEST_F(SettingsFileTest, ABlankAgencyEditSavesAnEmptyName) {
    SettingsPageValues page = PageAfterStartUp(LocateAndLoad());
    page.AgencyEditText = "   ";
    SaveSettings(state_, page);
    EXPECT_EQ(state_.AgencyName, "");
    SettingsState reloaded;
    reloaded.IniFileName = state_.IniFileName;
    LoadSettings(reloaded);
    EXPECT_EQ(reloaded.AgencyName, "");
}

TEST_F(SettingsFileTest, AFailedSaveRaisesTheWriteErrorAfterSettingTheAgency) {
    SettingsPageValues page = PageAfterStartUp(LocateAndLoad());
    fs::create_directory(IniFile());
    page.AgencyEditText = " New name ";
    try {
        SaveSettings(state_, page);
        FAIL() << "the save did not fail";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + state_.IniFileName);
    }
    EXPECT_EQ(state_.AgencyName, "New name");
    EXPECT_TRUE(fs::is_empty(IniFile()));
}

// A user folder such as C:\\Users\\Zoë: every path call takes the name whole, whatever code page the
// system has; the error message gives it in UTF-8.
TEST_F(SettingsFileTest, ANonAsciiFolderHoldsTheFileAndNamesItInTheError) {
    const std::string name = "Zo\xC3\xAB \xC5\x81\xC3\xB3"
                             "d\xC5\xBA \xE6\xB6\x88\xE9\x98\xB2";
    const fs::path base = Base() / Utf8Path(name);
    ASSERT_TRUE(fs::create_directory(base));
    LocateSettingsFile(state_, base);
    EXPECT_EQ(state_.IniFileName, Utf8Text(base / "Orvane" / "Varnok" / "vnTolmere.ini"));
    ASSERT_NE(state_.IniFileName.find(name), std::string::npos);

    SaveSettings(state_, {"Zo\xC3\xAB", "Group 5", true, 400, 600});
    EXPECT_TRUE(fs::is_regular_file(base / "Orvane" / "Varnok" / "vnTolmere.ini"));
    SettingsState reloaded;
    reloaded.IniFileName = state_.IniFileName;
    EXPECT_EQ(LoadSettings(reloaded).WorkAssign, "Group 5");
    EXPECT_EQ(reloaded.AgencyName, "Zo\xC3\xAB");

    reloaded.IniFileName = Utf8Text(base / "missing" / "vnTolmere.ini");
    try {
        ResetWindowSize(reloaded);
        FAIL() << "the reset did not fail";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + reloaded.IniFileName);
        EXPECT_NE(std::string(error.what()).find(name), std::string::npos);
    }
}

// A process killed between writing its temporary file and the rename leaves the file behind. A
// later successful Save removes those, and only those: names of exactly the writer's pattern for this
// settings file, regular files, older than a minute; a fresh one may be another instance's write.
TEST_F(SettingsFileTest, SaveRemovesOnlyItsOwnStaleTemporaryFiles) {
    const SettingsPageValues page = PageAfterStartUp(LocateAndLoad());
    const fs::path folder = IniFile().parent_path();
    const auto stale = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    const auto makeFile = [&](const std::string& name, bool old) {
        WriteBytes(folder / name, "[Config]\nWidth=1\n");
        if (old)
            fs::last_write_time(folder / name, stale);
    };
    const std::vector<std::string> removed = {".vnTolmere.ini.tmp-abc12345", ".vnTolmere.ini.tmp-0z9y8x7w"};
    for (const std::string& name : removed)
        makeFile(name, true);
    const std::vector<std::string> kept = {
        ".vnTolmere.ini.tmp-inflight",  // another instance writing right now
        ".vnTolmere.ini.tmp-XYZ98765",  // not the writer's alphabet
        ".vnTolmere.ini.tmp-abc1234",   // too short
        ".vnTolmere.ini.tmp-abc123456", // too long
        ".vnTolmere.ini.tmp-abc1234_",  // not the writer's alphabet
        "vnTolmere.ini.tmp-abc12345",   // no leading dot
        ".other.ini.tmp-abc12345",      // another file's
        ".vnTolmere.ini.bak-abc12345",  // not a temporary file
        "notes.txt",                    // the user's own
    };
    for (const std::string& name : kept)
        makeFile(name, name != ".vnTolmere.ini.tmp-inflight");
    fs::create_directory(folder / ".vnTolmere.ini.tmp-folder01");
    std::vector<std::string> expected = kept;
    expected.push_back(".vnTolmere.ini.tmp-folder01");
#ifndef _WIN32
    // The C++ library cannot set a folder's time on Windows; there the folder is only new.
    fs::last_write_time(folder / ".vnTolmere.ini.tmp-folder01", stale);
    makeFile("elsewhere", true);
    fs::create_symlink("elsewhere", folder / ".vnTolmere.ini.tmp-linktoit");
    expected.push_back("elsewhere");
    expected.push_back(".vnTolmere.ini.tmp-linktoit");
#endif
    // A failed Save removes nothing.
    fs::create_directory(IniFile());
    EXPECT_THROW(SaveSettings(state_, page), SettingsWriteError);
    EXPECT_TRUE(fs::exists(folder / removed.front()));
    fs::remove(IniFile());

    SaveSettings(state_, page);
    expected.push_back("vnTolmere.ini");
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        left.push_back(Utf8Text(entry.path().filename()));
    std::sort(left.begin(), left.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

TEST_F(SettingsFileTest, AFailedResetRaisesTheWriteError) {
    state_.IniFileName = Utf8Text(Base() / "missing" / "vnTolmere.ini");
    EXPECT_THROW(ResetWindowSize(state_), SettingsWriteError);
}

} // namespace
