// AddressSanitizer's defaults for every fuzzer. A freed block waits in
// quarantine so that a use after free is caught; by default 256 MB of
// them wait, which keeps every input's garbage resident and makes each
// input fault in fresh pages. A small quarantine still catches the uses
// right after a free, and an input costs memory in proportion to its size.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=16";
}
