#include "qelhost/pe/pe_thread_data.hpp"

namespace {

// The callback array, up to its null entry; each callback in the image.
std::string ReadCallbacks(const Image& I, uint32_t ArrayAddress, ThreadData& T) {
    for (uint64_t Slot = 0;; ++Slot) {
        uint32_t Callback = 0;
        if (!I.Read(uint64_t{I.RvaOf(ArrayAddress)} + 4 * Slot, Callback))
            return "its TLS callbacks lie outside the image";
        if (Callback == 0)
            return "";
        if (T.CallbackCount == TlsCallbackLimit)
            return "it has more than " + std::to_string(TlsCallbackLimit) + " TLS callbacks";
        if (!I.Contains(I.RvaOf(Callback)))
            return "a TLS callback (" + Hex(Callback) + ") lies outside the image";
        T.Callbacks[T.CallbackCount++] = I.RvaOf(Callback);
    }
}

} // namespace

std::string ReadThreadData(const Image& I, const Headers& H, ThreadData& T) {
    const pe::DataDirectory& Table = H.Table(pe::TlsTable);
    pe::TlsDirectory D{};
    if (Table.Size == 0 || !I.Read(Table.Rva, D)) // the table holds its directory: checked
        return "";
    if (D.DataEnd < D.DataStart)
        return "its thread-local data ends (" + Hex(D.DataEnd) + ") before it starts (" +
               Hex(D.DataStart) + ")";
    uint32_t Start = I.RvaOf(D.DataStart), Length = D.DataEnd - D.DataStart;
    if (!I.Contains(Start, Length))
        return "its thread-local data lies outside the image";
    uint64_t Total = uint64_t{Length} + D.ZeroFillSize;
    if (Total > ThreadDataLimit)
        return "its thread-local data (" + std::to_string(Length) + " bytes and " +
               std::to_string(D.ZeroFillSize) + " more zeroed) is larger than the " +
               std::to_string(ThreadDataLimit >> 20) + " MB qelhost gives it";
    T.IndexRva = I.RvaOf(D.IndexAddress);
    if (!I.Contains(T.IndexRva, 4))
        return "its TLS index (" + Hex(D.IndexAddress) + ") lies outside the image";
    if (D.CallbacksAddress != 0) {
        std::string Error = ReadCallbacks(I, D.CallbacksAddress, T);
        if (!Error.empty())
            return Error;
    }
    T.Present = true;
    T.DataRva = Start;
    T.DataSize = Length;
    T.ZeroFillSize = D.ZeroFillSize;
    return "";
}
