// What the sanitizers are told in this test program, which runs the browser engine of the
// preview panel in-process. The engine's own code (not ours, and not built with the
// sanitizers) deletes objects through base pointers of another size and keeps allocations
// until the process ends; those reports are switched off here, for this program only.

extern "C" {

// NOLINTNEXTLINE: the sanitizer runtime looks these names up.
const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

// Leaks whose allocation stack passes through the browser engine's libraries, and the font
// configuration the engine loads and never releases.
const char* __lsan_default_suppressions() {
  return "leak:libQt6WebEngineCore.so\n"
         "leak:libQt6WebEngineWidgets.so\n"
         "leak:libfontconfig.so\n";
}

}
