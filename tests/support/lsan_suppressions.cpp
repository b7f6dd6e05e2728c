// Leak checking in the sanitizer build: fontconfig keeps its font patterns in
// process-wide caches (under Pango's font map) that it never frees; those are
// not leaks of ours.

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
