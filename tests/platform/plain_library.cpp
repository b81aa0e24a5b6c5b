// A loadable library that is not a component server: it has none of the Dll* entries.
extern "C" __attribute__((visibility("default"))) int qor_test_plain_function() {
    return 42;
}
