#pragma once
// Small whole-file helpers for the settings tests.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The line end of a file the program creates: CRLF on Windows, LF elsewhere.
#ifdef _WIN32
inline constexpr std::string_view NewFileLineEnd = "\r\n";
#else
inline constexpr std::string_view NewFileLineEnd = "\n";
#endif

// LF-ended text (a literal, or a file from tests/settings/data, whatever git did to its line ends)
// as a new file holds it on this platform.
inline std::string WithNewFileLineEnds(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n')
            out += NewFileLineEnd;
        else
            out += text[i];
    }
    return out;
}

// The path as the program writes it into messages and SettingsState: UTF-8 on every platform.
inline std::string Utf8Text(const std::filesystem::path& file) {
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

inline std::filesystem::path Utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

#ifdef _WIN32
#include <windows.h>

// Wine stands in for Windows in the test command; where its file calls differ from Windows', a test
// asks this.
inline bool RunsUnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
#endif
