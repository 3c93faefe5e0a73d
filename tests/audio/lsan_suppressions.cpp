// libsndfile 1.2.0 leaks its Vorbis header state when sf_open gives up on a
// truncated .ogg; nothing the caller holds can free it. LeakSanitizer reads
// this hook in sanitizer builds; other builds never call it.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:vorbis_info_init\n"; }
