// The standard functions qsort, qsortex and bsearch: records of the
// plugin's sorted and searched with the plugin's own comparison, which
// Compare calls back into (through the call gate). The sort is a merge
// sort: stable, and at most about Count × log2(Count) comparisons however
// the comparison answers, so a comparison that contradicts itself cannot
// make it run on or reach outside the records.
#pragma once

#include <stddef.h>

#include <functional>

// <0, 0 or >0 as the plugin's comparison answers for two records.
using RecordComparison = std::function<int(const void* First, const void* Second)>;

// Sorts Count records of Width bytes at Base in place.
void SortRecords(void* Base, size_t Count, size_t Width, const RecordComparison& Compare);

// A record among Count sorted ones at Base that compares equal to Key, or null.
void* FindSortedRecord(const void* Key, const void* Base, size_t Count, size_t Width,
                       const RecordComparison& Compare);
