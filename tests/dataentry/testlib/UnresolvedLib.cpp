// A library that needs a symbol no one provides: binding it with every symbol
// resolved at load time fails.
extern "C" int veldo_symbol_that_does_not_exist();

extern "C" __attribute__((visibility("default"))) int UnresolvedCaller() { return veldo_symbol_that_does_not_exist(); }
