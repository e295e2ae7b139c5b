// Linked into every executable of the ThreadSanitizer build, so that children
// started with a clean environment (the tray under end-to-end tests) fail on
// the first report just like the test binaries that start them.
extern "C" const char* __tsan_default_options();

extern "C" const char* __tsan_default_options() {
    return "halt_on_error=1:second_deadlock_stack=1:suppressions=" PELLAMY_TSAN_SUPPRESSIONS;
}
