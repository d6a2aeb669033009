#pragma once
// Splitting a Windows-style command line into arguments.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The arguments a Windows program's C runtime would see. The program name runs to the first blank or
// tab outside quotes (quotes dropped, backslashes plain). After it, blanks and tabs separate arguments
// outside quotes; 2n backslashes before a quote give n and the quote opens or closes, 2n+1 give n and a
// literal quote; "" inside quotes gives a literal quote; other backslashes stand for themselves; an
// unclosed quote runs to the end of the line. Leading blanks are skipped; an empty line gives nothing.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

}  // namespace platform
