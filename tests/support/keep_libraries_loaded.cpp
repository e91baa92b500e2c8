// Sanitizer builds only: a shared library stays mapped once loaded. The leak checker runs at
// exit, after SDL has unloaded the GL driver; the driver's own allocations would then show as
// frames of "<unknown module>", which no suppression can name. Kept loaded, they are named
// and tests/leak_suppressions.txt can set them apart from ours.
#if defined(__SANITIZE_ADDRESS__)
extern "C" int dlclose(void*) { return 0; }
#endif
