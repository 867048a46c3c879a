#pragma once

namespace vl {

// What a writer or restore did, for its caller; nothing here is shown by the
// writer itself.
struct WriteReport {
  int adapters = 0;         // adapters whose work was carried out
  bool failed = false;      // a registry write, delete or needed open failed
  bool cancelled = false;   // the user answered No to the confirmation
};

}  // namespace vl
