#include "about_text.h"

// Build options (see the top-level CMakeLists.txt); the defaults are reserved example names.
#ifndef VARNOK_SUPPORT_MAILBOX
#define VARNOK_SUPPORT_MAILBOX "support@orvane.example"
#endif
#ifndef VARNOK_WEB_HOST
#define VARNOK_WEB_HOST "www.orvane.example"
#endif

namespace {

constexpr const char* BuildPlatformName() {
#if defined(_WIN32)
    return "Windows";
#elif defined(__APPLE__)
    return "macOS";
#elif defined(__linux__)
    return "Linux";
#elif defined(__FreeBSD__)
    return "FreeBSD";
#else
    return "Unix";
#endif
}

} // namespace

std::string AboutText() {
    return "Varnok for Tolmere Fire v4.0.1\r"
           "\r"
           "Copyright \u00A9 2026 Orvane\r"
           "All rights reserved.\r"
           "\r" VARNOK_WEB_HOST "\r";
}

std::string PlatformText() {
    return std::string(BuildPlatformName()) + " " + std::to_string(sizeof(void*) * 8) + "-bit version";
}

std::string SupportRequestAddress() {
    return "mailto:" VARNOK_SUPPORT_MAILBOX "?subject=Support%20Request%20(Tolmere)";
}

std::string WebPageAddress() {
    return "http://" VARNOK_WEB_HOST "/tolmere/index.html";
}
