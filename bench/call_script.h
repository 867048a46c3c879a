// The floor of the registry benchmarks: the exact registry calls an operation
// made, recorded once and then replayed in a bare loop with everything built
// beforehand. What the operation costs beyond its replay is the program's own
// overhead: the walks' text building, buffers, callbacks and bookkeeping.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace bench {

enum class CallOp { Open, Create, Query, Set, Delete, Close };

struct ScriptedCall {
  CallOp op = CallOp::Close;
  int key = -1;        // slot of the key handle; -1 for the predefined `root`
  vl::RegKey root = 0;
  int result = -1;     // slot the opened key goes to (Open, Create)
  std::string text;    // subkey (Open, Create) or value name
  uint32_t access = 0;   // Open, Create
  uint32_t options = 0;  // Create
  uint32_t type = 0;     // Set
  std::vector<uint8_t> data;  // Set
  uint32_t size = 0;     // Query: the buffer size offered
  bool withData = true;  // Query: a buffer was given (not a size probe)
  long status = 0;       // what the recorded call returned
};

struct CallScript {
  std::vector<ScriptedCall> calls;
  int slots = 0;
};

// Passes every call on to `inner` and writes it down.
class RecordingRegistry : public vl::IRegistry {
 public:
  explicit RecordingRegistry(vl::IRegistry& inner) : inner_(inner) {}
  const CallScript& script() const { return script_; }

  long OpenKey(vl::RegKey root, const std::string& subkey, uint32_t access,
               vl::RegKey* result) override;
  long CreateKey(vl::RegKey root, const std::string& subkey, uint32_t options, uint32_t access,
                 vl::RegKey* result) override;
  long QueryValue(vl::RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(vl::RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long DeleteValue(vl::RegKey key, const std::string& name) override;
  // No measured operation deletes a key; the call is only passed on.
  long DeleteKey(vl::RegKey root, const std::string& subkey) override {
    return inner_.DeleteKey(root, subkey);
  }
  long CloseKey(vl::RegKey key) override;

 private:
  ScriptedCall& Add(CallOp op, vl::RegKey key);
  void Opened(ScriptedCall& call, long status, vl::RegKey handle);

  vl::IRegistry& inner_;
  CallScript script_;
  std::map<vl::RegKey, int> slotOf_;
};

// Replays a script through `api`, an object with the Win32-shaped calls of
// the registry (`Open`, `Create`, `Query`, `Set`, `Delete`, `Close` taking
// the raw handle type `Handle`). Returns the number of calls whose status
// differs from the recorded one: a replay that does other work than the
// operation did is no floor.
template <typename Api>
int Replay(const CallScript& script, Api& api, std::vector<typename Api::Handle>& slots) {
  using Handle = typename Api::Handle;
  slots.assign(script.slots, Handle());
  static uint8_t buffer[4096];
  int mismatches = 0;
  for (const ScriptedCall& c : script.calls) {
    Handle key = c.key < 0 ? api.Root(c.root) : slots[c.key];
    long status = 0;
    switch (c.op) {
      case CallOp::Open: status = api.Open(key, c.text, c.access, &slots[c.result]); break;
      case CallOp::Create:
        status = api.Create(key, c.text, c.options, c.access, &slots[c.result]);
        break;
      case CallOp::Query: {
        uint32_t size = c.size < sizeof buffer ? c.size : uint32_t(sizeof buffer);
        status = api.Query(key, c.text, c.withData ? buffer : nullptr, &size);
        break;
      }
      case CallOp::Set: status = api.Set(key, c.text, c.type, c.data); break;
      case CallOp::Delete: status = api.Delete(key, c.text); break;
      case CallOp::Close: status = api.Close(key); break;
    }
    if (status != c.status) ++mismatches;
  }
  return mismatches;
}

}  // namespace bench
