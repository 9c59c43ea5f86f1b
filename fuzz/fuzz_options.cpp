// fuzz_options.cpp - AddressSanitizer's defaults for the fuzzers: the stacks it records at each
// allocation and release hold 8 frames rather than 30. Every call allocates its arguments and
// its result; at 30 frames recording them took a fifth of a fuzzer's time, and 8 frames still
// reach from a record to the command that made it. ASAN_OPTIONS overrides this.
extern "C" const char* __asan_default_options() { return "malloc_context_size=8"; }
