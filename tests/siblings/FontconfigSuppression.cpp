// fontconfig keeps a few hundred bytes of its configuration unreachable once
// per process; that is not Scrivo2's to free, so LeakSanitizer is told so.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
