#include "platform/mem/mem_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vl {

struct MemRegistry::Key {
  std::string displayPath;
  std::map<std::string, RegValue> values;  // by lower-case name
};

MemRegistry::MemRegistry() {
  Ensure("HKLM");
  Ensure("HKCR");
  Ensure("HKCU");
}
MemRegistry::~MemRegistry() = default;

std::string MemRegistry::Lower(const std::string& s) {
  std::string r(s);
  for (auto& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

std::string MemRegistry::RootName(RegKey root) {
  switch (root) {
    case kHkeyLocalMachine: return "HKLM";
    case kHkeyClassesRoot: return "HKCR";
    case kHkeyCurrentUser: return "HKCU";
    default: return "";
  }
}

// Joins and normalises: empty components (doubled or trailing backslashes) go.
std::string MemRegistry::Join(const std::string& base, const std::string& sub) {
  std::string all = sub.empty() ? base : base + "\\" + sub;
  std::string out;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find('\\', start);
    if (end == std::string::npos) end = all.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out += all.substr(start, end - start);
    }
    start = end + 1;
  }
  return out;
}

MemRegistry::Key* MemRegistry::Find(const std::string& path) const {
  auto it = keys_.find(Lower(Join(path, "")));
  return it == keys_.end() ? nullptr : it->second.get();
}

MemRegistry::Key* MemRegistry::Ensure(const std::string& path) {
  std::string norm = Join(path, "");
  std::string partial;
  Key* key = nullptr;
  size_t start = 0;
  while (start <= norm.size()) {
    size_t end = norm.find('\\', start);
    if (end == std::string::npos) end = norm.size();
    partial = norm.substr(0, end);
    auto& slot = keys_[Lower(partial)];
    if (!slot) {
      slot = std::make_unique<Key>();
      slot->displayPath = partial;
    }
    key = slot.get();
    start = end + 1;
  }
  return key;
}

const MemRegistry::Handle* MemRegistry::Lookup(RegKey key) const {
  if (key == kHkeyLocalMachine || key == kHkeyClassesRoot || key == kHkeyCurrentUser) {
    static thread_local Handle root;
    root.path = Lower(RootName(key));
    root.access = kKeyAllAccess;
    return &root;
  }
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : &it->second;
}

void MemRegistry::FailNthCall(size_t n, long status) {
  size_t target = callCount_ + n;
  auto previous = fault;
  fault = [this, target, status, previous](const RegCall& call) -> long {
    if (callCount_ == target) return status;
    return previous ? previous(call) : 0;
  };
}

std::string MemRegistry::Display(const Handle* base, const std::string& subkey) const {
  if (!base) return subkey;
  if (Key* k = Find(Join(base->path, subkey))) return k->displayPath;
  Key* b = Find(base->path);
  return Join(b ? b->displayPath : base->path, subkey);
}

long MemRegistry::Begin(RegCall& call) {
  ++callCount_;
  if (fault) return fault(call);
  return 0;
}

MemRegistry::Key* MemRegistry::ValueKey(RegCall& call, RegKey key, uint32_t right,
                                        long* status) {
  const Handle* h = Lookup(key);
  Key* k = h ? Find(h->path) : nullptr;
  if (k) call.path = k->displayPath;
  *status = Begin(call);
  if (*status == 0) {
    if (!h)
      *status = kErrorInvalidHandle;
    else if (enforceAccess && (h->access & right) == 0)
      *status = kErrorAccessDenied;
    else if (!k)
      *status = kErrorFileNotFound;  // key removed while open
  }
  return *status == 0 ? k : nullptr;
}

long MemRegistry::Finish(RegCall& call, long rc) {
  call.result = rc;
  calls_.push_back(call);
  return rc;
}

const MemRegistry::Handle* MemRegistry::SubkeyBase(RegCall& call, RegKey root,
                                                   const std::string& subkey, long* status) {
  const Handle* base = Lookup(root);
  call.path = Display(base, subkey);
  *status = Begin(call);
  if (*status == 0 && !base) *status = kErrorInvalidHandle;
  return *status == 0 ? base : nullptr;
}

long MemRegistry::NewHandle(RegCall& call, const Key& k, uint32_t access, RegKey* result) {
  RegKey h = nextHandle_++;
  handles_[h] = Handle{Lower(k.displayPath), access};
  *result = h;
  return Finish(call, kErrorSuccess);
}

