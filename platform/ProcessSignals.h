#pragma once
// How the programs take the signals that the system sends for their own faults, set up once at
// start.

namespace platform {

// A write past the file-size limit (ulimit -f) then fails with EFBIG and is reported like any
// other failed write, where the signal would end the program mid-save.
void IgnoreFileSizeSignal();

} // namespace platform
