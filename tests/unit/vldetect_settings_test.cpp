// The companion reads what the Ping Configuration dialog stores, with the
// dialog's defaults.
#include "vldetect/companion_settings.h"

#include <gtest/gtest.h>

#include "tests/unit/vldetect_fakes.h"

namespace vl {
namespace {

std::string Describe(const CompanionSettings& s) {
  return std::string(s.automatic ? "automatic" : "manual \"" + s.host + "\"") + ", " +
         std::to_string(s.intervalMinutes) + " min, sound " + (s.sound ? "on" : "off") +
         ", animation " + (s.animate ? "on" : "off");
}

TEST(VldetectSettings, ReadAsTheDialogStoresThem) {
  struct Case {
    const char* what;
    bool stored;  // false: nothing stored at all
    PingSettings values;
    const char* expected;
  } const cases[] = {
      {"nothing stored", false, {}, "automatic, 10 min, sound off, animation on"},
      {"automatic as OK stores it", true, {"Automatic", "Automatic", 9, 1, 0},
       "automatic, 10 min, sound on, animation off"},
      {"automatic whatever interval", true, {"Automatic", "Automatic", 2, 0, 1},
       "automatic, 10 min, sound off, animation on"},
      {"manual, blanks around the host", true, {"Manual", " 10.0.0.1 ", 2, 0, 1},
       "manual \"10.0.0.1\", 3 min, sound off, animation on"},
      {"manual by name, first entry", true, {"Manual", "isp.example", 0, 0, 0},
       "manual \"isp.example\", 1 min, sound off, animation off"},
      {"last entry", true, {"Manual", "10.0.0.1", 59, 0, 0},
       "manual \"10.0.0.1\", 60 min, sound off, animation off"},
      {"index past the list", true, {"Manual", "10.0.0.1", 60, 0, 0},
       "manual \"10.0.0.1\", 10 min, sound off, animation off"},
      {"no entry selected", true, {"Manual", "10.0.0.1", -1, 0, 0},
       "manual \"10.0.0.1\", 10 min, sound off, animation off"},
      {"any other mode is manual", true, {"Other", "10.0.0.1", 4, 0, 0},
       "manual \"10.0.0.1\", 5 min, sound off, animation off"},
      {"manual host of blanks", true, {"Manual", "   ", 4, 0, 0},
       "automatic, 10 min, sound off, animation off"},
      {"empty mode turns the animation on", true, {"", "10.0.0.1", 4, 0, 0},
       "automatic, 10 min, sound off, animation on"},
      {"any non-zero sound", true, {"Manual", "10.0.0.1", 4, 7, 2},
       "manual \"10.0.0.1\", 5 min, sound on, animation on"},
  };
  for (const auto& c : cases) {
    MemSettings m;
    if (c.stored) WritePingSettings(m.store, c.values);
    EXPECT_EQ(c.expected, Describe(ReadCompanionSettings(m.store))) << c.what;
  }
}

TEST(VldetectSettings, AnEmptyOrMissingTaskBarAniCountsAsOn) {
  struct Case {
    const char* stored;  // null: no value
    bool animate;
  } const cases[] = {{nullptr, true}, {"", true}, {"  ", true}, {"0", false}, {"1", true}};
  for (const auto& c : cases) {
    MemSettings m;
    m.Save("Manual", "10.0.0.1", 4, 0, 0);
    if (c.stored)
      m.store.WriteString(kPingSubkey, kPingValueTaskBarAni, c.stored, true);
    else
      m.Remove(kPingValueTaskBarAni);
    EXPECT_EQ(c.animate, ReadCompanionSettings(m.store).animate)
        << "TaskBarAni " << (c.stored ? c.stored : "absent");
  }
}

}  // namespace
}  // namespace vl
