#include "qelhost/services/record_sort.hpp"

#include <string.h>

#include <vector>

namespace {

using Order = std::vector<const unsigned char*>;

void MergeSort(Order& Records, Order& Spare, size_t First, size_t Last,
               const RecordComparison& Compare) {
    if (Last - First < 2)
        return;
    size_t Middle = First + (Last - First) / 2;
    MergeSort(Records, Spare, First, Middle, Compare);
    MergeSort(Records, Spare, Middle, Last, Compare);
    size_t Left = First, Right = Middle, Out = First;
    while (Left < Middle && Right < Last)
        Spare[Out++] =
            Compare(Records[Right], Records[Left]) < 0 ? Records[Right++] : Records[Left++];
    while (Left < Middle)
        Spare[Out++] = Records[Left++];
    while (Right < Last)
        Spare[Out++] = Records[Right++];
    for (size_t I = First; I < Last; ++I)
        Records[I] = Spare[I];
}

} // namespace

void SortRecords(void* Base, size_t Count, size_t Width, const RecordComparison& Compare) {
    if (Count < 2 || Width == 0)
        return;
    auto* Bytes = static_cast<unsigned char*>(Base);
    Order Records(Count), Spare(Count);
    for (size_t I = 0; I < Count; ++I)
        Records[I] = Bytes + I * Width;
    MergeSort(Records, Spare, 0, Count, Compare);
    std::vector<unsigned char> Sorted(Count * Width);
    for (size_t I = 0; I < Count; ++I)
        memcpy(Sorted.data() + I * Width, Records[I], Width);
    memcpy(Bytes, Sorted.data(), Sorted.size());
}

void* FindSortedRecord(const void* Key, const void* Base, size_t Count, size_t Width,
                       const RecordComparison& Compare) {
    auto* Bytes = static_cast<const unsigned char*>(Base);
    size_t Low = 0, High = Count;
    while (Low < High) {
        size_t Middle = Low + (High - Low) / 2;
        const unsigned char* Record = Bytes + Middle * Width;
        int Order = Compare(Key, Record);
        if (Order == 0)
            return const_cast<unsigned char*>(Record);
        if (Order < 0)
            High = Middle;
        else
            Low = Middle + 1;
    }
    return nullptr;
}
