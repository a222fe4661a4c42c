#pragma once
// The backends whose libraries the first window does not need (sound, CD audio, printing) live
// in small shared modules beside the programs, loaded the first time they are needed: a start
// then maps and relocates none of those libraries.

namespace platform {

// The function Entry of the module Module ("garvo_sound" is libgarvo_sound.so), loaded from the
// running program's folder, else found by its name among the modules the process holds; null
// when it cannot be loaded. A module once loaded stays for the life of the process.
void* BackendEntry(const char* module, const char* entry);

} // namespace platform