long MemRegistry::OpenKey(RegKey root, const std::string& subkey, uint32_t access,
                          RegKey* result) {
  RegCall call{RegOp::Open, "", "", 0, {}, access, 0};
  long status = 0;
  const Handle* base = SubkeyBase(call, root, subkey, &status);
  if (!base) return Finish(call, status);
  Key* k = Find(Join(base->path, subkey));
  if (!k) return Finish(call, kErrorFileNotFound);
  return NewHandle(call, *k, access, result);
}

long MemRegistry::CreateKey(RegKey root, const std::string& subkey, uint32_t options,
                            uint32_t access, RegKey* result) {
  (void)options;
  RegCall call{RegOp::Create, "", "", 0, {}, access, 0};
  long status = 0;
  const Handle* base = SubkeyBase(call, root, subkey, &status);
  if (!base) return Finish(call, status);
  Key* k = Find(Join(base->path, subkey));
  if (!k) {
    Key* parent = Find(base->path);
    if (!parent) return Finish(call, kErrorFileNotFound);
    k = Ensure(Join(parent->displayPath, subkey));
  }
  return NewHandle(call, *k, access, result);
}

long MemRegistry::QueryValue(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                             uint32_t* size) {
  RegCall call{RegOp::Query, "", name, 0, {}, 0, 0};
  long status = 0;
  Key* k = ValueKey(call, key, kKeyQueryValue, &status);
  if (!k) return Finish(call, status);
  auto it = k->values.find(Lower(name));
  if (it == k->values.end()) return Finish(call, kErrorFileNotFound);
  const RegValue& v = it->second;
  if (type) *type = v.type;
  uint32_t needed = static_cast<uint32_t>(v.data.size());
  if (data == nullptr) {
    if (size) *size = needed;
    return Finish(call, kErrorSuccess);
  }
  if (size == nullptr) return Finish(call, kErrorInvalidParameter);
  if (*size < needed) {
    *size = needed;
    return Finish(call, kErrorMoreData);
  }
  if (needed) std::memcpy(data, v.data.data(), needed);
  *size = needed;
  return Finish(call, kErrorSuccess);
}

long MemRegistry::SetValue(RegKey key, const std::string& name, uint32_t type,
                           const uint8_t* data, uint32_t size) {
  RegCall call{RegOp::Set, "", name, type, {}, 0, 0};
  if (data && size) call.data.assign(data, data + size);
  long status = 0;
  Key* k = ValueKey(call, key, kKeySetValue, &status);
  if (!k) return Finish(call, status);
  auto& v = k->values[Lower(name)];
  if (v.name.empty()) v.name = name;
  v.type = type;
  v.data = call.data;
  return Finish(call, kErrorSuccess);
}

long MemRegistry::DeleteValue(RegKey key, const std::string& name) {
  RegCall call{RegOp::Delete, "", name, 0, {}, 0, 0};
  long status = 0;
  Key* k = ValueKey(call, key, kKeySetValue, &status);
  if (!k) return Finish(call, status);
  auto it = k->values.find(Lower(name));
  if (it == k->values.end()) return Finish(call, kErrorFileNotFound);
  k->values.erase(it);
  return Finish(call, kErrorSuccess);
}

long MemRegistry::DeleteKey(RegKey root, const std::string& subkey) {
  RegCall call{RegOp::DeleteKey, "", "", 0, {}, 0, 0};
  long status = 0;
  const Handle* base = SubkeyBase(call, root, subkey, &status);
  if (!base) return Finish(call, status);
  const std::string path = Lower(Join(base->path, subkey));
  auto it = keys_.find(path);
  if (it == keys_.end()) return Finish(call, kErrorFileNotFound);
  const std::string below = path + "\\";
  auto sub = keys_.lower_bound(below);
  if (sub != keys_.end() && sub->first.compare(0, below.size(), below) == 0)
    return Finish(call, kErrorAccessDenied);
  keys_.erase(it);
  return Finish(call, kErrorSuccess);
}

