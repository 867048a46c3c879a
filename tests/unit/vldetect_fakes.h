// The companion's system as plain state, for the tests of its rules: a
// network whose answers the test sets and whose every question is logged, a
// window that records what it was told, and the settings store over an
// in-memory registry.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/mem/mem_registry.h"
#include "ping/ping_settings.h"
#include "settings/settings_store.h"
#include "vldetect/companion.h"
#include "net/network.h"

namespace vl {

class FakeNetwork : public INetwork {
 public:
  DialUpState DialUp() override {
    log.push_back("DialUp");
    return dialUp;
  }
  bool QueryAddresses(ConnectionAddresses* out) override {
    log.push_back("QueryAddresses");
    if (hasIpHelper) *out = addresses;
    return hasIpHelper;
  }
  bool Lookup(const std::string& name, Ipv4* address) override {
    log.push_back("Lookup " + name);
    auto it = names.find(name);
    if (it == names.end()) return false;
    *address = it->second;
    return true;
  }
  EchoResult Echo(const Ipv4& a, unsigned timeoutMs) override {
    log.push_back("Echo " + std::to_string(a.octet[0]) + "." + std::to_string(a.octet[1]) + "." +
                  std::to_string(a.octet[2]) + "." + std::to_string(a.octet[3]) + " " +
                  std::to_string(timeoutMs));
    return echo;
  }

  DialUpState dialUp = DialUpState::None;
  bool hasIpHelper = true;
  ConnectionAddresses addresses;
  std::map<std::string, Ipv4> names;
  EchoResult echo{EchoResult::Reply, 120};
  std::vector<std::string> log;
};

class FakeCompanionHost : public ICompanionHost {
 public:
  void SetTimer(unsigned id, unsigned ms) override { timers[id] = ms; }
  void KillTimer(unsigned id) override { timers.erase(id); }
  void ShowTrayIcon(int iconId, const std::string& tip) override {
    icon = iconId;
    this->tip = tip;
    frames.push_back(iconId);
  }
  void RemoveTrayIcon() override {
    icon = 0;
    ++removals;
  }
  void SetStatus(const std::string& text) override { status = text; }
  bool StartPing(const PingTarget& target, unsigned ticket) override {
    if (!canStartPing) return false;
    pings.push_back(target);
    lastTicket = ticket;
    return true;
  }
  void PlayPingSound() override { ++sounds; }

  bool HasTimer(unsigned id) const { return timers.count(id) != 0; }

  std::map<unsigned, unsigned> timers;
  int icon = 0;  // 0: no icon shown
  std::string tip, status;
  std::vector<int> frames;
  int removals = 0;
  std::vector<PingTarget> pings;
  unsigned lastTicket = 0;
  bool canStartPing = true;
  int sounds = 0;
};

// The settings store as both programs open it, over an in-memory registry.
struct MemSettings {
  MemSettings() {
    store.Attach(&reg);
    store.SetBaseKey(kSettingsBaseKey);
  }
  // Stores the five values as the Ping Configuration dialog does.
  void Save(const std::string& mode, const std::string& host, int interval, int sound, int ani) {
    WritePingSettings(store, PingSettings{mode, host, interval, sound, ani});
  }

  // Removes one of the five values.
  void Remove(const std::string& name) {
    RegKey key = 0;
    reg.OpenKey(kHkeyLocalMachine,
                std::string(kSettingsBaseKey) + "\\" + Scramble(kPingSubkey, false), kKeyAllAccess,
                &key);
    reg.DeleteValue(key, Scramble(name, false));
    reg.CloseKey(key);
  }

  MemRegistry reg;
  SettingsStore store;
};

}  // namespace vl
