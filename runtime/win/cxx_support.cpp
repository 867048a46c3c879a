// The pieces of the C++ runtime the program needs, built with the program's
// own flags instead of taken from Debian's libstdc++ (built for the Pentium
// Pro, and with exception support the program does not use): the heap
// operators, the library's error hooks and the pure-virtual trap.
#include <cstdlib>
#include <new>
#include <string>

#include "runtime/win/runtime_fatal.h"

namespace {

const char kOutOfMemory[] = "There is not enough memory to go on.";
const char kInternalError[] = "An internal error occurred.";

}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) vl::RuntimeFatal(kOutOfMemory);
  return block;
}

void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// Where the library would throw: a length or an index beyond a container's
// bounds, an empty std::function called. Each is a fault of the program.
namespace std {

void __throw_bad_alloc() { vl::RuntimeFatal(kOutOfMemory); }
void __throw_bad_array_new_length() { vl::RuntimeFatal(kOutOfMemory); }
void __throw_length_error(const char* what) { vl::RuntimeFatal(kInternalError, what); }
void __throw_logic_error(const char* what) { vl::RuntimeFatal(kInternalError, what); }
void __throw_out_of_range(const char* what) { vl::RuntimeFatal(kInternalError, what); }
void __throw_out_of_range_fmt(const char* what, ...) { vl::RuntimeFatal(kInternalError, what); }
void __throw_invalid_argument(const char* what) { vl::RuntimeFatal(kInternalError, what); }
void __throw_bad_function_call() { vl::RuntimeFatal(kInternalError, "bad_function_call"); }

}  // namespace std

extern "C" void __cxa_pure_virtual() { vl::RuntimeFatal(kInternalError, "pure virtual call"); }