long MemRegistry::CloseKey(RegKey key) {
  RegCall call{RegOp::Close, "", "", 0, {}, 0, 0};
  auto it = handles_.find(key);
  if (it != handles_.end()) {
    if (Key* k = Find(it->second.path)) call.path = k->displayPath;
  }
  if (long f = Begin(call)) {
    // A failed close still releases nothing; keep the handle as Windows would.
    return Finish(call, f);
  }
  if (it == handles_.end()) return Finish(call, kErrorInvalidHandle);
  handles_.erase(it);
  return Finish(call, kErrorSuccess);
}

static std::string Normalise(const std::string& path) {
  // Accept "HKEY_LOCAL_MACHINE\..." as well as "HKLM\...".
  static const std::pair<const char*, const char*> longNames[] = {
      {"HKEY_LOCAL_MACHINE", "HKLM"}, {"HKEY_CLASSES_ROOT", "HKCR"}, {"HKEY_CURRENT_USER", "HKCU"}};
  for (auto& p : longNames) {
    size_t n = std::strlen(p.first);
    if (path.size() >= n && strncasecmp(path.c_str(), p.first, n) == 0)
      return std::string(p.second) + path.substr(n);
  }
  return path;
}

void MemRegistry::AddKey(const std::string& path) { Ensure(Normalise(path)); }

void MemRegistry::Put(const std::string& path, const std::string& name, uint32_t type,
                      std::vector<uint8_t> data) {
  Key* k = Ensure(Normalise(path));
  auto& v = k->values[Lower(name)];
  v.name = name;
  v.type = type;
  v.data = std::move(data);
}

void MemRegistry::PutSz(const std::string& path, const std::string& name,
                        const std::string& text) {
  Put(path, name, kRegSz, SzBytes(text));
}

void MemRegistry::PutDword(const std::string& path, const std::string& name, uint32_t value) {
  Put(path, name, kRegDword, DwordBytes(value));
}

bool MemRegistry::HasKey(const std::string& path) const { return Find(Normalise(path)) != nullptr; }

const RegValue* MemRegistry::Get(const std::string& path, const std::string& name) const {
  Key* k = Find(Normalise(path));
  if (!k) return nullptr;
  auto it = k->values.find(Lower(name));
  return it == k->values.end() ? nullptr : &it->second;
}

std::string MemRegistry::GetSz(const std::string& path, const std::string& name) const {
  const RegValue* v = Get(path, name);
  if (!v) return "<absent>";
  if (v->type != kRegSz) return "<type " + std::to_string(v->type) + ">";
  std::string s(v->data.begin(), v->data.end());
  if (!s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

long long MemRegistry::GetDword(const std::string& path, const std::string& name) const {
  const RegValue* v = Get(path, name);
  if (!v || v->type != kRegDword || v->data.size() != 4) return -1;
  return static_cast<long long>(v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) |
                                (static_cast<uint32_t>(v->data[3]) << 24));
}

void MemRegistry::RemoveKey(const std::string& path) {
  std::string prefix = Lower(Join(Normalise(path), ""));
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == prefix || it->first.rfind(prefix + "\\", 0) == 0)
      it = keys_.erase(it);
    else
      ++it;
  }
}

std::vector<std::string> MemRegistry::Dump(const std::string& except) const {
  static const char kHex[] = "0123456789abcdef";
  const std::string skip = except.empty() ? std::string() : Lower(Join(Normalise(except), ""));
  std::vector<std::string> out;
  for (const auto& k : keys_) {
    if (!skip.empty() && (k.first == skip || k.first.rfind(skip + "\\", 0) == 0)) continue;
    out.push_back(k.second->displayPath);
    for (const auto& v : k.second->values) {
      std::string line = k.second->displayPath + " [" + v.second.name + "] " +
                         std::to_string(v.second.type) + ":";
      for (uint8_t b : v.second.data) {
        line += kHex[b >> 4];
        line += kHex[b & 15];
      }
      out.push_back(line);
    }
  }
  return out;
}

std::vector<std::string> MemRegistry::Writes() const {
  std::vector<std::string> out;
  for (const auto& c : calls_) {
    if (c.result != kErrorSuccess) continue;
    if (c.op == RegOp::Set) out.push_back("Set " + c.path + " " + c.name);
    if (c.op == RegOp::Delete) out.push_back("Delete " + c.path + " " + c.name);
    if (c.op == RegOp::DeleteKey) out.push_back("DeleteKey " + c.path);
  }
  return out;
}

}  // namespace vl
