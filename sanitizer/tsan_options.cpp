// Linked into every executable of the ThreadSanitizer build: the first report
// ends the process with a failure, in the test binaries and in the children
// they start with a clean environment (the tray under end-to-end tests) alike.
extern "C" const char* __tsan_default_options();

extern "C" const char* __tsan_default_options() {
    return "halt_on_error=1:second_deadlock_stack=1";
}
