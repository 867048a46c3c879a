#include "tuning/recorded_change.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "state/app_state.h"
#include "platform/text.h"
#include "tuning/adapters.h"
#include "tuning/change_history.h"

namespace vl {

namespace {

// The registry as the writer sees it while its changes are held back: keys
// open and values read as usual, but writes and deletes are only noted, and
// a key written through stays open for the commit, however often the writer
// closes it. Each value keeps the key of its first write; later opens of the
// same key close normally. (Plain vectors: the i686 program links none of the
// library's tree code, which is built for later processors.)
class StagingRegistry : public IRegistry {
 public:
  struct Target {
    std::string key;  // below HKEY_LOCAL_MACHINE, as the writer spelt it
    std::string name;
    RegKey held;
  };
  struct Op {
    size_t target;
    bool remove;
    uint32_t type;
    std::vector<uint8_t> data;
  };

  explicit StagingRegistry(IRegistry& real) : real_(real) {}
  ~StagingRegistry() override {
    for (const auto& held : heldKeys_)
      if (!IsHeldBack(held.first)) real_.CloseKey(held.first);
  }
  StagingRegistry(const StagingRegistry&) = delete;
  StagingRegistry& operator=(const StagingRegistry&) = delete;

  long OpenKey(RegKey root, const std::string& subkey, uint32_t access, RegKey* result) override {
    return Note(root, subkey, real_.OpenKey(root, subkey, access, result), result);
  }
  // A key that is there is opened; one that is not is made only at the
  // commit, like every other change: until then it is a handle of ours
  // that holds no value.
  long CreateKey(RegKey root, const std::string& subkey, uint32_t options, uint32_t access,
                 RegKey* result) override {
    if (root != kHkeyLocalMachine)
      return Note(root, subkey, real_.CreateKey(root, subkey, options, access, result), result);
    const long opened = real_.OpenKey(root, subkey, access, result);
    if (!IsAbsentStatus(opened)) return Note(root, subkey, opened, result);
    // Every key on the way that is not there either is made with it, and
    // goes with it on Undo: the outermost first.
    std::vector<std::string> missing = {subkey};
    for (std::string above = subkey; above.rfind('\\') != std::string::npos;) {
      above.resize(above.rfind('\\'));
      ScopedKey probe(real_);
      if (!IsAbsentStatus(real_.OpenKey(root, above, kKeyRead, probe.Receive()))) break;
      missing.insert(missing.begin(), above);
    }
    madeKeys_.insert(madeKeys_.end(), missing.begin(), missing.end());
    *result = kFirstHeldBackKey + 4 * made_.size();
    made_.push_back({*result, subkey});
    return Note(root, subkey, kErrorSuccess, result);
  }
  long QueryValue(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override {
    if (IsHeldBack(key)) return kErrorFileNotFound;
    return real_.QueryValue(key, name, type, data, size);
  }
  // No writer removes keys.
  long DeleteKey(RegKey, const std::string&) override { return kErrorAccessDenied; }
  long SetValue(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override {
    std::vector<uint8_t> bytes;
    if (data && size) bytes.assign(data, data + size);
    return Stage(key, name, false, type, bytes);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    return Stage(key, name, true, kRegNone, {});
  }
  long CloseKey(RegKey key) override {
    if (std::any_of(heldKeys_.begin(), heldKeys_.end(),
                    [key](const OpenKeys::value_type& held) { return held.first == key; }))
      return kErrorSuccess;
    auto open = FindPath(key);
    if (open != paths_.end()) paths_.erase(open);
    return IsHeldBack(key) ? kErrorSuccess : real_.CloseKey(key);
  }

  const std::vector<Target>& Targets() const { return targets_; }
  const std::vector<Op>& Ops() const { return ops_; }
  // The keys the commit makes, each below the ones before it.
  const std::vector<std::string>& MadeKeys() const { return madeKeys_; }

  // The state of a target now, through its held key: false when the
  // registry would not say. A key not made yet holds nothing.
  bool Read(const Target& t, bool* present, uint32_t* type, std::vector<uint8_t>* data) {
    if (IsHeldBack(t.held)) {
      *present = false;
      *type = 0;
      data->clear();
      return true;
    }
    const long status = QueryRaw(real_, t.held, t.name, kMaxPriorBytes, type, data);
    *present = status == kErrorSuccess;
    if (!*present) *type = 0;
    return *present || status == kErrorFileNotFound;
  }

  // Makes the held-back keys, then the writes and deletes, in order.
  void Commit(WriteReport& report) {
    for (const auto& made : made_) {
      RegKey key = 0;
      if (real_.CreateKey(kHkeyLocalMachine, made.second, kRegOptionNonVolatile,
                          kKeyRead | kKeyWrite, &key) != kErrorSuccess) {
        report.failed = true;
        continue;
      }
      for (auto& held : heldKeys_)
        if (held.first == made.first) held.first = key;
      for (Target& t : targets_)
        if (t.held == made.first) t.held = key;
      // A key made but never written through (none is) would be closed here.
      if (std::none_of(heldKeys_.begin(), heldKeys_.end(),
                       [key](const OpenKeys::value_type& held) { return held.first == key; }))
        real_.CloseKey(key);
    }
    for (const Op& op : ops_) {
      const Target& t = targets_[op.target];
      if (IsHeldBack(t.held)) {  // its key could not be made
        report.failed = true;
        continue;
      }
      const long status =
          op.remove ? real_.DeleteValue(t.held, t.name)
                    : real_.SetValue(t.held, t.name, op.type, op.data.data(),
                                     static_cast<uint32_t>(op.data.size()));
      if (status != kErrorSuccess) report.failed = true;
    }
  }

  // Whether every value now stands as the last write or delete meant it.
  bool Verify() {
    std::vector<const Op*> last(targets_.size(), nullptr);
    for (const Op& op : ops_) last[op.target] = &op;
    bool all = true;
    bool present = false;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    for (size_t i = 0; i < targets_.size(); ++i) {
      const Op& meant = *last[i];
      if (!Read(targets_[i], &present, &type, &data) ||
          (meant.remove ? present : !present || type != meant.type || data != meant.data))
        all = false;
    }
    return all;
  }

 private:
  using OpenKeys = std::vector<std::pair<RegKey, std::string>>;
  // Handles of keys not made yet lie far above any the registry gives.
  static constexpr RegKey kFirstHeldBackKey = 0x7FFF0000u;

  bool IsHeldBack(RegKey key) const {
    return key >= kFirstHeldBackKey && key < kFirstHeldBackKey + 4 * made_.size();
  }

  long Note(RegKey root, const std::string& subkey, long status, RegKey* result) {
    if (status == kErrorSuccess)
      paths_.emplace_back(*result, root == kHkeyLocalMachine ? subkey : std::string());
    return status;
  }

  OpenKeys::iterator FindPath(RegKey key) {
    return std::find_if(paths_.begin(), paths_.end(),
                        [key](const OpenKeys::value_type& open) { return open.first == key; });
  }

  long Stage(RegKey key, const std::string& name, bool remove, uint32_t type,
             std::vector<uint8_t> data) {
    auto path = FindPath(key);
    if (path == paths_.end() || path->second.empty()) return kErrorInvalidHandle;
    const std::string lowerKey = LowerAscii(path->second);
    const std::string id = lowerKey + '\n' + LowerAscii(name);
    auto found = std::lower_bound(index_.begin(), index_.end(), id,
                                  [](const Index::value_type& entry, const std::string& wanted) {
                                    return entry.first < wanted;
                                  });
    if (found == index_.end() || found->first != id) {
      // The first key written through for a path serves all its values.
      RegKey held = key;
      auto sameKey = std::find_if(heldKeys_.begin(), heldKeys_.end(),
                                  [&](const OpenKeys::value_type& h) { return h.second == lowerKey; });
      if (sameKey == heldKeys_.end())
        heldKeys_.emplace_back(key, lowerKey);
      else
        held = sameKey->first;
      found = index_.emplace(found, id, targets_.size());
      targets_.push_back({path->second, name, held});
    }
    ops_.push_back({found->second, remove, type, std::move(data)});
    return kErrorSuccess;
  }

  using Index = std::vector<std::pair<std::string, size_t>>;  // sorted by id
  IRegistry& real_;
  OpenKeys paths_;     // keys open through this registry, with their paths
  OpenKeys heldKeys_;  // the key held open for each path (in lower case)
  OpenKeys made_;      // keys to make at the commit: our handle, the path
  std::vector<std::string> madeKeys_;  // those and the keys made on their way
  std::vector<Target> targets_;
  Index index_;        // each target by lower-case key and name
  std::vector<Op> ops_;
};

}  // namespace

WriteReport RunRecordedChange(AppState& app, ChangeRecord record, const ChangeWork& work) {
  IRegistry& reg = *app.sys.registry;
  StagingRegistry staging(reg);
  WriteReport report = work(staging);
  // Without TCP/IP there is nothing to tune: the work is left undone whole.
  if (report.tcpipMissing || staging.Ops().empty()) return report;

  record.values.clear();
  for (const StagingRegistry::Target& t : staging.Targets()) {
    PriorValue prior;
    prior.key = t.key;
    prior.name = t.name;
    // A value the record could not put back is never written.
    if (!IsTuningValue(t.key, t.name) || !staging.Read(t, &prior.present, &prior.type, &prior.data)) {
      report.notRecorded = true;
      return report;
    }
    record.values.push_back(std::move(prior));
  }
  record.madeKeys = staging.MadeKeys();
  for (const std::string& key : record.madeKeys) {
    if (!IsMadeKey(key)) {
      report.notRecorded = true;
      return report;
    }
  }
  record.when = app.sys.clock ? app.sys.clock->Now() : LocalTime{};
  ChangeHistory history(reg, app.m_settings.BaseKey());
  const bool kept = history.Push(record);
  app.m_bUndoKnown = false;
  if (!kept) {
    report.notRecorded = true;
    return report;
  }
  staging.Commit(report);
  if (!staging.Verify()) report.failed = true;
  return report;
}

}  // namespace vl
