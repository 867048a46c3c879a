#include "tuning/change_record.h"

#include <gtest/gtest.h>

#include "tuning/tuning_choices.h"

namespace vl {
namespace {

const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
const char kMstcp[] = "System\\CurrentControlSet\\Services\\Vxd\\MSTCP";
const char kProtocols[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols";
const char kProtocol[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";

// An Apply's record with a value of each kind: a text, a number of another
// type than the program writes, and one that was absent.
ChangeRecord Sample() {
  ChangeRecord r;
  r.sequence = 7;
  r.kind = ChangeKind::Apply;
  r.mode = ModeManualLan;
  r.when = {2001, 11, 3, 8, 5, 59};
  r.values = {{kClassKey, "MaxMTU", true, kRegSz, {'1', '4', '9', '2', 0}},
              {kMstcp, "DefaultRcvWindow", true, kRegBinary, {1, 2, 3}},
              {kMstcp, "DefaultTTL", false, 0, {}},
              {"System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize", "",
               true, kRegSz, {}}};
  return r;
}

TEST(ChangeRecord, ReadsBackWhatWasWritten) {
  const ChangeRecord original = Sample();
  const std::vector<uint8_t> bytes = EncodeRecord(original);
  ChangeRecord read;
  ASSERT_TRUE(DecodeRecord(bytes.data(), bytes.size(), &read));
  EXPECT_EQ(original.sequence, read.sequence);
  EXPECT_EQ(original.kind, read.kind);
  EXPECT_EQ(original.mode, read.mode);
  EXPECT_EQ(WhenText(original.when), WhenText(read.when));
  EXPECT_EQ(original.values, read.values);
  EXPECT_TRUE(read.madeKeys.empty());
  // A record without made keys keeps the layout older records have.
  EXPECT_EQ(1, bytes[4]);

  ChangeRecord made = Sample();
  made.values.push_back({kProtocol, "ProtocolMTU", false, 0, {}});
  made.madeKeys = {kProtocols, kProtocol};
  const std::vector<uint8_t> madeBytes = EncodeRecord(made);
  ASSERT_TRUE(DecodeRecord(madeBytes.data(), madeBytes.size(), &read));
  EXPECT_EQ(made.values, read.values);
  EXPECT_EQ(made.madeKeys, read.madeKeys);
}

// Whatever happened to the bytes since, a record is taken whole or not at
// all: every shorter prefix, every byte changed, and bytes added are refused.
TEST(ChangeRecord, AnyDamageRefusesTheWholeRecord) {
  const std::vector<uint8_t> bytes = EncodeRecord(Sample());
  ChangeRecord read;
  for (size_t n = 0; n < bytes.size(); ++n)
    EXPECT_FALSE(DecodeRecord(bytes.data(), n, &read)) << "cut to " << n << " bytes";
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> damaged = bytes;
      damaged[i] ^= flip;
      EXPECT_FALSE(DecodeRecord(damaged.data(), damaged.size(), &read)) << "byte " << i;
    }
  }
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(DecodeRecord(longer.data(), longer.size(), &read));
  EXPECT_FALSE(DecodeRecord(nullptr, 0, &read));
}

// A record that checks out but names a value the program never writes, or
// says what cannot be, is no record of ours: nothing of it is put back.
TEST(ChangeRecord, SoundBytesOfAForeignRecordAreRefused) {
  struct Case {
    const char* what;
    void (*spoil)(ChangeRecord&);
  };
  const Case cases[] = {
      {"another key", [](ChangeRecord& r) { r.values[0].key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"; }},
      {"another value name", [](ChangeRecord& r) { r.values[1].name = "Shell"; }},
      {"the same value twice", [](ChangeRecord& r) { r.values.push_back(r.values[0]); }},
      {"no value at all", [](ChangeRecord& r) { r.values.clear(); }},
      {"an unknown mode", [](ChangeRecord& r) { r.mode = 9; }},
      {"a restore with a mode", [](ChangeRecord& r) {
         r.kind = ChangeKind::Restore;
         r.mode = 1;
       }},
      {"an unknown kind", [](ChangeRecord& r) { r.kind = static_cast<ChangeKind>(3); }},
      {"a value too long", [](ChangeRecord& r) { r.values[0].data.assign(kMaxPriorBytes + 1, 'x'); }},
      {"a name with a NUL", [](ChangeRecord& r) { r.values[0].name = std::string("Max\0MTU", 7); }},
      {"a made key the program never makes", [](ChangeRecord& r) {
         r.madeKeys = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"};
       }},
      {"a made key twice", [](ChangeRecord& r) { r.madeKeys = {kProtocol, kProtocol}; }},
  };
  for (const Case& c : cases) {
    ChangeRecord r = Sample();
    c.spoil(r);
    const std::vector<uint8_t> bytes = EncodeRecord(r);
    ChangeRecord read;
    EXPECT_FALSE(DecodeRecord(bytes.data(), bytes.size(), &read)) << c.what;
  }
}

TEST(ChangeRecord, TuningValuesAreTheWritersOwnInAnyLetterCase) {
  const struct {
    const char* key;
    const char* name;
    bool tuning;
  } cases[] = {
      {"SYSTEM\\CURRENTCONTROLSET\\SERVICES\\VXD\\MSTCP", "defaultttl", true},
      {"System\\CurrentControlSet\\Services\\Class\\NetTrans\\0003", "MaxMSS", true},
      {"System\\CurrentControlSet\\Services\\Class\\", "MaxMTU", false},
      {"System\\CurrentControlSet\\Services\\Class\\NetTrans\\0003", "DriverDesc", false},
      {"System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize", "", true},
      {"System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize", "x", false},
      {"System\\CurrentControlSet\\Services\\Tcpip\\Parameters", "TcpWindowSize", true},
      {"System\\CurrentControlSet\\Services\\Tcpip\\Parameters", "MTU", false},
      {"SYSTEM\\CurrentControlSet\\Services\\E100\\Parameters\\Tcpip", "MTU", true},
      {"SYSTEM\\CurrentControlSet\\Services\\E100\\Parameters\\Tcpip", "IPAddress", false},
      {"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{4D36E972}", "MTU", true},
      {"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\A\\B", "MTU", false},
      {"SOFTWARE\\Norwick Ltd\\Velora 2001", "MTU", false},
      {"SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\12", "ProtocolMTU", true},
      {"system\\currentcontrolset\\services\\ndiswan\\parameters\\protocols\\0", "PPPProtocolType", true},
      {"SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0", "ProtocolType", true},
      {"SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0", "Flags", false},
      {"SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols", "ProtocolMTU", false},
      {"SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\x1", "ProtocolMTU", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.tuning, IsTuningValue(c.key, c.name)) << c.key << " " << c.name;
}

TEST(ChangeRecord, NamesTheChangeAndItsTime) {
  ChangeRecord r = Sample();
  EXPECT_EQ("the Apply of Manual Mode - LAN", ChangeName(r));
  r.mode = ModeAutoDialUp;
  EXPECT_EQ("the Apply of Automatic Mode - Dial-Up", ChangeName(r));
  r.kind = ChangeKind::Restore;
  EXPECT_EQ("the restore of the Windows default settings", ChangeName(r));
  EXPECT_EQ("on 3 November 2001 at 08:05", WhenText(r.when));
  EXPECT_EQ("on 31 December 2026 at 23:59", WhenText({2026, 12, 31, 23, 59, 0}));
  // A clock without a real date: the record keeps the time as unknown.
  r.when = {1, 13, 0, 25, 0, 0};
  EXPECT_EQ("at an unknown time", WhenText(r.when));
  const std::vector<uint8_t> bytes = EncodeRecord(r);
  ChangeRecord read;
  ASSERT_TRUE(DecodeRecord(bytes.data(), bytes.size(), &read));
  EXPECT_EQ("at an unknown time", WhenText(read.when));
}

}  // namespace
}  // namespace vl
