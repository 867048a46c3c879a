#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(Scramble, EncodesLengthPrefixThenLowAndHighNibbles) {
  struct Case {
    std::string text;
    std::string expected;  // unpadded; "..." marks an elided tail
  } const cases[] = {
      {"", ""},
      {"abc", "DBGCGDG"},
      {std::string(1, '\xFF'), "BPP"},
      {std::string(1, '\0'), "BAA"},
      {std::string(15, 'x'), "P..."},
      {std::string(16, 'x'), "QA..."},
      {std::string(32, 'x'), "QQA..."},
  };
  for (const auto& c : cases) {
    std::string got = Scramble(c.text, false);
    if (c.expected.size() > 3 && c.expected.substr(c.expected.size() - 3) == "...") {
      std::string head = c.expected.substr(0, c.expected.size() - 3);
      EXPECT_EQ(head, got.substr(0, head.size())) << c.text.size() << " bytes";
      EXPECT_EQ(head.size() + 2 * c.text.size(), got.size()) << c.text.size() << " bytes";
    } else {
      EXPECT_EQ(c.expected, got);
    }
  }
}

TEST(Scramble, PadsWithRandomLettersToAMultipleOf23) {
  std::string first = Scramble("abc", true);
  std::string second = Scramble("abc", true);
  ASSERT_EQ(23u, first.size());
  EXPECT_EQ("DBGCGDG", first.substr(0, 7));
  EXPECT_EQ(first.substr(0, 7), second.substr(0, 7));
  EXPECT_NE(first.substr(7), second.substr(7)) << "padding should come from rand";
  for (char c : first.substr(7)) EXPECT_TRUE(c >= 'A' && c <= 'P') << c;
  EXPECT_TRUE(Scramble("", true).empty());
  // 11 bytes scramble to exactly 23 letters: nothing to pad.
  EXPECT_EQ(Scramble("hello world", false), Scramble("hello world", true));
}

TEST(Scramble, PaddedRoundTripForEveryLengthThatFitsTheStore) {
  std::mt19937 gen(7);
  for (size_t n = 0; n < 480; ++n) {
    std::string text(n, '\0');
    for (char& c : text) c = static_cast<char>(gen());
    std::string encoded = Scramble(text, true);
    ASSERT_LT(encoded.size(), kSettingsBufferSize) << n;
    ASSERT_EQ(text, Unscramble(encoded)) << n << " bytes";
  }
}

TEST(Unscramble, AnyInputGivesADefinedResult) {
  struct Case {
    std::string encoded;
    std::string expected;
  } const cases[] = {
      {"", ""},
      {"D", ""},                           // prefix only
      {"QQQQ", ""},                        // no letter after the Qs
      {"DBGCG", "ab"},                     // odd count: the lone letter is dropped
      {"DBG", "a"},                        // fewer bytes than announced
      {"BBGCGDG", "a"},                    // more letters than announced: ignored
      {"@BG", ""},                         // a prefix letter below A announces nothing
      {"Q@BGCG", "ab"},                    // ... but only takes one off the Qs
      {"BZZ", "\x99"},                     // 25 | 25 * 16, kept to eight bits
      {"B\x80\x80", "\xFF"},               // bytes above 127
      {"Babcdef", "0"},                    // lower case: (32 | 33 * 16) & 0xFF
      {std::string(5000, 'Q') + "A", ""},  // a huge count with nothing behind it
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Unscramble(c.encoded)) << c.encoded;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  MemApp m;
  SettingsStore& store = m.app.m_settings;
};

TEST_F(SettingsStoreTest, ReadIntFollowsAtoiAndTheSentinel) {
  struct Case {
    const char* what;
    uint32_t type;
    std::string bytes;  // empty with type 0: value absent
    int expected;
  } const cases[] = {
      {"absent", 0, "", -7},
      {"digits then letters", kRegSz, std::string("12abc\0", 6), 12},
      {"negative", kRegSz, std::string("-5\0", 3), -5},
      {"empty text", kRegSz, std::string("\0", 1), 0},
      {"no NUL at all", kRegSz, "34", 34},
      {"REG_DWORD", kRegDword, std::string("\x05\0\0\0", 4), 0},
      {"the sentinel itself", kRegSz, std::string(kNotFoundSentinel) + '\0', -7},
      {"longer than the buffer", kRegSz, std::string(1200, '9'), -7},
  };
  for (const auto& c : cases) {
    MemApp fresh;
    if (c.type != 0) fresh.reg.Put(kSettingsKey + "\\Sub", "N", c.type, Bytes(c.bytes));
    EXPECT_EQ(c.expected, fresh.app.m_settings.ReadInt("Sub", "N", -7, false)) << c.what;
  }
}

