#pragma once
// The texts of the About page and the two addresses it hands to the desktop.

#include <string>

// Six lines, each ended by a carriage return alone: product, empty, rights notice, empty, web host.
std::string AboutText();

// The platform the program was built for, e.g. "Linux 64-bit version" or "Windows 32-bit version".
std::string PlatformText();

// "mailto:" with the support mailbox and the subject Support Request (Tolmere).
std::string SupportRequestAddress();

// The product's web page on the maker's web host.
std::string WebPageAddress();
