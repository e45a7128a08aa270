// The decoder library's allocator: every block is 32-byte aligned and zeroed.
#ifndef QUOR_MEMORY_H
#define QUOR_MEMORY_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// A host may supply the underlying memory. The allocate hook returns the block, 0 to let the
// library use its default source, or (void*)UINTPTR_MAX for failure.
typedef void* (*QuorAllocateHook)(size_t bytes);
typedef void (*QuorReleaseHook)(void* block);
void QuorSetMemoryHooks(QuorAllocateHook allocate, QuorReleaseHook release);

// Null for 0, 0xFFFFFFFF or memory shortage.
void* QuorAlloc(size_t bytes);
void QuorFree(void* block);

#ifdef __cplusplus
}
#endif

#endif
