// The change record kept before an Apply or a restore from the menu, the
// read-back after it, and Undo Last Changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/machines.h"
#include "tests/unit/kit/recording_apply_ui.h"
#include "tuning/apply_command.h"
#include "tuning/change_history.h"
#include "tuning/restore.h"
#include "tuning/undo.h"

namespace vl {
namespace {

using namespace machines;

const std::string kChangesKey = kSettingsKey + "\\Changes";
constexpr WindowHandle kFrame = RecordingApplyUi::kFrame;

// A value as the registry holds it, for comparing states.
std::string StateOf(const MemRegistry& reg, const std::string& key, const std::string& name) {
  const RegValue* v = reg.Get(kHklm + key, name);
  if (!v) return "absent";
  return std::to_string(v->type) + ":" + std::string(v->data.begin(), v->data.end());
}
std::string StateOf(const PriorValue& v) {
  if (!v.present) return "absent";
  return std::to_string(v.type) + ":" + std::string(v.data.begin(), v.data.end());
}

// Machines with values of their own: texts where the program writes
// numbers, numbers and bytes where it writes texts, values absent, and keys
// the program never makes.
void Own98Values(MemApp& m) {
  Windows98WithBoth(m);
  m.reg.PutSz(BindingKey(0), "MaxMTU", "1492");
  m.reg.Put(BindingKey(1), "MaxMSS", kRegBinary, {0x05, 0xB4});
  m.reg.PutDword(kMstcp, "DefaultTTL", 64);
  m.reg.Put(kMstcp, "DefaultRcvWindow", kRegSz, {'8', '7', '6', '0'});  // without its NUL
  m.reg.PutSz(kMstcp, "SessionKeepAlive", "");
}
void OwnNtValues(MemApp& m) {
  Windows2000WithBoth(m);
  m.reg.PutSz(Tcpip("El90x1"), "MTU", "1400");
  m.reg.AddKey(kInterfaces + "El90x1");
  m.reg.PutDword(kInterfaces + "El90x1", "MTU", 1454);
  m.reg.AddKey(kInterfaces + "NdisWan4");  // holds no MTU yet
  m.reg.PutDword(kTcpipParameters, "DefaultTTL", 128);
  m.reg.Put(kTcpipParameters, "EnablePMTUBHDetect", kRegBinary, {1});
}

// Windows 2000 and later with values of their own: a card's MTU in its
// Interfaces key, and NdisWan's IP protocol with an MTU or without a key.
void OwnXpValues(MemApp& m) {
  NtMachine(m, NtLayout::WindowsXp);
  m.reg.PutDword(kInterfaces + kCardGuid, "MTU", 1492);
  m.reg.PutDword(kTcpipParameters, "TcpWindowSize", 64240);
}
void XpWithLineMtu(MemApp& m) {
  OwnXpValues(m);
  m.reg.PutDword(kNdisWanProtocols + "0", "ProtocolType", 0x8137);
  m.reg.PutDword(kNdisWanProtocols + "1", "ProtocolType", 0x800);
  m.reg.PutDword(kNdisWanProtocols + "1", "PPPProtocolType", 0x21);
  m.reg.PutDword(kNdisWanProtocols + "1", "ProtocolMTU", 1400);
}
void Windows10(MemApp& m) { NtMachine(m, NtLayout::Windows10); }

struct ChangeCase {
  const char* name;
  void (*seed)(MemApp&);
  // Runs the change through its command, answering its questions.
  std::function<void(MemApp&)> run;
  ChangeRecord expected;  // kind and mode only
};

ChangeRecord Named(ChangeKind kind, int mode = 0) {
  ChangeRecord r;
  r.kind = kind;
  r.mode = mode;
  return r;
}

// The automatic mode's values, unless that mode is loaded already.
void Apply(MemApp& m, int mode) {
  if (m.app.m_nConfigMode != mode) LoadAutoMode(m.app, static_cast<ConfigMode>(mode));
  m.boxes.answers = {kIdNo};  // no restart now
  if (mode == ModeAutoLan) m.boxes.answers.push_front(kIdYes);  // a LAN indeed
  RecordingApplyUi ui;
  RunApplyCommand(m.app, ui, ApplyOrigin::Menu);
}
void Restore(MemApp& m) {
  m.boxes.answers = {kIdYes};
  RunRestoreCommand(m.app);
}

std::vector<ChangeCase> Cases() {
  return {
      {"9x Apply, automatic Dial-Up", Own98Values, [](MemApp& m) { Apply(m, ModeAutoDialUp); },
       Named(ChangeKind::Apply, ModeAutoDialUp)},
      {"9x Apply, automatic LAN", Own98Values, [](MemApp& m) { Apply(m, ModeAutoLan); },
       Named(ChangeKind::Apply, ModeAutoLan)},
      {"9x Apply without NWLink",
       [](MemApp& m) {
         Own98Values(m);
         m.reg.RemoveKey(kNwlink);
       },
       [](MemApp& m) { Apply(m, ModeAutoDialUp); }, Named(ChangeKind::Apply, ModeAutoDialUp)},
      {"9x restore", Own98Values, Restore, Named(ChangeKind::Restore)},
      {"NT Apply, automatic LAN", OwnNtValues, [](MemApp& m) { Apply(m, ModeAutoLan); },
       Named(ChangeKind::Apply, ModeAutoLan)},
      {"NT Apply, automatic Dial-Up", OwnNtValues, [](MemApp& m) { Apply(m, ModeAutoDialUp); },
       Named(ChangeKind::Apply, ModeAutoDialUp)},
      {"NT restore", OwnNtValues, Restore, Named(ChangeKind::Restore)},
      {"XP Apply, automatic Dial-Up, the protocol key made", OwnXpValues,
       [](MemApp& m) { Apply(m, ModeAutoDialUp); }, Named(ChangeKind::Apply, ModeAutoDialUp)},
      {"XP Apply, automatic Dial-Up, the protocol key there", XpWithLineMtu,
       [](MemApp& m) { Apply(m, ModeAutoDialUp); }, Named(ChangeKind::Apply, ModeAutoDialUp)},
      {"XP restore", XpWithLineMtu, Restore, Named(ChangeKind::Restore)},
      {"Windows 10 Apply, automatic LAN", Windows10, [](MemApp& m) { Apply(m, ModeAutoLan); },
       Named(ChangeKind::Apply, ModeAutoLan)},
  };
}

// Every value the change wrote or deleted, once, as "key|name" in lower case.
std::vector<std::string> Touched(const MemRegistry& reg) {
  std::vector<std::string> out;
  for (const RegCall& c : reg.Calls()) {
    if ((c.op != RegOp::Set && c.op != RegOp::Delete) || c.path.rfind(kSettingsKey, 0) == 0)
      continue;
    std::string id = c.path.substr(kHklm.size()) + "|" + c.name;
    std::transform(id.begin(), id.end(), id.begin(), ::tolower);
    if (std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
  }
  return out;
}

NewestChange Newest(MemApp& m) {
  return ChangeHistory(m.reg, m.app.m_settings.BaseKey()).Newest();
}

// The record names each value the change touched, once, with the state it
// had before: absent, or its own type and bytes.
TEST(ChangeRecordKept, HoldsThePriorStateOfEveryValueTheChangeTouches) {
  for (const ChangeCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    MemApp m;
    m.Install();
    c.seed(m);
    m.reg.ClearCalls();
    c.run(m);
    const NewestChange newest = Newest(m);
    ASSERT_EQ(NewestState::Found, newest.state);
    EXPECT_EQ(c.expected.kind, newest.record.kind);
    EXPECT_EQ(c.expected.mode, newest.record.mode);
    EXPECT_EQ("on 15 June 2001 at 09:30", WhenText(newest.record.when));

    MemApp fresh;  // the machine as it was
    c.seed(fresh);
    std::vector<std::string> recorded;
    for (const PriorValue& v : newest.record.values) {
      std::string id = v.key + "|" + v.name;
      std::transform(id.begin(), id.end(), id.begin(), ::tolower);
      recorded.push_back(id);
      EXPECT_EQ(StateOf(fresh.reg, v.key, v.name), StateOf(v)) << v.key << " [" << v.name << "]";
    }
    EXPECT_EQ(Touched(m.reg), recorded);
  }
}

// Undo after each kind of change: the whole registry is as it was before,
// byte for byte, apart from the history in the program's own key.
TEST(ChangeRecordKept, UndoPutsTheWholeRegistryBack) {
  for (const ChangeCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    MemApp m;
    m.Install();
    c.seed(m);
    const std::vector<std::string> before = m.reg.Dump(kChangesKey);
    c.run(m);
    ASSERT_NE(before, m.reg.Dump(kChangesKey)) << "the change changed nothing";
    EXPECT_TRUE(CanUndo(m.app));

    m.boxes.shown.clear();
    m.boxes.answers = {kIdYes, kIdNo};
    RunUndoCommand(m.app, kFrame);
    EXPECT_EQ(before, m.reg.Dump(kChangesKey));
    const std::string caption = "Velora 2001";
    ChangeRecord named = c.expected;
    named.when = m.clock.now;
    const std::vector<ShownBox> expected = {
        {kFrame, UndoQuestion(caption, named), caption,
         kMbYesNo | kMbIconQuestion | kMbDefButton2},
        {kFrame, UndoDone(named), caption, kMbOk | kMbIconInformation},
        {kFrame, RestartQuestion(caption), caption, kMbYesNo | kMbIconQuestion},
        {kFrame, kRestartReminder, caption, kMbOk | kMbIconInformation}};
    EXPECT_EQ(expected, m.boxes.shown);
    EXPECT_FALSE(CanUndo(m.app)) << "one change, one undo";
    EXPECT_EQ(0u, m.reg.OpenHandles());
  }
}

TEST(ChangeRecordKept, TheQuestionNamesTheChangeAndWhen) {
  ChangeRecord r = Named(ChangeKind::Apply, ModeAutoDialUp);
  r.when = {2001, 6, 15, 9, 30, 0};
  EXPECT_EQ(
      "Velora 2001 will undo the Apply of Automatic Mode - Dial-Up\n"
      "made on 15 June 2001 at 09:30.\n\n"
      "Every value it changed will be put back as it was before.\n"
      "Would you like to continue?",
      UndoQuestion("Velora 2001", r));
  r.kind = ChangeKind::Restore;
  EXPECT_EQ("The values changed by the restore of the Windows default settings\n"
            "were put back as they were before.",
            UndoDone(r));
}

class UndoTest : public AppTest {
 protected:
  UndoTest() { Install(); }
  void Undo(std::deque<int> answers = {kIdYes, kIdNo}) {
    boxes.shown.clear();
    boxes.answers = answers;
    RunUndoCommand(app, kFrame);
  }
};

// Each Undo takes one change off: an Apply, another, a restore, and back.
TEST_F(UndoTest, RepeatedUndosWalkBackThroughTheHistory) {
  Own98Values(*this);
  const std::vector<std::string> original = reg.Dump(kChangesKey);
  Apply(*this, ModeAutoDialUp);
  const std::vector<std::string> dialUp = reg.Dump(kChangesKey);
  Apply(*this, ModeAutoLan);
  const std::vector<std::string> lan = reg.Dump(kChangesKey);
  Restore(*this);

  for (const auto& expected : {lan, dialUp, original}) {
    ASSERT_TRUE(CanUndo(app));
    Undo();
    EXPECT_EQ(expected, reg.Dump(kChangesKey));
  }
  EXPECT_FALSE(CanUndo(app));
  Undo();
  EXPECT_TRUE(boxes.shown.empty()) << "nothing left to undo asks nothing";
}

// The history keeps the last ten changes; the eleventh back is gone.
TEST_F(UndoTest, TheLastTenChangesAreKept) {
  Windows98WithBoth(*this);
  std::vector<std::vector<std::string>> states;
  for (int i = 0; i < 12; ++i) {
    states.push_back(reg.Dump(kChangesKey));
    LoadAutoMode(app, ModeAutoDialUp);
    app.m_tuning.m_strTtl = std::to_string(100 + i);
    Apply(*this, ModeAutoDialUp);
  }
  for (int i = 11; i >= 2; --i) {
    ASSERT_TRUE(CanUndo(app)) << i;
    Undo();
    EXPECT_EQ(states[i], reg.Dump(kChangesKey)) << i;
  }
  EXPECT_FALSE(CanUndo(app));
}

// No record, no change: a history that cannot be written stops the Apply
// and the restore before any TCP/IP value is touched.
TEST_F(UndoTest, ARecordThatCannotBeKeptStopsTheChange) {
  Own98Values(*this);
  const std::vector<std::string> before = reg.Dump();
  const std::function<bool(const RegCall&)> refusals[] = {
      [](const RegCall& c) { return c.op == RegOp::Create && c.path == kChangesKey; },
      [](const RegCall& c) { return c.op == RegOp::Set && c.name == "Change 1"; },
      [](const RegCall& c) { return c.op == RegOp::Set && c.name == "Last"; },
      // The state before cannot be read, so it cannot be recorded.
      [](const RegCall& c) { return c.op == RegOp::Query && c.name == "DefaultTTL"; },
  };
  for (const auto& refuse : refusals) {
    reg.fault = [&](const RegCall& c) { return refuse(c) ? kErrorAccessDenied : 0L; };
    boxes.shown.clear();
    Apply(*this, ModeAutoDialUp);
    EXPECT_EQ((std::vector<ShownBox>{{kFrame, kChangeNotRecorded, "Velora 2001",
                                      kMbOk | kMbIconExclamation}}),
              boxes.shown);
    EXPECT_EQ(before, reg.Dump(kChangesKey));
    EXPECT_TRUE(restart.log.empty());

    boxes.shown.clear();
    Restore(*this);
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ((ShownBox{0, kChangeNotRecorded, "Velora 2001", kMbOk | kMbIconExclamation}),
              boxes.shown[1]);
    EXPECT_EQ(before, reg.Dump(kChangesKey));
  }
}

// A registry that keeps other bytes than were written: the read-back tells,
// as a failed write, never as success.
class ForgetfulRegistry : public MemRegistry {
 public:
  long SetValue(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override {
    if (name != "DefaultTTL") return MemRegistry::SetValue(key, name, type, data, size);
    const uint8_t other[] = {'6', '4', 0};
    return MemRegistry::SetValue(key, name, type, other, sizeof other);
  }
};

TEST(ChangeReadBack, ValuesThatDoNotReadBackAreAFailedWrite) {
  for (const char* os : {"98", "2000"}) {
    SCOPED_TRACE(os);
    MemApp m;
    ForgetfulRegistry forgetful;
    m.app.sys.registry = &forgetful;
    m.app.m_settings.Attach(&forgetful);
    forgetful.PutSz(kInstallKey, "Folder", "C:\\Velora");
    if (std::string(os) == "98") {
      forgetful.AddKey(kMstcp);
      AddAdapter(forgetful, 0, "Dial-Up Adapter");
    } else {
      forgetful.AddKey(kTcpipParameters);
      AddCard(forgetful, 0, "Remote Access WAN Wrapper [1]", "NdisWan4");
    }
    m.app.m_strOsName = os;
    Apply(m, ModeAutoDialUp);
    EXPECT_EQ((std::vector<std::string>{WriteFailedMessage(ModeAutoDialUp)}), m.BoxTexts());
    EXPECT_TRUE(m.restart.log.empty());
  }
}

// A missing global key means TCP/IP is not installed: said so, and nothing
// at all is written, not even the adapters' values.
TEST_F(UndoTest, WithoutTcpipNothingIsChangedAndTheUserIsToldWhy) {
  const struct {
    void (*seed)(MemApp&);
    const std::string globalKey;
  } machines[] = {{Windows98WithBoth, kMstcp}, {Windows2000WithBoth, kTcpipParameters}};
  for (const auto& machine : machines) {
    SCOPED_TRACE(machine.globalKey);
    MemApp m;
    m.Install();
    machine.seed(m);
    m.reg.RemoveKey(machine.globalKey);
    const std::vector<std::string> before = m.reg.Dump();
    Apply(m, ModeAutoDialUp);
    EXPECT_EQ((std::vector<ShownBox>{{kFrame, kTcpipNotInstalled, "Velora 2001",
                                      kMbOk | kMbIconExclamation}}),
              m.boxes.shown);
    m.boxes.shown.clear();
    Restore(m);
    EXPECT_EQ(kTcpipNotInstalled, m.boxes.shown.at(1).text);
    EXPECT_EQ(before, m.reg.Dump());
    EXPECT_FALSE(CanUndo(m.app));
  }
}

// What Windows refuses to take back is named; the change stays the newest,
// so that the next Undo tries again.
TEST_F(UndoTest, ValuesThatCannotBePutBackAreNamedAndTheChangeKept) {
  Own98Values(*this);
  const std::vector<std::string> original = reg.Dump(kChangesKey);
  Apply(*this, ModeAutoDialUp);
  reg.fault = [](const RegCall& c) {
    return (c.op == RegOp::Set || c.op == RegOp::Delete) &&
                   (c.name == "DefaultTTL" || c.name == "MaxMSS")
               ? kErrorAccessDenied
               : 0L;
  };
  Undo();
  const std::string mstcp = "System\\CurrentControlSet\\Services\\Vxd\\MSTCP";
  const std::string binding = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
  EXPECT_EQ((std::vector<ShownBox>{
                boxes.shown.at(0),
                {kFrame,
                 "These values changed by the Apply of Automatic Mode - Dial-Up\n"
                 "could not be put back:\n\n"
                 "   MaxMSS in " + binding + "\n"
                 "   DefaultTTL in " + mstcp + "\n\n"
                 "Please log on as an administrator and choose Undo Last Changes again.",
                 "Velora 2001", kMbOk | kMbIconExclamation}}),
            boxes.shown);
  reg.fault = nullptr;
  ASSERT_TRUE(CanUndo(app));
  Undo();
  EXPECT_EQ(original, reg.Dump(kChangesKey));
  EXPECT_EQ(4u, boxes.shown.size());
}

TEST_F(UndoTest, ALongListOfValuesIsCut) {
  std::vector<std::string> lines;
  for (int i = 0; i < 13; ++i) lines.push_back("   MaxMTU in key " + std::to_string(i));
  const std::string text = UndoIncomplete(Named(ChangeKind::Restore), lines);
  EXPECT_NE(std::string::npos, text.find("key 9\n   and 3 more\n\n"));
  EXPECT_EQ(std::string::npos, text.find("key 10"));
}

// A value whose key is gone since cannot come back (keys are never made);
// one that was absent is absent still.
TEST_F(UndoTest, AKeyGoneSinceTheChange) {
  Own98Values(*this);
  Apply(*this, ModeAutoDialUp);
  reg.RemoveKey(BindingKey(0));
  Undo();
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_NE(std::string::npos, boxes.shown[1].text.find("   MaxMTU in "));
  EXPECT_EQ(std::string::npos, boxes.shown[1].text.find("MaxMSS"));
  EXPECT_FALSE(reg.HasKey(BindingKey(0)));
}

TEST_F(UndoTest, NoKeepsEverything) {
  Own98Values(*this);
  Apply(*this, ModeAutoDialUp);
  const std::vector<std::string> applied = reg.Dump();
  Undo({kIdNo});
  EXPECT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(applied, reg.Dump());
  EXPECT_TRUE(CanUndo(app));
}

// A damaged record is told and never put back; its bytes stay as they are,
// and the change before it can still be undone.
TEST_F(UndoTest, ADamagedRecordIsToldAndLeftAlone) {
  Own98Values(*this);
  Apply(*this, ModeAutoLan);
  Apply(*this, ModeAutoDialUp);
  const RegValue* second = reg.Get(kChangesKey, "Change 2");
  ASSERT_NE(nullptr, second);
  std::vector<uint8_t> damaged = second->data;
  damaged[damaged.size() / 2] ^= 0x40;
  reg.Put(kChangesKey, "Change 2", kRegBinary, damaged);
  const std::vector<std::string> before = reg.Dump(kChangesKey);

  Undo();
  EXPECT_EQ((std::vector<ShownBox>{{kFrame, kUndoDamaged, "Velora 2001",
                                    kMbOk | kMbIconExclamation}}),
            boxes.shown);
  EXPECT_EQ(before, reg.Dump(kChangesKey));
  EXPECT_EQ(damaged, reg.Get(kChangesKey, "Change 2")->data);

  ASSERT_TRUE(CanUndo(app));
  Undo();
  ChangeRecord first = Named(ChangeKind::Apply, ModeAutoLan);
  first.when = clock.now;
  EXPECT_EQ(UndoQuestion("Velora 2001", first), boxes.shown.at(0).text);
  // What the LAN Apply changed is back; the damaged change stays as it was.
  EXPECT_EQ(std::vector<uint8_t>({0x05, 0xB4}), reg.Get(BindingKey(1), "MaxMSS")->data);
  EXPECT_EQ("576", reg.GetSz(BindingKey(0), "MaxMTU"));
}

TEST_F(UndoTest, AHistoryTheRegistryKeepsFromUsIsTold) {
  Own98Values(*this);
  Apply(*this, ModeAutoDialUp);
  reg.fault = [](const RegCall& c) {
    return c.op == RegOp::Open && c.path == kChangesKey ? kErrorAccessDenied : 0L;
  };
  app.m_bUndoKnown = false;
  EXPECT_TRUE(CanUndo(app)) << "the user may try, and is told";
  Undo();
  EXPECT_EQ((std::vector<std::string>{kUndoUnreadable}), BoxTexts());
}

}  // namespace
}  // namespace vl
