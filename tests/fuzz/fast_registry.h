// A registry for the fuzz targets, built for the rate of a run rather than
// for the reading of a failed test. The program's walks open a hundred keys
// per run, most of them absent, so a call allocates nothing unless it adds
// something, and only what the targets check is kept: the writes and deletes,
// and the keys opened for writing. Otherwise it behaves as the unit tests'
// in-memory registry: keys and value names compare case-insensitively, empty
// parts of a path drop out, access masks are enforced as on Windows NT, and
// every call can be made to fail.
//
// It is built without coverage and sanitizers into the fuzzers (see
// cmake/fuzz.cmake): its own branches would only steer the fuzzer, and the
// program's reads and writes of its buffers are checked all the same.
//
// Paths are handed to the observer and kept in their canonical form: lower
// case, "hklm\..." for HKEY_LOCAL_MACHINE.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"

namespace fuzz {

enum class Op { Open, Create, Query, Set, Delete, DeleteKey, Close };

// A call as the observer sees it, before it runs.
struct Call {
  Op op;
  const std::string& path;  // canonical; empty for an invalid handle
  const std::string& name;  // Query, Set, Delete
  uint32_t access;          // Open, Create
};

// A Set, Delete or DeleteKey, kept in order with its outcome.
struct Write {
  Op op;
  std::string path;
  std::string name;
  uint32_t type;
  std::string data;
  long result;
};

struct Value {
  std::string lowerName;
  uint32_t type = vl::kRegNone;
  std::string data;
};

class FastRegistry : public vl::IRegistry {
 public:
  FastRegistry();

  // Called before each call with the call; a nonzero result makes the call
  // fail with that status.
  std::function<long(const Call&)> observe;
  std::vector<Write> writes;
  // Keys opened or created with the right to set values, in order.
  std::vector<std::string> writeOpens;

  // ---- Seeding and inspection; `path` like "HKLM\System\..." ----
  void AddKey(const std::string& path);
  void Put(const std::string& path, const std::string& name, uint32_t type, std::string data);
  void PutSz(const std::string& path, const std::string& name, const std::string& text);
  // Removes the key with every key below it; of a root, only what is below.
  // Only while no handle is open.
  void RemoveKey(const std::string& path);
  bool HasKey(const std::string& path) const;
  const Value* Get(const std::string& path, const std::string& name) const;
  size_t OpenHandles() const { return open_; }

  // For a registry kept from one input to the next, which spares building
  // it anew: forgets the calls (handles, writes, counts, the observer), and
  // takes back the keys and values of `model`, reusing the room they had.
  void ClearCalls();
  void ResetTo(const FastRegistry& model);
  size_t CallCount() const { return calls_; }

  // ---- IRegistry ----
  long OpenKey(vl::RegKey root, const std::string& subkey, uint32_t access,
               vl::RegKey* result) override;
  long CreateKey(vl::RegKey root, const std::string& subkey, uint32_t options, uint32_t access,
                 vl::RegKey* result) override;
  long QueryValue(vl::RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(vl::RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long DeleteValue(vl::RegKey key, const std::string& name) override;
  long DeleteKey(vl::RegKey root, const std::string& subkey) override;
  long CloseKey(vl::RegKey key) override;

 private:
  struct Key {
    std::string path;  // canonical
    std::vector<Value> values;
  };
  struct Handle {
    Key* key;  // null once closed
    uint32_t access;
  };

  Key* Ensure(const std::string& path);
  Handle* Lookup(vl::RegKey key);
  bool Resolve(vl::RegKey root, const std::string& subkey);
  void SetPath(const Handle* h);
  long Begin(Op op, const std::string& name, uint32_t access);
  vl::RegKey NewHandle(Key* key, uint32_t access);
  Key* ValueKey(Op op, vl::RegKey key, const std::string& name, uint32_t right, long* status);

  std::unordered_map<std::string, Key> keys_;
  std::vector<Handle> handles_;
  // The path of the call under way, and one for seeding and inspection;
  // both kept to spare their allocations.
  std::string path_;
  mutable std::string scratch_;
  size_t open_ = 0;
  size_t calls_ = 0;
};

}  // namespace fuzz
