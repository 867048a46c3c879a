// Timestamps on the road from process start to the first idle pass, for the
// bench's traced build of the program (VELORA_STARTUP_TRACE). In the shipped
// program the calls are empty and vanish.
#pragma once

namespace vl {

#ifdef VELORA_STARTUP_TRACE
// Notes the moment a step ended, the first time it ends; any thread may
// call it.
void TraceStep(const char* step);
// Writes the steps to the file named by VELORA_TRACE, once.
void TraceEnd();
#else
inline void TraceStep(const char*) {}
inline void TraceEnd() {}
#endif

}  // namespace vl
