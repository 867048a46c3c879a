// Every registry call of an Apply, a restore, a settings write and the Ping
// Configuration's OK, and every file operation of the mode-file write (alone
// and in the Apply) and the registry backup, made to fail in turn. Whatever fails: no value ends up other than untouched, as the run
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

#include "backup/registry_backup.h"
#include "ping/ping_config.h"
#include "res/resource.h"
#include "settings/install_folder.h"
#include "settings/mode_file.h"
#include "settings/settings_store.h"
#include "tests/unit/kit/fake_ping_controls.h"
#include "tests/unit/kit/machines.h"
#include "tests/unit/kit/mem_app.h"
#include "tests/unit/kit/recording_apply_ui.h"
#include "tuning/adapters.h"
#include "tuning/apply_command.h"
#include "tuning/restore.h"
#include "tuning/undo.h"
#include "tuning/writers.h"

namespace vl {
namespace {

using namespace machines;

const char kModeFile[] = "C:\\Velora\\Velora.cfg";
const long kStatuses[] = {kErrorAccessDenied, kErrorFileNotFound, kErrorMoreData};

// The application as start-up leaves it in its install folder.
struct Bench : MemApp {
  Bench() { Install(); }
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
};

// The values an Apply or a restore may touch, per family.
using Watch = std::pair<std::string, std::string>;
std::vector<Watch> Watched98() {
  std::vector<Watch> w;
  for (int i = 0; i < 2; ++i)
    for (const char* name : {"MaxMTU", "MaxMSS"}) w.push_back({BindingKey(i), name});
  for (const char* name : {"DefaultRcvWindow", "DefaultMSS", "DefaultTTL", "SessionKeepAlive",
                           "PMTUDiscovery", "PMTUBlackHoleDetect"})
    w.push_back({kMstcp, name});
  w.push_back({kNdiCache, ""});
  return w;
}
std::vector<Watch> WatchedNt() {
  std::vector<Watch> w = {{Tcpip("NdisWan4"), "MTU"}, {Tcpip("El90x1"), "MTU"}};
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

// No write or delete reached a key outside the program's own.
bool TuningUntouched(const MemRegistry& reg) {
  return std::none_of(reg.Calls().begin(), reg.Calls().end(), [](const RegCall& c) {
    return (c.op == RegOp::Set || c.op == RegOp::Delete) && c.result == kErrorSuccess &&
           c.path.rfind(kSettingsKey, 0) != 0;
  });
}

// The configuration is recorded, and a restart offered, only for settings
// that were written. A refused call of the tuning keys is told as a failed
// write: the user needs the rights, not another configuration.
// A change whose record could not be kept touched no TCP/IP value.
void JudgeApply(const Bench& b, const RegCall& call, long status) {
  const bool claimed = b.Shown(RestartQuestion("Velora 2001"));
  EXPECT_EQ(claimed, b.files.Exists(kModeFile) || b.ToldSevereError());
  EXPECT_TRUE(claimed || b.restart.log.empty());
  const bool notRecorded = b.Shown(kChangeNotRecorded);
  EXPECT_TRUE(!notRecorded || TuningUntouched(b.reg)) << "changed without a record";
  if (status == kErrorAccessDenied && call.op != RegOp::Close &&
      call.path.rfind(kSettingsKey, 0) != 0) {
    EXPECT_TRUE(b.Shown(WriteFailedMessage(b.app.m_nConfigMode)) || notRecorded);
  }
}

TEST(RegistryFaults, ApplyOnNinetyEight) {
  RegistryCase c{"9x Apply", Windows98WithBoth,
                 [](Bench& b) {
                   LoadAutoMode(b.app, ModeAutoDialUp);
                   RecordingApplyUi ui;
                   RunApplyCommand(b.app, ui, ApplyOrigin::FormButton);
                 },
                 Watched98(), RestartQuestion("Velora 2001")};
  ASSERT_NO_FATAL_FAILURE(EveryRegistryCallFails(c, JudgeApply));
}

TEST(RegistryFaults, ApplyOnNt) {
  RegistryCase c{"NT Apply", Windows2000WithBoth,
                 [](Bench& b) {
                   LoadAutoMode(b.app, ModeAutoLan);
                   b.boxes.answers = {kIdYes, kIdYes};  // a LAN indeed; restart
                   RecordingApplyUi ui;
                   RunApplyCommand(b.app, ui, ApplyOrigin::FormButton);
                 },
                 WatchedNt(), RestartQuestion("Velora 2001")};
  ASSERT_NO_FATAL_FAILURE(EveryRegistryCallFails(c, JudgeApply));
}

TEST(RegistryFaults, RestoreOfBothFamilies) {
  // Each machine starts with the values of an automatic Apply in place.
  RegistryCase cases[] = {
      {"9x restore",
       [](Bench& b) {
         Windows98WithBoth(b);
         LoadAutoMode(b.app, ModeAutoLan);
         ApplySettings9x(b.reg, b.app.m_nConfigMode, b.app.m_tuning, nullptr);
       },
       [](Bench& b) {
         b.boxes.answers = {kIdYes};
         RunRestoreCommand(b.app);
       },
       Watched98(), kRestoreDone},
      {"NT restore",
       [](Bench& b) {
         Windows2000WithBoth(b);
         LoadAutoMode(b.app, ModeAutoDialUp);
         ApplySettingsNt(b.reg, b.app.m_nConfigMode, b.app.m_tuning, nullptr);
       },
       [](Bench& b) {
         b.boxes.answers = {kIdYes};
         RunRestoreCommand(b.app);
       },
       WatchedNt(), kRestoreDone},
  };
  for (const RegistryCase& c : cases) ASSERT_NO_FATAL_FAILURE(EveryRegistryCallFails(c));
}

// Undo of an Apply with every call failing in turn: each value is back as it
// was or still as the Apply left it; that all was put back is only told when
// it is so; a refused value is told; no key is left open. A history that
// reads as missing leaves everything as it is, without a word, as when there
// is nothing to undo.
TEST(RegistryFaults, UndoOfBothFamilies) {
  const struct {
    const char* name;
    void (*seed)(Bench&);
    int mode;
    std::vector<Watch> watched;
  } cases[] = {
      {"9x undo",
       [](Bench& b) {
         Windows98WithBoth(b);
         b.reg.PutSz(BindingKey(0), "MaxMTU", "1492");
         b.reg.PutDword(kMstcp, "DefaultTTL", 64);
       },
       ModeAutoDialUp, Watched98()},
      {"NT undo",
       [](Bench& b) {
         Windows2000WithBoth(b);
         b.reg.PutDword(Tcpip("El90x1"), "MTU", 1400);
         b.reg.PutSz(kTcpipParameters, "DefaultTTL", "64");
       },
       ModeAutoLan, WatchedNt()},
  };
  for (const auto& c : cases) {
    // The machine with the Apply made and recorded.
    auto prepare = [&](Bench& b) {
      c.seed(b);
      LoadAutoMode(b.app, static_cast<ConfigMode>(c.mode));
      b.boxes.answers = {kIdYes, kIdNo};
      if (c.mode != ModeAutoLan) b.boxes.answers.pop_front();
      RecordingApplyUi ui;
      RunApplyCommand(b.app, ui, ApplyOrigin::Menu);
      b.boxes.shown.clear();
      b.boxes.answers = {kIdYes, kIdNo};
    };
    Bench clean;
    c.seed(clean);
    const std::map<Watch, std::string> original = Snapshot(clean.reg, c.watched);
    prepare(clean);
    const std::map<Watch, std::string> applied = Snapshot(clean.reg, c.watched);
    ASSERT_NE(original, applied);
    const size_t first = clean.reg.CallCount();
    RunUndoCommand(clean.app, 0x42);
    const size_t calls = clean.reg.CallCount() - first;
    ASSERT_EQ(original, Snapshot(clean.reg, c.watched)) << c.name;

    for (size_t n = 1; n <= calls; ++n) {
      for (long status : kStatuses) {
        SCOPED_TRACE(std::string(c.name) + ": call " + std::to_string(n) + " fails with " +
                     std::to_string(status));
        Bench b;
        prepare(b);
        b.reg.FailNthCall(n, status);
        size_t seen = 0;
        RegCall failedCall{};
        auto nth = b.reg.fault;
        b.reg.fault = [&](const RegCall& call) -> long {
          const long result = nth(call);
          if (result) failedCall = call;
          ++seen;
          return result;
        };
        RunUndoCommand(b.app, 0x42);
        ASSERT_GE(seen, n);
        const std::map<Watch, std::string> now = Snapshot(b.reg, c.watched);
        for (const Watch& w : c.watched)
          EXPECT_TRUE(now.at(w) == original.at(w) || now.at(w) == applied.at(w))
              << w.first << " [" << w.second << "] = " << now.at(w);
        const bool done = std::any_of(b.boxes.shown.begin(), b.boxes.shown.end(),
                                      [](const ShownBox& box) {
                                        return box.text.rfind("The values changed by", 0) == 0;
                                      });
        EXPECT_TRUE(!done || original == now) << "put back told with values missing";
        if (!done && !b.ToldFailure()) {
          EXPECT_EQ(applied, now) << "a silent undo changed something";
          EXPECT_TRUE(failedCall.path.rfind(kSettingsKey, 0) == 0 && IsAbsentStatus(status))
              << failedCall.path << " [" << failedCall.name << "]";
        }
        const bool tuningKey = failedCall.path.rfind(kSettingsKey, 0) != 0;
        EXPECT_FALSE(status == kErrorAccessDenied && failedCall.op != RegOp::Close &&
                     tuningKey && done)
            << "put back told although " << failedCall.path << " was refused";
        EXPECT_TRUE(failedCall.op == RegOp::Close || b.reg.OpenHandles() == 0)
            << "a key left open";
      }
    }
  }
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

// The Ping Configuration's OK: either every value is stored and the dialog
// closes, or the user is told and the dialog stays open; each value is then
// the old or the new one, and no key is left open.
TEST(RegistryFaults, PingConfigurationOk) {
  const PingSettings before{kPingModeManual, "old.example.com", 4, 1, 0};
  const PingSettings after{kPingModeAutomatic, kPingModeAutomatic, kPingDefaultInterval, 0, 1};
  // The dialog over the stored settings, put back to its defaults; OK then
  // stores `after`. The fault, if any, is on the n-th call of the OK.
  auto ok = [&](Bench& b, size_t n, long status) {
    EXPECT_TRUE(WritePingSettings(b.app.m_settings, before));
    FakePingControls controls;
    PingConfigRules rules(b.app, controls);
    rules.Init();
    rules.OnDefaults();
    if (n > 0) b.reg.FailNthCall(n, status);
    const bool closed = rules.OnOk(0x42);
    b.reg.fault = nullptr;
    return closed;
  };
  Bench clean;
  const size_t first = clean.reg.CallCount();
  ASSERT_TRUE(ok(clean, 0, 0));
  const size_t calls = clean.reg.CallCount() - first;

  for (size_t n = 1; n <= calls; ++n) {
    for (long status : kStatuses) {
      SCOPED_TRACE("call " + std::to_string(n) + " fails with " + std::to_string(status));
      Bench b;
      const bool closed = ok(b, n, status);
      const PingSettings now = ReadPingSettings(b.app.m_settings);
      // Closed: every value new. Open: each value old or new.
      auto stands = [&](const auto& value, const auto& old, const auto& wanted) {
        return value == wanted || (!closed && value == old);
      };
      EXPECT_TRUE(stands(now.mode, before.mode, after.mode)) << now.mode;
      EXPECT_TRUE(stands(now.host, before.host, after.host)) << now.host;
      EXPECT_TRUE(stands(now.interval, before.interval, after.interval)) << now.interval;
      EXPECT_TRUE(stands(now.sound, before.sound, after.sound)) << now.sound;
      EXPECT_TRUE(stands(now.taskBarAni, before.taskBarAni, after.taskBarAni)) << now.taskBarAni;
      EXPECT_EQ(closed ? std::vector<std::string>{} : std::vector<std::string>{kPingStoreFailed},
                b.BoxTexts());
      EXPECT_LE(b.reg.OpenHandles(), 1u) << "a key left open";
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
  bool written = false;
  ASSERT_NO_FATAL_FAILURE(EveryFileOperationFails({"mode file",
                           [](Bench& b) { b.files.AddFile(kModeFile, kDescAutoDialUp, kRhs); },
                           [&](Bench& b) {
                             b.app.m_strActiveConfig = kDescAutoLan;
                             written = WriteModeFile(
                                 b.files,
                                 GetInstallFolder(b.app.m_settings, b.boxes, "Velora 2001"),
                                 b.app.m_strActiveConfig);
                           },
                           [&](const Bench& b) {
                             // Either the new line whole, or the old one as it was.
                             EXPECT_EQ(written ? kDescAutoLan : kDescAutoDialUp,
                                       b.files.Content(kModeFile));
                           }}));
}

// The form's Apply wrote the settings whatever becomes of the file: the
// restart is offered all the same, and a file left as it was is told first.
TEST(FileFaults, ModeFileOfTheApply) {
  ASSERT_NO_FATAL_FAILURE(EveryFileOperationFails(
      {"mode file of the Apply",
       [](Bench& b) {
         Windows98WithBoth(b);
         b.files.AddFile(kModeFile, kDescAutoLan, kRhs);
       },
       [](Bench& b) {
         LoadAutoMode(b.app, ModeAutoDialUp);
         RecordingApplyUi ui;
         RunApplyCommand(b.app, ui, ApplyOrigin::FormButton);
       },
       [](const Bench& b) {
         const bool recorded = b.files.Content(kModeFile) == kDescAutoDialUp;
         EXPECT_TRUE(recorded || b.files.Content(kModeFile) == kDescAutoLan);
         std::vector<std::string> expected;
         if (!recorded) expected.push_back(kModeFileFailed);
         expected.push_back(RestartQuestion("Velora 2001"));
         expected.push_back(kRestartReminder);
         EXPECT_EQ(expected, b.BoxTexts());
         EXPECT_EQ("576", b.reg.GetSz(BindingKey(0), "MaxMTU"));
       }}));
}

TEST(FileFaults, RegistryBackup) {
  ASSERT_NO_FATAL_FAILURE(EveryFileOperationFails(
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
       }}));
}

}  // namespace
}  // namespace vl
