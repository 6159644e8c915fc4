// AddressSanitizer's settings for every fuzz target, read by its runtime when the program starts; an
// ASAN_OPTIONS variable still overrides them.
//
// quarantine_size_mb: freed memory waits in a quarantine before it is handed out again, so that a use
// after free lands on poisoned memory. The default of 256 MB suits long-lived programs. One input of
// these targets frees a few hundred KB at most, so 64 MB still keeps every block an input freed poisoned
// until the input is done (and those of hundreds of inputs before it), and the allocator cycles through
// a quarter of the memory: the whole-plugin targets run about 1.4 times as fast.
extern "C" const char* __asan_default_options();

extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "quarantine_size_mb=64";
}
