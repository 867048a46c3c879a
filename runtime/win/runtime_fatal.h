// The last resort of the program's own runtime: a stop box under the
// program's caption, then the process ends. Used where the C++ library would
// throw (out of memory, a broken invariant) in a program built without
// exception support.
#pragma once

namespace vl {

// The caption of the program being built (VELORA_RUNTIME_CAPTION).
extern const char kRuntimeCaption[];

[[noreturn]] void RuntimeFatal(const char* text, const char* detail = nullptr);

}  // namespace vl
