#include "fast_registry.h"

#include <cstring>
#include <iterator>

namespace fuzz {

namespace {

constexpr vl::RegKey kFirstHandle = 0x1000;
const std::string kNoName;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& lower, const std::string& name) {
  if (lower.size() != name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (lower[i] != Fold(name[i])) return false;
  return true;
}

// `path` is `prefix` or a key below it. A loop of its own: the sanitizer's
// memcmp would check both texts at every call.
bool Below(const std::string& path, const std::string& prefix) {
  if (path.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (path[i] != prefix[i]) return false;
  return path.size() == prefix.size() || path[prefix.size()] == '\\';
}

bool IsRoot(const std::string& path) { return path.find('\\') == std::string::npos; }

// Appends `text` to `out` in canonical form: folded, without empty parts.
void AppendParts(std::string& out, const std::string& text) {
  size_t kept = out.size();
  out += text;
  char* p = &out[0];
  for (size_t i = kept; i < out.size(); ++i) {
    if (p[i] == '\\' && (kept == 0 || p[kept - 1] == '\\')) continue;
    p[kept++] = Fold(p[i]);
  }
  while (kept > 0 && p[kept - 1] == '\\') --kept;
  out.resize(kept);
}

// `path` in canonical form into `out`, which keeps its room.
const std::string& Canonical(const std::string& path, std::string& out) {
  static const char* const kLongNames[][2] = {
      {"hkey_local_machine", "hklm"}, {"hkey_classes_root", "hkcr"}, {"hkey_current_user", "hkcu"}};
  out.clear();
  AppendParts(out, path);
  for (const auto& n : kLongNames)
    if (Below(out, n[0])) out.replace(0, std::strlen(n[0]), n[1]);
  return out;
}

const Value* Find(const std::vector<Value>& values, const std::string& name) {
  for (const Value& v : values)
    if (SameName(v.lowerName, name)) return &v;
  return nullptr;
}

Value& Slot(std::vector<Value>& values, const std::string& name) {
  for (Value& v : values)
    if (SameName(v.lowerName, name)) return v;
  values.push_back(Value{});
  for (char c : name) values.back().lowerName += Fold(c);
  return values.back();
}

}  // namespace

FastRegistry::FastRegistry() {
  for (const char* root : {"hklm", "hkcr", "hkcu"}) keys_[root].path = root;
}

void FastRegistry::AddKey(const std::string& path) { Ensure(path); }

void FastRegistry::Put(const std::string& path, const std::string& name, uint32_t type,
                       std::string data) {
  Value& v = Slot(Ensure(path)->values, name);
  v.type = type;
  v.data = std::move(data);
}

void FastRegistry::PutSz(const std::string& path, const std::string& name,
                         const std::string& text) {
  Put(path, name, vl::kRegSz, text + '\0');
}

void FastRegistry::RemoveKey(const std::string& path) {
  const std::string prefix = Canonical(path, scratch_);
  for (auto it = keys_.begin(); it != keys_.end();)
    it = Below(it->first, prefix) && !IsRoot(it->first) ? keys_.erase(it) : std::next(it);
}

bool FastRegistry::HasKey(const std::string& path) const {
  return keys_.count(Canonical(path, scratch_)) != 0;
}

const Value* FastRegistry::Get(const std::string& path, const std::string& name) const {
  auto it = keys_.find(Canonical(path, scratch_));
  return it == keys_.end() ? nullptr : Find(it->second.values, name);
}

void FastRegistry::ClearCalls() {
  observe = nullptr;
  writes.clear();
  writeOpens.clear();
  handles_.clear();
  open_ = 0;
  calls_ = 0;
}

void FastRegistry::ResetTo(const FastRegistry& model) {
  for (auto it = keys_.begin(); it != keys_.end();) {
    auto kept = model.keys_.find(it->first);
    if (kept == model.keys_.end()) {
      it = keys_.erase(it);
    } else {
      it->second.values = kept->second.values;
      ++it;
    }
  }
  for (const auto& key : model.keys_)
    if (keys_.count(key.first) == 0) keys_.insert(key);
  ClearCalls();
}

long FastRegistry::OpenKey(vl::RegKey root, const std::string& subkey, uint32_t access,
                           vl::RegKey* result) {
  const bool based = Resolve(root, subkey);
  if (long f = Begin(Op::Open, kNoName, access)) return f;
  if (!based) return vl::kErrorInvalidHandle;
  auto it = keys_.find(path_);
  if (it == keys_.end()) return vl::kErrorFileNotFound;
  *result = NewHandle(&it->second, access);
  return vl::kErrorSuccess;
}

long FastRegistry::CreateKey(vl::RegKey root, const std::string& subkey, uint32_t,
                             uint32_t access, vl::RegKey* result) {
  const bool based = Resolve(root, subkey);
  if (long f = Begin(Op::Create, kNoName, access)) return f;
  if (!based) return vl::kErrorInvalidHandle;
  *result = NewHandle(Ensure(path_), access);
  return vl::kErrorSuccess;
}

long FastRegistry::QueryValue(vl::RegKey key, const std::string& name, uint32_t* type,
                              uint8_t* data, uint32_t* size) {
  long status = 0;
  const Key* k = ValueKey(Op::Query, key, name, vl::kKeyQueryValue, &status);
  if (!k) return status;
  const Value* v = Find(k->values, name);
  if (!v) return vl::kErrorFileNotFound;
  if (type) *type = v->type;
  const uint32_t needed = static_cast<uint32_t>(v->data.size());
  if (data == nullptr) {
    if (size) *size = needed;
    return vl::kErrorSuccess;
  }
  if (size == nullptr) return vl::kErrorInvalidParameter;
  if (*size < needed) {
    *size = needed;
    return vl::kErrorMoreData;
  }
  if (needed) std::memcpy(data, v->data.data(), needed);  // checked: memcpy is intercepted
  *size = needed;
  return vl::kErrorSuccess;
}

long FastRegistry::SetValue(vl::RegKey key, const std::string& name, uint32_t type,
                            const uint8_t* data, uint32_t size) {
  long status = 0;
  Key* k = ValueKey(Op::Set, key, name, vl::kKeySetValue, &status);
  std::string bytes = data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
  if (k) {
    Value& v = Slot(k->values, name);
    v.type = type;
    v.data = bytes;
  }
  writes.push_back(Write{Op::Set, path_, name, type, std::move(bytes), status});
  return status;
}

long FastRegistry::DeleteValue(vl::RegKey key, const std::string& name) {
  long status = 0;
  Key* k = ValueKey(Op::Delete, key, name, vl::kKeySetValue, &status);
  if (k) {
    auto it = k->values.begin();
    while (it != k->values.end() && !SameName(it->lowerName, name)) ++it;
    if (it == k->values.end())
      status = vl::kErrorFileNotFound;
    else
      k->values.erase(it);
  }
  writes.push_back(Write{Op::Delete, path_, name, 0, std::string(), status});
  return status;
}

long FastRegistry::DeleteKey(vl::RegKey root, const std::string& subkey) {
  const bool based = Resolve(root, subkey);
  long status = Begin(Op::DeleteKey, kNoName, 0);
  if (status == 0 && !based) status = vl::kErrorInvalidHandle;
  auto it = keys_.find(path_);
  if (status == 0 && (it == keys_.end() || IsRoot(path_))) status = vl::kErrorFileNotFound;
  if (status == 0) {
    // A key with subkeys stays, as on Windows NT; so does one still open
    // here, whose handles point at it.
    for (const auto& key : keys_)
      if (key.first != path_ && Below(key.first, path_)) status = vl::kErrorAccessDenied;
    for (const Handle& h : handles_)
      if (h.key == &it->second) status = vl::kErrorAccessDenied;
  }
  if (status == 0) keys_.erase(it);
  writes.push_back(Write{Op::DeleteKey, path_, std::string(), 0, std::string(), status});
  return status;
}

long FastRegistry::CloseKey(vl::RegKey key) {
  Handle* h = Lookup(key);
  SetPath(h);
  // A failed close releases nothing; the handle stays as Windows keeps it.
  if (long f = Begin(Op::Close, kNoName, 0)) return f;
  if (!h) return vl::kErrorInvalidHandle;
  h->key = nullptr;
  --open_;
  return vl::kErrorSuccess;
}

FastRegistry::Key* FastRegistry::Ensure(const std::string& path) {
  auto found = keys_.find(Canonical(path, scratch_));
  if (found != keys_.end()) return &found->second;
  std::string part = scratch_;
  Key* key = &keys_[part];
  key->path = part;
  for (size_t cut = part.rfind('\\'); cut != std::string::npos; cut = part.rfind('\\')) {
    part.resize(cut);
    Key& above = keys_[part];
    if (!above.path.empty()) break;
    above.path = part;
  }
  return key;
}

FastRegistry::Handle* FastRegistry::Lookup(vl::RegKey key) {
  if (key < kFirstHandle || key - kFirstHandle >= handles_.size()) return nullptr;
  Handle& h = handles_[key - kFirstHandle];
  return h.key ? &h : nullptr;
}

// The full path of `subkey` below `root` into path_; false for an invalid
// root, which leaves path_ empty.
bool FastRegistry::Resolve(vl::RegKey root, const std::string& subkey) {
  switch (root) {
    case vl::kHkeyLocalMachine: path_.assign("hklm"); break;
    case vl::kHkeyClassesRoot: path_.assign("hkcr"); break;
    case vl::kHkeyCurrentUser: path_.assign("hkcu"); break;
    default: {
      const Handle* h = Lookup(root);
      SetPath(h);
      if (!h) return false;
    }
  }
  path_ += '\\';
  AppendParts(path_, subkey);
  return true;
}

// Assigned, never moved into, so that path_ keeps its room.
void FastRegistry::SetPath(const Handle* h) {
  if (h)
    path_.assign(h->key->path);
  else
    path_.clear();
}

long FastRegistry::Begin(Op op, const std::string& name, uint32_t access) {
  ++calls_;
  return observe ? observe(Call{op, path_, name, access}) : 0;
}

vl::RegKey FastRegistry::NewHandle(Key* key, uint32_t access) {
  handles_.push_back(Handle{key, access});
  ++open_;
  if (access & vl::kKeySetValue) writeOpens.push_back(key->path);
  return kFirstHandle + handles_.size() - 1;
}

// The start of a call on the values of an open key: the call meets the
// observer, then the handle must be valid and hold `right`.
FastRegistry::Key* FastRegistry::ValueKey(Op op, vl::RegKey key, const std::string& name,
                                          uint32_t right, long* status) {
  Handle* h = Lookup(key);
  SetPath(h);
  *status = Begin(op, name, 0);
  if (*status == 0 && !h) *status = vl::kErrorInvalidHandle;
  if (*status == 0 && (h->access & right) == 0) *status = vl::kErrorAccessDenied;
  return *status == 0 ? h->key : nullptr;
}

}  // namespace fuzz