TEST_F(SettingsStoreTest, ReadStringNeverReadsBeyondItsBuffer) {
  struct Case {
    const char* what;
    uint32_t type;
    std::string bytes;
    std::string expected;
  } const cases[] = {
      {"plain", kRegSz, std::string("C:\\Velora\0", 10), "C:\\Velora"},
      {"without NUL", kRegSz, "C:\\Velora", "C:\\Velora"},
      {"text after an inner NUL", kRegSz, std::string("ab\0cd\0", 6), "ab"},
      {"exactly the buffer, with NUL", kRegSz, std::string(999, 'x') + '\0', std::string(999, 'x')},
      {"exactly the buffer, no NUL", kRegSz, std::string(1000, 'x'), std::string(1000, 'x')},
      {"one byte more than the buffer", kRegSz, std::string(1001, 'x'), "<default>"},
      {"REG_DWORD", kRegDword, "\x01\x02\x03\x04", ""},
      {"REG_EXPAND_SZ", kRegExpandSz, std::string("x\0", 2), ""},
  };
  for (const auto& c : cases) {
    m.reg.Put(kSettingsKey + "\\Sub", "N", c.type, Bytes(c.bytes));
    EXPECT_EQ(c.expected, store.ReadString("Sub", "N", "<default>", false)) << c.what;
  }
  EXPECT_EQ("<default>", store.ReadString("Missing", "N", "<default>", false));
  EXPECT_EQ(0u, m.reg.OpenHandles());
}

TEST_F(SettingsStoreTest, ReadsThroughAReadOnlyKeyAndWritesThroughACreatedOne) {
  ASSERT_TRUE(store.WriteInt("Install", "Count", 42, false));
  EXPECT_EQ(42, store.ReadInt("Install", "Count", 0, false));
  const RegValue* v = m.reg.Get(kInstallKey, "Count");
  ASSERT_NE(nullptr, v);
  EXPECT_EQ(kRegSz, v->type);
  EXPECT_EQ(Bytes(std::string("42\0", 3)), v->data);
  for (const RegCall& call : m.reg.Calls()) {
    if (call.op == RegOp::Open) { EXPECT_EQ(kKeyRead, call.access); }
    if (call.op == RegOp::Create) { EXPECT_EQ(kKeyAllAccess, call.access); }
  }
  EXPECT_EQ(0u, m.reg.OpenHandles());
}

TEST_F(SettingsStoreTest, ScrambledSettingsHideKeyNameAndValue) {
  ASSERT_TRUE(store.WriteString("UndoRegular", "PingHost", "www.example.com", true));
  ASSERT_TRUE(store.WriteInt("UndoRegular", "PingInterval", -30, true));
  const std::string key = kSettingsKey + "\\" + Scramble("UndoRegular", false);
  ASSERT_TRUE(m.reg.HasKey(key));
  EXPECT_FALSE(m.reg.HasKey(kSettingsKey + "\\UndoRegular"));
  std::string stored = m.reg.GetSz(key, Scramble("PingHost", false));
  EXPECT_EQ(0u, stored.size() % 23);
  EXPECT_EQ("www.example.com", Unscramble(stored));

  EXPECT_EQ("www.example.com", store.ReadString("UndoRegular", "PingHost", "", true));
  EXPECT_EQ(-30, store.ReadInt("UndoRegular", "PingInterval", 0, true));
  // Scrambled and plain settings never see each other.
  EXPECT_EQ("none", store.ReadString("UndoRegular", "PingHost", "none", false));
  ASSERT_TRUE(store.WriteString("Plain", "Host", "h", false));
  EXPECT_EQ("none", store.ReadString("Plain", "Host", "none", true));
}

TEST_F(SettingsStoreTest, RefusesAValueThatCouldNotBeReadBack) {
  struct Case {
    size_t length;
    bool scrambled;
    bool stored;
  } const cases[] = {
      {999, false, true},
      {1000, false, false},
      {479, true, true},   // 988 letters padded to 989
      {480, true, false},  // 991 letters padded to 1012
  };
  for (const auto& c : cases) {
    MemApp fresh;
    std::string text(c.length, 'v');
    EXPECT_EQ(c.stored, fresh.app.m_settings.WriteString("Sub", "N", text, c.scrambled))
        << c.length << (c.scrambled ? " scrambled" : " plain");
    if (c.stored) {
      EXPECT_EQ(text, fresh.app.m_settings.ReadString("Sub", "N", "", c.scrambled));
    } else {
      EXPECT_TRUE(fresh.reg.Writes().empty()) << c.length;
    }
  }
}

TEST_F(SettingsStoreTest, FailedWritesAreReported) {
  m.reg.fault = [](const RegCall& call) { return call.op == RegOp::Create ? kErrorAccessDenied : 0; };
  EXPECT_FALSE(store.WriteString("Sub", "N", "x", false));
  m.reg.fault = [](const RegCall& call) { return call.op == RegOp::Set ? kErrorAccessDenied : 0; };
  EXPECT_FALSE(store.WriteInt("Sub", "N", 1, true));
  EXPECT_EQ(0u, m.reg.OpenHandles());
}

}  // namespace
}  // namespace vl
