// KERNEL32.dll's memory functions (Heap*, Global*, Local*, VirtualAlloc),
// on the heap qelhost watches (plugin_heap.hpp), the same in both builds:
// --heap-fail-after counts their allocations with malloc's, and freeing
// what is no block of the plugin's is its fault, as with free. Every heap
// handle stands for that one heap; a movable block's handle is its address.
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

#include <stddef.h>

// The flags the functions heed, as Windows defines them.
constexpr DWORD HeapZeroMemory = 0x8;
constexpr DWORD HeapReallocInPlaceOnly = 0x10;
constexpr DWORD GmemZeroinit = 0x40; // LMEM_ZEROINIT too
constexpr DWORD GmemModify = 0x80;   // LMEM_MODIFY too
constexpr DWORD MemCommit = 0x1000;
constexpr DWORD MemReserve = 0x2000;
constexpr DWORD MemDecommit = 0x4000;
constexpr DWORD MemRelease = 0x8000;
constexpr size_t PageSize = 4096;

PLUGIN_STDCALL HANDLE Kernel32GetProcessHeap();
PLUGIN_STDCALL HANDLE Kernel32HeapCreate(DWORD Options, size_t Initial, size_t Maximum);
PLUGIN_STDCALL BOOL Kernel32HeapDestroy(HANDLE Heap);
PLUGIN_STDCALL void* Kernel32HeapAlloc(HANDLE Heap, DWORD Flags, size_t Size);
PLUGIN_STDCALL void* Kernel32HeapReAlloc(HANDLE Heap, DWORD Flags, void* Block, size_t Size);
PLUGIN_STDCALL BOOL Kernel32HeapFree(HANDLE Heap, DWORD Flags, void* Block);
PLUGIN_STDCALL size_t Kernel32HeapSize(HANDLE Heap, DWORD Flags, const void* Block);
PLUGIN_STDCALL BOOL Kernel32HeapValidate(HANDLE Heap, DWORD Flags, const void* Block);
PLUGIN_STDCALL HANDLE Kernel32GlobalAlloc(DWORD Flags, size_t Size);
PLUGIN_STDCALL HANDLE Kernel32GlobalReAlloc(HANDLE Block, size_t Size, DWORD Flags);
PLUGIN_STDCALL HANDLE Kernel32GlobalFree(HANDLE Block);
PLUGIN_STDCALL size_t Kernel32GlobalSize(HANDLE Block);
PLUGIN_STDCALL void* Kernel32GlobalLock(HANDLE Block);
PLUGIN_STDCALL BOOL Kernel32GlobalUnlock(HANDLE Block);
PLUGIN_STDCALL HANDLE Kernel32GlobalHandle(const void* Block);
PLUGIN_STDCALL HANDLE Kernel32LocalAlloc(DWORD Flags, size_t Size);
PLUGIN_STDCALL HANDLE Kernel32LocalReAlloc(HANDLE Block, size_t Size, DWORD Flags);
PLUGIN_STDCALL HANDLE Kernel32LocalFree(HANDLE Block);
PLUGIN_STDCALL size_t Kernel32LocalSize(HANDLE Block);
PLUGIN_STDCALL void* Kernel32LocalLock(HANDLE Block);
PLUGIN_STDCALL BOOL Kernel32LocalUnlock(HANDLE Block);
PLUGIN_STDCALL void* Kernel32VirtualAlloc(void* Address, size_t Size, DWORD Type, DWORD Protect);
PLUGIN_STDCALL BOOL Kernel32VirtualFree(void* Address, size_t Size, DWORD Type);
