// An in-memory registry for tests. Keys and value names compare
// case-insensitively, values keep their type and raw bytes, access masks are
// enforced as on Windows NT, every call is logged, and any call can be made
// to fail with a chosen status.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vl {

enum class RegOp { Open, Create, Query, Set, Delete, DeleteKey, Close };

struct RegCall {
  RegOp op;
  std::string path;   // full key path, "HKLM\..." (for Close: the closed key's path)
  std::string name;   // value name (Query, Set, Delete)
  uint32_t type = 0;  // Set
  std::vector<uint8_t> data;  // Set
  uint32_t access = 0;        // Open, Create
  long result = 0;
};

struct RegValue {
  std::string name;  // as first written
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
};

class MemRegistry : public IRegistry {
 public:
  MemRegistry();
  ~MemRegistry() override;

  long OpenKey(RegKey root, const std::string& subkey, uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& subkey, uint32_t options, uint32_t access,
                 RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteKey(RegKey root, const std::string& subkey) override;
  long CloseKey(RegKey key) override;

  // --- Seeding and inspection (paths like "HKLM\\System\\...") ---
  void AddKey(const std::string& path);
  void Put(const std::string& path, const std::string& name, uint32_t type,
           std::vector<uint8_t> data);
  void PutSz(const std::string& path, const std::string& name, const std::string& text);
  void PutDword(const std::string& path, const std::string& name, uint32_t value);
  bool HasKey(const std::string& path) const;
  // The value, or null when absent.
  const RegValue* Get(const std::string& path, const std::string& name) const;
  // A REG_SZ value's text without its NUL, or "<absent>" / "<type N>".
  std::string GetSz(const std::string& path, const std::string& name) const;
  // A REG_DWORD value, or -1 when absent or of another type.
  long long GetDword(const std::string& path, const std::string& name) const;
  void RemoveKey(const std::string& path);  // with its subkeys
  // Every key and value, a line each in the order of their paths and names
  // ("key" and "key [name] type: bytes in hex"), for comparing whole
  // registries; keys at or below `except` are left out.
  std::vector<std::string> Dump(const std::string& except = "") const;
  size_t OpenHandles() const { return handles_.size(); }

  // Call log, in order.
  const std::vector<RegCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // Only the Set and Delete calls, as "Set path name" / "Delete path name".
  std::vector<std::string> Writes() const;

  // Fault injection: called before each call with the call as it will be
  // logged; a nonzero result makes the call fail with that status.
  std::function<long(const RegCall&)> fault;
  // Fails the n-th call (1-based, counting every call) with `status`.
  void FailNthCall(size_t n, long status);
  size_t CallCount() const { return callCount_; }

  // Enforce access masks as Windows NT does (default on).
  bool enforceAccess = true;

 private:
  struct Key;
  struct Handle {
    std::string path;  // canonical lower-case full path
    uint32_t access;
  };
  static std::string RootName(RegKey root);
  static std::string Lower(const std::string& s);
  static std::string Join(const std::string& base, const std::string& sub);
  Key* Find(const std::string& path) const;
  Key* Ensure(const std::string& path);
  std::string Display(const Handle* base, const std::string& subkey) const;
  long Begin(RegCall& call);
  // The start of a call on the values of an open key: the call takes the
  // key's path and meets the injected fault; the handle must be valid, hold
  // `right` and name a key still there. The key, or null with the status the
  // call ends with.
  Key* ValueKey(RegCall& call, RegKey key, uint32_t right, long* status);
  // The start of a call on a subkey: its path recorded, its fault injected,
  // its base handle looked up; null with `status` set when it fails there.
  const Handle* SubkeyBase(RegCall& call, RegKey root, const std::string& subkey, long* status);
  // A handle to `k` for a call that succeeded.
  long NewHandle(RegCall& call, const Key& k, uint32_t access, RegKey* result);
  long Finish(RegCall& call, long rc);
  const Handle* Lookup(RegKey key) const;

  std::map<std::string, std::unique_ptr<Key>> keys_;  // by lower-case full path
  std::map<RegKey, Handle> handles_;
  std::vector<RegCall> calls_;
  RegKey nextHandle_ = 0x1000;
  size_t callCount_ = 0;
};

}  // namespace vl
