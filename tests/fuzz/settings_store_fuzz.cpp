// The settings store over a registry whose values have any type and any
// bytes (no terminating NUL, oversize, empty), with one registry call made to
// fail: a read gives the stored text, the caller's default or, for a value
// of another type, empty text; never anything else, and never a read past
// the data. A write that reports success reads back unchanged.
#include <cstdint>
#include <string>

#include "backup/registry_backup.h"
#include "fuzz_app.h"
#include "fuzz_input.h"
#include "ping/ping_config.h"
#include "platform/text.h"
#include "settings/install_folder.h"
#include "settings/settings_store.h"

namespace {

const char kBase[] = "SOFTWARE\\Norwick Ltd\\Velora 2001";
const char* const kNames[] = {"PingMode", "PingHost", "PingInterval", "PingSound", "TaskBarAni"};

// The two keys the program reads, and the five ping values' names, as the
// registry has them: worked out once.
const std::string kInstallKey = std::string("HKLM\\") + kBase + "\\Install";
const std::string kPingKey = std::string("HKLM\\") + kBase + "\\" + vl::Scramble(vl::kPingSubkey, false);
const std::string& StoredName(int index) {
  static const std::string names[] = {vl::Scramble(kNames[0], false), vl::Scramble(kNames[1], false),
                                      vl::Scramble(kNames[2], false), vl::Scramble(kNames[3], false),
                                      vl::Scramble(kNames[4], false)};
  return names[index];
}

// What a read must give when no call fails.
std::string Expected(const fuzz::FastRegistry& reg, const std::string& key,
                     const std::string& storedName, const std::string& def, bool scrambled) {
  const fuzz::Value* v = reg.Get(key, storedName);
  if (!v || v->data.size() > vl::kSettingsBufferSize) return def;
  if (v->type != vl::kRegSz) return std::string();
  std::string text = v->data.substr(0, v->data.find('\0'));
  return scrambled ? vl::Unscramble(text) : text;
}

// A value's raw bytes, or a mark for an absent one.
std::string Bytes(const fuzz::Value* v) { return v ? v->data : "<absent>"; }

void Seed(fuzz::Input& in, fuzz::FastRegistry& reg) {
  while (!in.empty()) {
    std::string key;
    switch (in.Byte() % 4) {
      case 0: key = kInstallKey; break;
      case 1: key = kPingKey; break;
      case 2: key = std::string("HKLM\\") + kBase + "\\" + in.Text(); break;
      default: key = "HKLM\\" + in.Text(); break;
    }
    std::string name;
    const uint8_t pick = in.Byte() % 8;
    if (pick == 0) name = "Folder";
    else if (pick <= 5) name = StoredName(pick - 1);
    else if (pick == 6) name = in.Text();
    const uint8_t type = in.Byte();
    reg.Put(key, name, type % 8 == 0 ? vl::kRegSz : type, in.Bytes(in.Word() % 1200));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint16_t failingCall = in.Word();
  const long statuses[] = {vl::kErrorAccessDenied, vl::kErrorFileNotFound, vl::kErrorMoreData,
                           vl::kErrorInvalidHandle};
  const long status = statuses[in.Byte() % 4];
  const std::string written = in.Bytes(in.Word() % 600);

  static fuzz::FuzzApp f;
  fuzz::FastRegistry& reg = f.reg;
  vl::MemMessageBoxes& boxes = f.boxes;
  vl::AppState& app = f.app;
  Seed(in, reg);
  f.FailNthCall(failingCall, status);

  const std::string folder = app.m_settings.ReadString("Install", "Folder", "-", false);
  FUZZ_REQUIRE(folder == Expected(reg, kInstallKey, "Folder", "-", false) || folder == "-");
  for (int i = 0; i < 5; ++i) {
    const std::string wanted = Expected(reg, kPingKey, StoredName(i), vl::kNotFoundSentinel, true);
    const std::string got =
        app.m_settings.ReadString(vl::kPingSubkey, kNames[i], vl::kNotFoundSentinel, true);
    FUZZ_REQUIRE(got == wanted || got == vl::kNotFoundSentinel);
    const int number = app.m_settings.ReadInt(vl::kPingSubkey, kNames[i], -7, true);
    FUZZ_REQUIRE(number == -7 || (wanted != vl::kNotFoundSentinel && number == vl::Atoi(wanted)));
  }

  // The folder comes back with exactly one backslash added when it lacks
  // one, or not at all and the user is told.
  const std::string stored = Expected(reg, kInstallKey, "Folder", "", false);
  const size_t boxesBefore = boxes.shown.size();
  const std::string install = vl::GetInstallFolder(app.m_settings, boxes, app.m_strProductName);
  if (install.empty())
    FUZZ_REQUIRE(boxes.shown.size() == boxesBefore + 1);
  else
    FUZZ_REQUIRE(install == stored || install == stored + "\\");
  FUZZ_REQUIRE(install.empty() || install.back() == '\\');
  vl::ReadPingSettings(app.m_settings);
  vl::BackupBaseFolder(app);

  // A write that reports success stored the whole text; one that does not
  // left the old value as it was.
  const std::string& hostKey = kPingKey;
  const std::string& hostName = StoredName(1);
  const std::string old = Bytes(reg.Get(hostKey, hostName));
  const bool scrambledOk = app.m_settings.WriteString(vl::kPingSubkey, "PingHost", written, true);
  const std::string now = Bytes(reg.Get(hostKey, hostName));
  if (scrambledOk) {
    FUZZ_REQUIRE(!now.empty() && now.back() == '\0' && now.find('\0') == now.size() - 1);
    FUZZ_REQUIRE(vl::Unscramble(now.substr(0, now.size() - 1)) == written);
    FUZZ_REQUIRE(now.size() <= vl::kSettingsBufferSize);
  } else {
    FUZZ_REQUIRE(now == old);
  }
  const std::string oldFolder = Bytes(reg.Get(kInstallKey, "Folder"));
  if (app.m_settings.WriteString("Install", "Folder", written, false)) {
    FUZZ_REQUIRE(Bytes(reg.Get(kInstallKey, "Folder")) == written + '\0');
    const std::string back = app.m_settings.ReadString("Install", "Folder", "-", false);
    FUZZ_REQUIRE(back == written.substr(0, written.find('\0')) || back == "-");
  } else {
    FUZZ_REQUIRE(Bytes(reg.Get(kInstallKey, "Folder")) == oldFolder);
  }
  FUZZ_REQUIRE(reg.OpenHandles() <= 1);  // a failed close may keep its key
  f.Reset();
  return 0;
}
