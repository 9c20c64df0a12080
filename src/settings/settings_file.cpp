#include "settings_file.h"

#include "atomic_file.h"
#include "color_roles.h"
#include "ini_store.h"

#include <array>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ConfigSection = "Config";
constexpr std::string_view ColorsSection = "Colors";

fs::path Utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Text(const fs::path& file) {
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

bool EndsWithSeparator(const fs::path::string_type& text) {
    if (text.empty())
        return false;
    return text.back() == fs::path::preferred_separator || text.back() == '/';
}

bool IsFolderOrCreated(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error))
        return true;
    fs::create_directories(folder, error);
    return !error && fs::is_directory(folder, error);
}

// Whether create_directories would plausibly succeed, judged without creating anything.
bool IsFolderOrCreatable(const fs::path& folder) {
    std::error_code error;
    fs::path existing = folder;
    while (!existing.empty() && !fs::exists(existing, error)) {
        if (existing == existing.parent_path())
            break;
        existing = existing.parent_path();
    }
    return existing.empty() || fs::is_directory(existing, error);
}

// Bytes of code 32 and below, blanks and control characters alike; UTF-8 sequences are all above.
std::string TrimControlCharacters(std::string_view text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControl(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

const ColorRole& RoleByKey(std::string_view key) {
    for (const ColorRole& role : ColorRoles) {
        if (role.Key == key)
            return role;
    }
    throw std::logic_error("unknown color role");
}

LoadedSettings ReadConfig(const IniStore& store, SettingsState& state) {
    LoadedSettings loaded;
    state.AgencyName = store.ReadString(ConfigSection, "Agency", DefaultAgencyName);
    loaded.WorkAssign = store.ReadString(ConfigSection, "WorkAssign", DefaultWorkAssign);
    loaded.ShowPaydays = store.ReadBool(ConfigSection, "ShowPaydays", false);
    loaded.Width = store.ReadInteger(ConfigSection, "Width", DefaultWindowWidth);
    loaded.Height = store.ReadInteger(ConfigSection, "Height", DefaultWindowHeight);
    return loaded;
}

} // namespace

fs::path JoinPath(const fs::path& folder, const fs::path& name) {
    if (name.empty())
        return folder;
    if (folder.empty() || name.has_root_name() || name.has_root_directory())
        return name;
    fs::path::string_type joined = folder.native();
    if (!EndsWithSeparator(joined))
        joined += fs::path::preferred_separator;
    joined += name.native();
    return fs::path(joined);
}

void LocateSettingsFile(SettingsState& state, const fs::path& base) {
    fs::path folder = JoinPath(JoinPath(base, "Orvane"), "Varnok");
    if (!IsFolderOrCreated(folder)) {
        folder = JoinPath(base, "Varnok");
        if (!IsFolderOrCreated(folder))
            folder = base;
    }
    state.IniFileName = Utf8Text(JoinPath(folder, fs::path(SettingsFileName)));
}

void FindSettingsFile(SettingsState& state, const fs::path& base) {
    fs::path folder = JoinPath(JoinPath(base, "Orvane"), "Varnok");
    if (!IsFolderOrCreatable(folder)) {
        folder = JoinPath(base, "Varnok");
        if (!IsFolderOrCreatable(folder))
            folder = base;
    }
    state.IniFileName = Utf8Text(JoinPath(folder, fs::path(SettingsFileName)));
}

LoadedSettings LoadConfigSettings(SettingsState& state) {
    return ReadConfig(IniStore(Utf8Path(state.IniFileName)), state);
}

LoadedSettings LoadSettings(SettingsState& state) {
    const IniStore store(Utf8Path(state.IniFileName));
    const LoadedSettings loaded = ReadConfig(store, state);
    for (const ColorRole& role : ColorRoles)
        state.*role.Member = ColorFromText(store.ReadString(ColorsSection, role.Key, role.DefaultText));
    return loaded;
}

void SaveSettings(SettingsState& state, const SettingsPageValues& page) {
    IniStore store(Utf8Path(state.IniFileName));
    if (!page.AgencyEditText.empty()) {
        state.AgencyName = TrimControlCharacters(page.AgencyEditText);
        store.WriteString(ConfigSection, "Agency", state.AgencyName);
    }
    store.WriteString(ConfigSection, "WorkAssign", page.WorkAssign);
    store.WriteBool(ConfigSection, "ShowPaydays", page.ShowPaydays);
    store.WriteInteger(ConfigSection, "Width", page.Width);
    store.WriteInteger(ConfigSection, "Height", page.Height);
    // Off-Duty comes first here, unlike the load order; the order of a new file's keys shows it.
    for (const std::string_view key : {"Off-Duty", "On-Duty", "RDO", "LdTr", "BkGr"}) {
        const ColorRole& role = RoleByKey(key);
        store.WriteString(ColorsSection, role.Key, ColorToText(state.*role.Member));
    }
    RemoveStaleTemporaryFiles(store.FileName());
}

void ResetWindowSize(const SettingsState& state) {
    IniStore store(Utf8Path(state.IniFileName));
    store.WriteInteger(ConfigSection, "Width", DefaultWindowWidth);
    store.WriteInteger(ConfigSection, "Height", DefaultWindowHeight);
    RemoveStaleTemporaryFiles(store.FileName());
}
