#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/stop_run.hpp"

#include <stdint.h>

#include <vector>

void PluginFault(const char* Where, const std::string& Why) {
    StopRun(ExitStopped, "%s: %s", Where, Why.c_str());
}

std::string AddressText(const void* Address) {
    char Text[16];
    snprintf(Text, sizeof Text, "%#lx",
             static_cast<unsigned long>(reinterpret_cast<uintptr_t>(Address)));
    return Address == nullptr ? "0x0" : Text;
}

int CheckedCount(const char* Where, int Count, int Limit, const char* Things, const char* Takes) {
    char Why[160];
    if (Count < 0)
        snprintf(Why, sizeof Why, "a count of %d %s", Count, Things);
    else if (Count > Limit)
        snprintf(Why, sizeof Why, "%d %s, more than qelhost %s (at most %d)", Count, Things, Takes,
                 Limit);
    else
        return Count;
    PluginFault(Where, Why);
}

std::string UnreadableList(const char* What, const void* List, size_t RecordSize, int Count) {
    const auto* Bytes = static_cast<const unsigned char*>(List);
    std::vector<unsigned char> Record(RecordSize);
    int First = 0;
    while (First < Count && CopyFromPlugin(Record.data(), Bytes + First * RecordSize, RecordSize))
        ++First;
    std::string Why = std::string(What) + " at " + AddressText(List);
    if (First == 0)
        return Why + " cannot be read";
    return Why + " holds no " + std::to_string(Count) + " entries: entry " +
           std::to_string(First + 1) + " at " + AddressText(Bytes + First * RecordSize) +
           " cannot be read";
}

std::u32string ReadText(const char* Where, const std::string& What, const char* Text) {
    if (Text == nullptr)
        return U"";
    return OemToUnicode(ReadRawText(Where, What, Text, MaxTextBytes));
}

std::string ReadBytes(const char* Where, const std::string& What, const char* From, int Length) {
    std::string Bytes(static_cast<size_t>(Length), '\0');
    if (!CopyFromPlugin(Bytes.data(), From, Bytes.size()))
        PluginFault(Where, What + " at " + AddressText(From) + " cannot be read");
    return Bytes;
}

std::string ReadRawText(const char* Where, const std::string& What, const char* From,
                        size_t Limit) {
    std::string Text;
    TextRead Result = ReadPluginText(From, Limit, Text);
    if (Result == TextRead::Unreadable)
        PluginFault(Where, What + " at " + AddressText(From) + " cannot be read");
    if (Result == TextRead::TooLong)
        PluginFault(Where, What + " at " + AddressText(From) + " has no terminating zero within " +
                               std::to_string(Limit) + " bytes");
    return Text;
}

std::string ReadOemText(const char* Where, const std::string& What, const char* Text) {
    return ReadRawText(Where, What, Text, MaxTextBytes);
}

void WriteOemText(const char* Where, const std::string& What, char* To, const std::string& Text) {
    if (!CopyToPlugin(To, Text.c_str(), Text.size() + 1))
        PluginFault(Where, What + " at " + AddressText(To) + " cannot take " +
                               std::to_string(Text.size() + 1) + " bytes");
}
