// What the host takes from the plugin (lists, counts and texts, in service
// arguments and in the records its entry points fill) is checked before use
// and read with bounds. A bad one is the plugin's fault: the run stops with
// status 3 and "qelhost: WHERE: WHAT WAS WRONG", WHERE being the service or
// entry point.
#pragma once

#include "qelhost/gate/plugin_memory.hpp"

#include <string>
#include <vector>

// Bounds on what qelhost takes; far beyond what a plugin of this host needs.
constexpr size_t MaxTextBytes = 16 * 1024; // a text, its terminating zero not counted
constexpr int MaxMessageItems = 256;
constexpr int MaxDrawnDialogItems = 1024;
constexpr int MaxMenuStrings = 1000;
constexpr int MaxPanelItems = 65536;

[[noreturn]] void PluginFault(const char* Where, const std::string& Why);

// "0x10": how a pointer of the plugin's is named in reports.
std::string AddressText(const void* Address);

// Count, when it lies in 0 to Limit: "Dialog: 16777216 items, more than
// qelhost draws (at most 1024)". Things is "items", Takes "draws".
int CheckedCount(const char* Where, int Count, int Limit, const char* Things, const char* Takes);

// Count records from the plugin's list, copied; What names the list.
template <typename Record>
std::vector<Record> ReadList(const char* Where, const char* What, const Record* List, int Count);

// The plugin's text (code page 866) as Unicode, converted here once; a null
// pointer is no text. What names it: "item 2", "the panel title".
std::u32string ReadText(const char* Where, const std::string& What, const char* Text);

// The plugin's text as its bytes (code page 866), checked as ReadText
// checks it; a null pointer stops the run too, as it would crash the host.
std::string ReadOemText(const char* Where, const std::string& What, const char* Text);

// Writes Text and its terminating zero into the plugin's buffer at To.
void WriteOemText(const char* Where, const std::string& What, char* To, const std::string& Text);

// One record the plugin points to, copied in; What names it ("the record").
template <typename Record> Record ReadRecord(const char* Where, const char* What, const void* From);
// The record written back where the plugin pointed.
template <typename Record>
void WriteRecord(const char* Where, const char* What, void* To, const Record& Value);

// The plugin's bytes as they are: Length of them at From, or the zero-
// terminated text at From (of at most Limit bytes), without conversion.
std::string ReadBytes(const char* Where, const std::string& What, const char* From, int Length);
std::string ReadRawText(const char* Where, const std::string& What, const char* From, size_t Limit);

// ---- implementation of the templates ----

// Why the list cannot be read, naming its first unreadable record.
std::string UnreadableList(const char* What, const void* List, size_t RecordSize, int Count);

template <typename Record>
std::vector<Record> ReadList(const char* Where, const char* What, const Record* List, int Count) {
    std::vector<Record> Copy(static_cast<size_t>(Count));
    if (!CopyFromPlugin(Copy.data(), List, Copy.size() * sizeof(Record)))
        PluginFault(Where, UnreadableList(What, List, sizeof(Record), Count));
    return Copy;
}

template <typename Record>
Record ReadRecord(const char* Where, const char* What, const void* From) {
    Record Copy;
    if (!CopyFromPlugin(&Copy, From, sizeof Copy))
        PluginFault(Where, std::string(What) + " at " + AddressText(From) + " cannot be read");
    return Copy;
}

template <typename Record>
void WriteRecord(const char* Where, const char* What, void* To, const Record& Value) {
    if (!CopyToPlugin(To, &Value, sizeof Value))
        PluginFault(Where, std::string(What) + " at " + AddressText(To) + " cannot be written");
}
