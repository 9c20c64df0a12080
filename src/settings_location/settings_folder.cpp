#include "settings_folder.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#else
#include <QStandardPaths>
#endif

std::filesystem::path DefaultSettingsBase() {
#ifdef _WIN32
    wchar_t folder[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder) != S_OK)
        return {};
    return std::filesystem::path(folder);
#else
    return std::filesystem::path(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdU16String());
#endif
}
