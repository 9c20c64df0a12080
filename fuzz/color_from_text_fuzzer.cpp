// ColorFromText on any text: it returns a color or raises the conversion error with the working text,
// and the text ColorToText writes for that color reads back to the same color.

#include "settings/alpha_color.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const TAlphaColor color = ColorFromText(text);
        if (ColorFromText(ColorToText(color)) != color)
            std::abort();
    } catch (const ColorConversionError& error) {
        std::string working = text;
        if (!working.empty() && (working.front() == '#' || working.front() == 'x'))
            working.front() = '$';
        // what() is a C string: a NUL byte in the text ends the message there.
        const std::string expected = "'" + working + "' is not a valid integer value";
        if (std::string(error.what()) != expected.substr(0, expected.find('\0')))
            std::abort();
    }
    return 0;
}
