// The standard functions sprintf and sscanf as the host's run-time reads
// their formats: Microsoft's size prefixes (I64, I32, I) beside the C ones,
// %p as eight capital hex digits, long double as double. Both builds format
// with their own C library after translating the format, so they agree.
#pragma once

#include <stdarg.h>
#include <stddef.h>

#include <string>

// The longest text qelhost formats for the plugin; more stops the run.
constexpr size_t MaxFormattedBytes = 1024 * 1024;

// The text Format makes of the arguments. Text the plugin's %s points to
// and %n's counter are used directly: the caller marks them as the
// plugin's. Returns false, with Why set, for a format qelhost does not
// read (a wide %S or %C, or a text past MaxFormattedBytes).
bool FormatLikeHost(const char* Format, va_list Arguments, std::string& Text, std::string& Why);

// Format with the host's size prefixes as the C library writes them
// ("%I64d" becomes "%lld"), for scanning.
std::string ScanFormat(const char* Format);
