// Leak checking in the sanitizer build ignores the libraries' own
// process-lifetime state, which they never free and which are not leaks of
// ours:
// - fontconfig keeps its font patterns in process-wide caches (under Pango's
//   font map);
// - SDL keeps per-thread storage for threads it did not create (a window made
//   on a worker thread) until the process ends.

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libSDL2-2.0.so\n";
}
