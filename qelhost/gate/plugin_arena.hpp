// The plugin's heap: memory of its own, apart from the C library's heap that
// qelhost's own code allocates from. A plugin that writes past its blocks
// then corrupts only its own heap, which the heap stand-ins check and blame
// on it, never qelhost's, where the damage would surface later in
// qelhost's own code as a fault of qelhost.
//
// Each block follows a header of 16 bytes that holds its size class and a
// check word; freed blocks wait in a list of their class, linked through
// their first word.
#pragma once

#include <stddef.h>
#include <string.h>

// A block of at least Size bytes, 16-byte aligned; null when memory is out.
void* ArenaAllocate(size_t Size);

// How many bytes Block (from ArenaAllocate) holds.
size_t ArenaSize(void* Block);

void ArenaFree(void* Block);

// Whether Block's header is as ArenaAllocate left it; false when the plugin
// wrote over it.
bool ArenaBlockIntact(void* Block);

// Stops the run: the system has no memory left for a record.
[[noreturn]] void NoRoomForRecord();

// A record qelhost hands the plugin to fill in, kept in the plugin's heap
// rather than in qelhost's own stack frames, so that a plugin writing past
// it damages only its own memory. Zeroed; freed when done, unless the
// plugin wrote over its header (then left alone).
template <typename Record> class HandedRecord {
  public:
    HandedRecord() : Where(static_cast<Record*>(ArenaAllocate(sizeof(Record)))) {
        if (Where == nullptr)
            NoRoomForRecord();
        memset(static_cast<void*>(Where), 0, sizeof(Record));
    }
    ~HandedRecord() {
        if (ArenaBlockIntact(Where))
            ArenaFree(Where);
    }
    HandedRecord(const HandedRecord&) = delete;
    HandedRecord& operator=(const HandedRecord&) = delete;

    Record* operator->() const {
        return Where;
    }
    Record* get() const {
        return Where;
    }

  private:
    Record* Where;
};
