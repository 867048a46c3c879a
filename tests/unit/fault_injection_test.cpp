// Every registry call of an Apply, a restore and a settings write, and every
// file operation of the mode-file write and the registry backup, made to fail
// in turn. Whatever fails: no value ends up other than untouched, as the run
// leaves it or as the run writes it on its way; success is only told when the
// run's every value stands; a refusal of access is told as a failure; no key
// is left open.
#include <gtest/gtest.h>
#include <strings.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "backup/registry_backup.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"
#include "settings/mode_file.h"
#include "settings/settings_store.h"
#include "tuning/apply_command.h"
#include "tuning/restore.h"
#include "tuning/writers.h"

namespace vl {
namespace {

const char kSettingsKey[] = "HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001";
const char kInstallKey[] = "HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001\\Install";
const char kMstcp[] = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kNdi[] = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
const char kTcpipParameters[] = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const char kNetCards[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";
const char kModeFile[] = "C:\\Velora\\Velora.cfg";
const long kStatuses[] = {kErrorAccessDenied, kErrorFileNotFound, kErrorMoreData};
const uint32_t kRhs = kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;

class NoUi : public IApplyUi {
 public:
  WindowHandle Owner() override { return 0x42; }
  void CreateProgress() override {}
  void ShowProgress() override {}
  void SetRange(int, int) override {}
  void SetStep(int) override {}
  void SetPos(int) override {}
  void StepIt() override {}
  void DestroyProgress() override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
};

struct Bench {
  Bench() {
    app.sys = Platform{&reg, &boxes, &shell, &files, &pacer, &restart};
    app.m_settings.Attach(&reg);
    app.m_settings.SetBaseKey("SOFTWARE\\Norwick Ltd\\Velora 2001");
    app.m_strProductName = "Velora 2001";
    reg.PutSz(kInstallKey, "Folder", "C:\\Velora");
    files.AddDirectory("C:\\Velora");
    files.SetCurrentDirectoryA("C:\\Velora");  // as start-up leaves it
  }
  bool Shown(const std::string& text) const {
    return std::any_of(boxes.shown.begin(), boxes.shown.end(),
                       [&](const ShownBox& b) { return b.text == text; });
  }
  bool ToldFailure() const {
    return std::any_of(boxes.shown.begin(), boxes.shown.end(),
                       [](const ShownBox& b) { return (b.style & kMbIconExclamation) != 0; });
  }

  // The install folder could not be read.
  bool ToldSevereError() const {
    return std::any_of(boxes.shown.begin(), boxes.shown.end(), [](const ShownBox& b) {
      return b.caption == "Velora 2001 - Severe Error";
    });
  }

  MemRegistry reg;
  MemMessageBoxes boxes;
  MemShell shell;
  MemFiles files;
  MemPacer pacer;
  MemRestart restart;
  AppState app;
};

std::string Four(int n) { return (n < 10 ? "000" : "00") + std::to_string(n); }
std::string ClassKey(int n) { return "HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\" + Four(n); }
std::string TcpipKey(const std::string& service) {
  return "HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters\\Tcpip";
}

// Windows 98 with a Dial-Up adapter at 0 and a network card at 1.
void Seed98(Bench& b) {
  b.app.m_strOsName = "98";
  const char* descriptions[] = {"Dial-Up Adapter", "Realtek RTL8029(AS) PCI Ethernet NIC"};
  for (int i = 0; i < 2; ++i) {
    const std::string adapter = "HKLM\\Enum\\Root\\Net\\" + Four(i);
    b.reg.PutSz(adapter, "DeviceDesc", descriptions[i]);
    b.reg.PutSz(adapter + "\\Bindings", "MSTCP\\" + Four(i), "");
    b.reg.PutSz("HKLM\\Enum\\Network\\MSTCP\\" + Four(i), "Driver", "NetTrans\\" + Four(i));
    b.reg.PutSz(ClassKey(i), "DriverDesc", "TCP/IP");
  }
  b.reg.AddKey(kMstcp);
  b.reg.PutSz(kNdi, "", "0");
}

// Windows 2000 with a dial-up card at 0 and a network card at 1.
void SeedNt(Bench& b) {
  b.app.m_strOsName = "2000";
  const char* cards[][2] = {{"Remote Access WAN Wrapper [1]", "NdisWan4"},
                            {"3Com EtherLink XL 10/100 PCI NIC", "El90x1"}};
  for (int i = 0; i < 2; ++i) {
    b.reg.PutSz(kNetCards + std::to_string(i), "Title", cards[i][0]);
    b.reg.PutSz(kNetCards + std::to_string(i), "ServiceName", cards[i][1]);
    b.reg.AddKey(TcpipKey(cards[i][1]));
  }
  b.reg.AddKey(kTcpipParameters);
}

// The values an Apply or a restore may touch, per family.
using Watch = std::pair<std::string, std::string>;
std::vector<Watch> Watched98() {
  std::vector<Watch> w;
  for (int i = 0; i < 2; ++i)
    for (const char* name : {"MaxMTU", "MaxMSS"}) w.push_back({ClassKey(i), name});
  for (const char* name : {"DefaultRcvWindow", "DefaultMSS", "DefaultTTL", "SessionKeepAlive",
                           "PMTUDiscovery", "PMTUBlackHoleDetect"})
    w.push_back({kMstcp, name});
  w.push_back({kNdi, ""});
  return w;
}
std::vector<Watch> WatchedNt() {
  std::vector<Watch> w = {{TcpipKey("NdisWan4"), "MTU"}, {TcpipKey("El90x1"), "MTU"}};
  for (const char* name : {"TcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery", "EnablePMTUBHDetect"})
    w.push_back({kTcpipParameters, name});
  return w;
}

std::string ValueText(const RegValue* v) {
  if (!v) return "<absent>";
  return std::to_string(v->type) + ":" + std::string(v->data.begin(), v->data.end());
}

std::map<Watch, std::string> Snapshot(const MemRegistry& reg, const std::vector<Watch>& watched) {
  std::map<Watch, std::string> s;
  for (const Watch& w : watched) s[w] = ValueText(reg.Get(w.first, w.second));
  return s;
}

struct RegistryCase {
  const char* name;
  std::function<void(Bench&)> seed;
  std::function<void(Bench&)> run;
  std::vector<Watch> watched;
  std::string successText;
};

// Runs the case once cleanly, then once for every call of that run failing
// with each status, and judges every outcome against the clean one.
// `more` judges what is particular to a case, given the call that failed.
using MoreChecks = std::function<void(const Bench& failed, const RegCall& call, long status)>;

void EveryRegistryCallFails(const RegistryCase& c, const MoreChecks& more = {}) {
  Bench clean;
  c.seed(clean);
  const std::map<Watch, std::string> before = Snapshot(clean.reg, c.watched);
  clean.reg.ClearCalls();
  const size_t first = clean.reg.CallCount();
  c.run(clean);
  const size_t calls = clean.reg.CallCount() - first;
  ASSERT_TRUE(clean.Shown(c.successText)) << c.name << ": the clean run must succeed";
  const std::map<Watch, std::string> after = Snapshot(clean.reg, c.watched);
  // What the clean run writes on its way, value by value.
  std::map<Watch, std::set<std::string>> passing;
  for (const RegCall& call : clean.reg.Calls())
    if (call.op == RegOp::Set)
      for (const Watch& w : c.watched)
        if (strcasecmp(w.first.c_str(), call.path.c_str()) == 0 &&
            strcasecmp(w.second.c_str(), call.name.c_str()) == 0)
          passing[w].insert(std::to_string(call.type) + ":" +
                            std::string(call.data.begin(), call.data.end()));

  for (size_t n = 1; n <= calls; ++n) {
    for (long status : kStatuses) {
      SCOPED_TRACE(std::string(c.name) + ": call " + std::to_string(n) + " fails with " +
                   std::to_string(status));
      Bench b;
      c.seed(b);
      size_t seen = 0;
      RegCall failedCall{};
      b.reg.fault = [&](const RegCall& call) -> long {
        if (++seen != n) return 0;
        failedCall = call;
        return status;
      };
      c.run(b);
      ASSERT_GE(seen, n);

      const std::map<Watch, std::string> now = Snapshot(b.reg, c.watched);
      for (const Watch& w : c.watched) {
        const std::string& v = now.at(w);
        EXPECT_TRUE(v == before.at(w) || v == after.at(w) || passing[w].count(v))
            << w.first << " [" << w.second << "] = " << v;
      }
      // A key or value that a read calls missing is, for the program, not
      // there: an adapter without it drops out of the walk, and without the
      // NWLink key there is no cache to size. Success then stands for the
      // smaller machine the program saw.
      const bool seenAsMissing = (failedCall.op == RegOp::Open || failedCall.op == RegOp::Query) &&
                                 status != kErrorAccessDenied;
      const bool claimed = b.Shown(c.successText);
      EXPECT_TRUE(!claimed || seenAsMissing || after == now) << "success told with values missing";
      EXPECT_TRUE(claimed || b.ToldFailure()) << "a failed run must say so";
      EXPECT_TRUE(failedCall.op == RegOp::Close || b.reg.OpenHandles() == 0) << "a key left open";
      // The program's own settings are read after the work, for the mode file.
      const bool tuningKey = failedCall.path.rfind(kSettingsKey, 0) != 0;
      EXPECT_FALSE(status == kErrorAccessDenied && failedCall.op != RegOp::Close && tuningKey &&
                   claimed)
          << "success told although " << failedCall.path << " [" << failedCall.name
          << "] was refused";
      if (more) more(b, failedCall, status);
    }
  }
}

// The configuration is recorded, and a restart offered, only for settings
// that were written. A refused call of the tuning keys is told as a failed
// write: the user needs the rights, not another configuration.
void JudgeApply(const Bench& b, const RegCall& call, long status) {
  const bool claimed = b.Shown(RestartQuestion("Velora 2001"));
  EXPECT_EQ(claimed, b.files.Exists(kModeFile) || b.ToldSevereError());
  EXPECT_TRUE(claimed || b.restart.log.empty());
  if (status == kErrorAccessDenied && call.op != RegOp::Close &&
      call.path.rfind(kSettingsKey, 0) != 0) {
    EXPECT_TRUE(b.Shown(WriteFailedMessage(b.app.m_nConfigMode)));
  }
}

TEST(RegistryFaults, ApplyOnNinetyEight) {
  RegistryCase c{"9x Apply", Seed98,
                 [](Bench& b) {
                   LoadAutoMode(b.app, ModeAutoDialUp);
                   NoUi ui;
                   RunApplyCommand(b.app, ui, /*deferred=*/true);
                 },
                 Watched98(), RestartQuestion("Velora 2001")};
  EveryRegistryCallFails(c, JudgeApply);
}

TEST(RegistryFaults, ApplyOnNt) {
  RegistryCase c{"NT Apply", SeedNt,
                 [](Bench& b) {
                   LoadAutoMode(b.app, ModeAutoLan);
                   b.boxes.answers = {kIdYes, kIdYes};  // a LAN indeed; restart
                   NoUi ui;
                   RunApplyCommand(b.app, ui, /*deferred=*/true);
                 },
                 WatchedNt(), RestartQuestion("Velora 2001")};
  EveryRegistryCallFails(c, JudgeApply);
}

TEST(RegistryFaults, RestoreOfBothFamilies) {
  const char kRestored[] = "Windows default settings were successfully restored.";
  // Each machine starts with the values of an automatic Apply in place.
  RegistryCase cases[] = {
      {"9x restore",
       [](Bench& b) {
         Seed98(b);
         LoadAutoMode(b.app, ModeAutoLan);
         ApplySettings9x(b.app);
       },
       [](Bench& b) {
         b.boxes.answers = {kIdYes};
         RestoreDefaults9x(b.app, true);
       },
       Watched98(), kRestored},
      {"NT restore",
       [](Bench& b) {
         SeedNt(b);
         LoadAutoMode(b.app, ModeAutoDialUp);
         ApplySettingsNt(b.app);
       },
       [](Bench& b) {
         b.boxes.answers = {kIdYes};
         RestoreDefaultsNt(b.app, true);
       },
       WatchedNt(), kRestored},
  };
  for (const RegistryCase& c : cases) EveryRegistryCallFails(c);
}

TEST(RegistryFaults, SettingsWriteAndReadBack) {
  // Scrambled and plain, text and number: a write that reports success can be
  // read back, one that does not left the old value; a read gives the value
  // or the caller's default, never anything else.
  const struct {
    bool scrambled;
    bool number;
  } kinds[] = {{true, false}, {true, true}, {false, false}, {false, true}};
  for (const auto& k : kinds) {
    for (size_t n = 1; n <= 4; ++n) {
      for (long status : kStatuses) {
        SCOPED_TRACE((k.scrambled ? "scrambled " : "plain ") + std::string(k.number ? "number" : "text") +
                     ", call " + std::to_string(n) + " fails with " + std::to_string(status));
        Bench b;
        SettingsStore& store = b.app.m_settings;
        ASSERT_TRUE(store.WriteString("UndoRegular", "PingHost", "old.example.com", k.scrambled));
        ASSERT_TRUE(store.WriteInt("UndoRegular", "PingInterval", 4, k.scrambled));
        b.reg.FailNthCall(n, status);
        const bool written =
            k.number ? store.WriteInt("UndoRegular", "PingInterval", 17, k.scrambled)
                     : store.WriteString("UndoRegular", "PingHost", "new.example.com", k.scrambled);
        b.reg.fault = nullptr;
        if (k.number)
          EXPECT_EQ(written ? 17 : 4, store.ReadInt("UndoRegular", "PingInterval", -1, k.scrambled));
        else
          EXPECT_EQ(written ? "new.example.com" : "old.example.com",
                    store.ReadString("UndoRegular", "PingHost", "-", k.scrambled));
        // Create and write fail the write; a failed close does not.
        EXPECT_EQ(n > 2, written);

        b.reg.FailNthCall(n, status);
        const std::string read = store.ReadString("UndoRegular", "PingHost", "-", k.scrambled);
        EXPECT_TRUE(read == "-" || read == "old.example.com" || read == "new.example.com") << read;
      }
    }
  }
}

// ---- File operations ----

struct FileCase {
  const char* name;
  std::function<void(Bench&)> seed;
  std::function<void(Bench&)> run;
  std::function<void(const Bench&)> judge;
};

void EveryFileOperationFails(const FileCase& c) {
  Bench clean;
  c.seed(clean);
  clean.files.log.clear();
  c.run(clean);
  const size_t operations = clean.files.log.size();
  ASSERT_GT(operations, 0u);
  for (size_t n = 1; n <= operations; ++n) {
    SCOPED_TRACE(std::string(c.name) + ": operation " + std::to_string(n) + " (" +
                 clean.files.log[n - 1] + ") fails");
    Bench b;
    c.seed(b);
    size_t seen = 0;
    b.files.fault = [&](const std::string&, const std::string&) { return ++seen == n; };
    c.run(b);
    c.judge(b);
  }
}

TEST(FileFaults, ModeFileWrite) {
  const std::string kNew = "Local Area Networking (LAN) - Automatically Configured";
  bool written = false;
  EveryFileOperationFails({"mode file",
                           [](Bench& b) {
                             b.files.AddFile(kModeFile, "Dial-Up Networking (Modem) - Automatically Configured",
                                             kRhs);
                           },
                           [&](Bench& b) {
                             b.app.m_strActiveConfig = kNew;
                             written = WriteModeFile(b.app);
                           },
                           [&](const Bench& b) {
                             // Either the new line whole, or the old one as it was.
                             EXPECT_EQ(written ? kNew : "Dial-Up Networking (Modem) - Automatically Configured",
                                       b.files.Content(kModeFile));
                           }});
}

TEST(FileFaults, RegistryBackup) {
  EveryFileOperationFails(
      {"backup",
       [](Bench& b) {
         b.app.m_strOsName = "98";
         b.files.AddFile("C:\\WINDOWS\\system.dat", "system hive", kRhs);
         b.files.AddFile("C:\\WINDOWS\\user.dat", "user hive", kRhs);
         // An earlier backup, protected as the copies of the hives are.
         b.files.AddFile("C:\\Velora\\RegBak\\system.dat", "old system", kRhs);
         b.files.AddFile("C:\\Velora\\RegBak\\user.dat", "old user", kRhs);
       },
       [](Bench& b) { RunRegistryBackup(b.app, 0x42); },
       [](const Bench& b) {
         ASSERT_EQ(1u, b.boxes.shown.size());
         if (b.boxes.shown[0].text == kBackupDoneText) {
           EXPECT_EQ("system hive", b.files.Content("C:\\Velora\\RegBak\\system.dat"));
           EXPECT_EQ("user hive", b.files.Content("C:\\Velora\\RegBak\\user.dat"));
         } else {
           EXPECT_TRUE(b.ToldFailure()) << b.boxes.shown[0].text;
         }
       }});
}

}  // namespace
}  // namespace vl
