// fuzz_options.cpp - AddressSanitizer's defaults for the fuzzers. The stacks it records at each
// allocation and release hold 8 frames rather than 30: every call allocates its arguments and
// its result, at 30 frames recording them took a fifth of a fuzzer's time, and 8 frames still
// reach from a record to the command that made it. Freed memory waits in a quarantine of 16 MB
// rather than 256 MB before it is reused: an input's graph is a few hundred kB at most, so a
// released record is still caught for many inputs after, and once the large quarantine had
// filled, minutes into a run, recycling it slowed a differential fuzzer from about 750 to about
// 400 inputs a second (16 MB: about 530 from the start). ASAN_OPTIONS overrides both.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=8:quarantine_size_mb=16";
}
