// What the writers and the restores share: the global keys they write, the
// numbers computed from the tuning texts, the form's say in the manual modes,
// and the bookkeeping of their report.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/registry.h"
#include "tuning/adapters.h"
#include "tuning/write_report.h"

namespace vl {
class IFormControls;

// "Vxd" and "VxD" are spelt as Windows 9x spells them; key names compare
// without case anyway.
extern const char kMstcpKey[];
extern const char kNdiCacheKey[];
extern const char kTcpipParametersKey[];
// The global keys are opened so by writers and restores: they read back what
// they write.
constexpr uint32_t kKeyWrite9x = kKeyRead | kKeyWrite;

// The manual modes whose adapter kind was chosen read the form at write time.
bool ReadsFormAtWriteTime(int configMode);
// A check box or radio of the form; a missing form has nothing checked.
bool FormChecked(const IFormControls* form, int controlId);
// The combo's text when its Custom radio is checked, else `current` stays.
void TakeCustomText(const IFormControls* form, int customId, int comboId, std::string* current);

// MSS times the number after the leading "x" of the multiple, 32-bit
// unsigned; 0 stands for the Windows default 8192.
uint32_t ReceiveWindow(const std::string& rwinMultiple, const std::string& mss);
// "n min." in milliseconds; five characters or fewer give 0.
uint32_t KeepAliveMs(const std::string& keepAlive);

struct PmtuFlags {
  uint32_t discovery;
  uint32_t blackHole;
};
PmtuFlags PmtuFlagsFor(int configMode, const IFormControls* form);

// Notes a failed write or delete in the report.
void Check(WriteReport& report, long status);
// Opens a global key for the writers; a failure is noted unless `mayBeAbsent`
// and the key simply is not there. A global TCP/IP key that is not there
// means that TCP/IP is not installed, which the report tells apart.
bool OpenGlobal(IRegistry& reg, const std::string& path, uint32_t access, ScopedKey& key,
                WriteReport& report, bool mayBeAbsent = false);
// Opens the adapter's Interfaces key for the MTU; a key that is not there is
// never made, and is no failure.
bool OpenInterfaceKey(IRegistry& reg, const AdapterBinding& adapter, ScopedKey& key,
                      WriteReport& report);
// Runs `work` on the parameter key of every adapter the walk selects. The
// report counts the adapters worked on and fails when the work noted a
// failure or the walk met trouble that may have hidden an adapter.
using AdapterWork =
    std::function<void(const AdapterBinding& adapter, RegKey parameterKey, WriteReport& report)>;
using AdapterWalk = std::function<WalkOutcome(const AdapterAction& action)>;
WriteReport WorkOnAdapters(const AdapterWalk& walk, const AdapterWork& work);

}  // namespace vl
