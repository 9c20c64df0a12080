// The settings store on any file: an untouched file parses and writes back to the same bytes; one
// write of a UTF-8 value changes or adds only the lines of its key (and section), keeps every other
// line (byte for byte in a UTF-8 file, character for character in the other encodings), reads back as
// the read rules give it (outer blanks and one pair of enclosing quotes dropped, line breaks as
// blanks, cut at 2047 characters) and is not repeated by a second identical write. A file that could
// not be written back as it came is left untouched, with the write error.

#include "settings/ini_document.h"
#include "settings/ini_store.h"
#include "settings/text_encoding.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A private folder per input, on a memory file system when there is one so the flushed writes are
// cheap; removed after each input because libFuzzer ends without running exit handlers.
class WorkFolder {
public:
    WorkFolder() {
        const fs::path parent =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (parent / "varnok-ini-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        path_ = pattern;
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string ReadBytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(static_cast<bool>(stream));
}

struct Line {
    std::string_view Text;
    std::string_view Ending;
};

std::vector<Line> SplitLines(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark))
        bytes.remove_prefix(ByteOrderMark.size());
    std::vector<Line> lines;
    while (!bytes.empty()) {
        std::size_t end = 0;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        std::size_t endingLength = 0;
        if (end < bytes.size())
            endingLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        lines.push_back({bytes.substr(0, end), bytes.substr(end, endingLength)});
        bytes.remove_prefix(end + endingLength);
    }
    return lines;
}

std::string ExpectedReadBack(std::string value) {
    for (char& c : value) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const std::size_t first = value.find_first_not_of(" \t");
    value = first == std::string::npos ? std::string()
                                       : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if ((static_cast<unsigned char>(value[i]) & 0xC0) == 0x80)
            continue;
        if (characters++ == IniStore::MaxValueLength) {
            value.resize(i);
            break;
        }
    }
    return value;
}

std::string PickName(FuzzedDataProvider& input, const std::vector<std::string>& usual) {
    const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, usual.size());
    return choice < usual.size() ? usual[choice] : input.ConsumeRandomLengthString(16);
}

// Lines outside the written key keep their bytes; the one rewritten line keeps its text up to "=".
void CheckOtherLinesKept(std::string_view before, std::string_view after) {
    const std::vector<Line> in = SplitLines(before);
    const std::vector<Line> out = SplitLines(after);
    const auto same = [&](std::size_t i, std::size_t j) {
        const bool lastUnterminated = i + 1 == in.size() && in[i].Ending.empty();
        return in[i].Text == out[j].Text && (in[i].Ending == out[j].Ending || lastUnterminated);
    };
    std::size_t prefix = 0;
    while (prefix < in.size() && prefix < out.size() && same(prefix, prefix))
        ++prefix;
    std::size_t suffix = 0;
    while (prefix + suffix < in.size() && prefix + suffix < out.size() &&
           same(in.size() - 1 - suffix, out.size() - 1 - suffix))
        ++suffix;
    const std::size_t changedIn = in.size() - prefix - suffix;
    const std::size_t changedOut = out.size() - prefix - suffix;
    if (changedIn == 1) {
        Check(changedOut == 1);
        const std::string_view old = in[prefix].Text;
        const std::size_t equals = old.find('=');
        Check(equals != std::string_view::npos);
        Check(out[prefix].Text.substr(0, equals + 1) == old.substr(0, equals + 1));
    } else {
        Check(changedIn == 0 && changedOut <= 2);
    }
    Check(before.starts_with(ByteOrderMark) == after.starts_with(ByteOrderMark));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = PickName(input, {"Config", "Colors", "CONFIG", "x"});
    const std::string key = PickName(input, {"Agency", "Width", "on-duty", "k"});
    const std::string value = input.ConsumeRandomLengthString(4096);
    const std::string file = input.ConsumeRemainingBytesAsString();

    Check(IniDocument::Parse(file).Serialize() == file);
    if (!IniDocument::IsValidSectionName(section) || !IniDocument::IsValidKeyName(key))
        return 0;

    // The program's names are its own and its values text from its controls: always UTF-8.
    if (!IsValidUtf8(section) || !IsValidUtf8(key) || !IsValidUtf8(value))
        return 0;

    const WorkFolder folder;
    const fs::path path = folder.Path() / "vnTolmere.ini";
    WriteBytes(path, file);
    IniStore store(path);
    const DecodedText before = DecodeText(file);
    try {
        store.WriteString(section, key, value);
    } catch (const SettingsWriteError&) {
        Check(!before.Writable && ReadBytes(path) == file);
        return 0;
    }
    const std::string written = ReadBytes(path);
    if (before.Encoding == TextEncoding::Utf8) {
        // A character cut at the end of the file becomes U+FFFD once a line follows it.
        const bool repaired = !IsValidUtf8(file) && IsValidUtf8(written);
        CheckOtherLinesKept(repaired ? ReplaceInvalidUtf8(file) : file, written);
    } else
        CheckOtherLinesKept(before.Text, DecodeText(written).Text);
    Check(store.ReadString(section, key, "\x01missing") == ExpectedReadBack(value));

    store.WriteString(section, key, value);
    Check(ReadBytes(path) == written);
    return 0;
}
