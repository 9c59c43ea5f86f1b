// poison.h - POOL_POISON and POOL_UNPOISON: under the address sanitizer, the record pools of
// the indexed build (block_table.h) mark the records that no node or list holds as unreadable,
// as freed records are in the default build; elsewhere the marks cost nothing.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)  // clang's way to tell
#define POOL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(POOL_ASAN)
#include <sanitizer/asan_interface.h>
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif
