// A small library the loader tests bind at run time.
extern "C" __attribute__((visibility("default"))) int LoaderTestAnswer() { return 42; }
