// Read by the sanitizers before main(), so the tests of the sanitizer build need no environment.

extern "C" {

// Undefined behaviour ends the test with a stack, so the case fails rather than logs a line.
const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __asan_default_options() {
    return "detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1";
}
}
