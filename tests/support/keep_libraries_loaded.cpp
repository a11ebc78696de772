// Preloaded into tests that play videos: libvlc unloads its output plugins after use, and
// memory those plugins' libraries set aside when they were loaded would then show up as
// leaks with no library name to tell them from ours. Keeping every library loaded keeps
// that memory reachable.
extern "C" int dlclose(void*) { return 0; }
