// qelhost's PE reader on any bytes: every structural check runs (headers,
// sections, relocations applied away from the preferred base, imports bound
// through a resolver that lacks some names, exports, thread-local data),
// and what it accepts stays within the image it describes.
#include "fuzz_check.hpp"
#include "qelhost/pe/pe_dll.hpp"

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace {

// Images larger than this are read but not laid out: memory per run stays small.
constexpr uint32_t LaidOutLimit = 16u << 20;

uint32_t Resolve(const std::string& Dll, const std::string& Name) {
    // Names starting with 'z' are missing, the rest bound somewhere.
    return Name.empty() || Name[0] == 'z' ? 0 : 0x1000u + static_cast<uint32_t>(Dll.size());
}

void CheckRecords(const DllRecords& Records, uint32_t ImageSize) {
    for (const auto& [Name, Rva] : Records.Exports)
        Check(Rva < ImageSize, "the export " + Shown(Name) + " lies within the image");
    Check(Records.EntryPointRva < ImageSize, "the entry routine lies within the image");
    const ThreadData& T = Records.Tls;
    if (!T.Present)
        return;
    Check(Fits(T.DataRva, T.DataSize, ImageSize), "the thread-local data lies within the image");
    Check(uint64_t{T.DataSize} + T.ZeroFillSize <= ThreadDataLimit,
          "the thread-local data is within its limit");
    Check(Fits(T.IndexRva, 4, ImageSize), "the TLS index lies within the image");
    for (int C = 0; C < T.CallbackCount; ++C)
        Check(T.Callbacks[C] < ImageSize, "each TLS callback lies within the image");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    Headers H;
    if (!ReadHeaders(Data, Size, H).empty())
        return 0;
    Check(H.Optional.ImageSize != 0 && H.Optional.ImageSize <= ImageSizeLimit,
          "an accepted image has a plausible size");
    if (H.Optional.ImageSize > LaidOutLimit)
        return 0;
    std::vector<unsigned char> Bytes(H.Optional.ImageSize);
    // Away from its preferred base, so that relocations are applied too.
    Image I{Bytes.data(), H.Optional.ImageSize, H.Optional.ImageBase + 0x10000};
    DllRecords Records;
    if (PrepareImage(Data, Size, H, I, "fuzz.dll", Resolve, Records).empty())
        CheckRecords(Records, H.Optional.ImageSize);
    CheckDll(Data, Size, "fuzz.dll");
    return 0;
}
