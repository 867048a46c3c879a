// The adapter walks of both Windows families and the adapter census.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "state/os_detect.h"
#include "platform/registry.h"

namespace vl {

// Where the parameter keys lie: the 9x class key of the adapter's driver, the
// NT service's TCP/IP parameters.
extern const char kClassPrefix[];     // "System\CurrentControlSet\Services\Class\" + driver
extern const char kServicesPrefix[];  // "SYSTEM\CurrentControlSet\Services\" + service
extern const char kTcpipSuffix[];     //   + "\Parameters\Tcpip"
// Windows 2000 and later: a card's TCP/IP settings, under the name of its
// service (the adapter's GUID).
extern const char kInterfacesPrefix[];  // "...\Tcpip\Parameters\Interfaces\" + service
// Windows 2000 and later: NdisWan's protocols, which carry every dial-up,
// PPPoE and VPN line; IP's is the one whose "ProtocolType" is 0x800.
extern const char kNdisWanParameters[];
extern const char kNdisWanProtocolsPrefix[];  // + number
constexpr uint32_t kNdisWanIpProtocol = 0x800;
constexpr uint32_t kPppIpProtocol = 0x21;
// How the dial-up line is named where a card's name would stand.
extern const char kDialUpLineName[];

enum class AdapterKind { DialUp, Lan };
// Which key holds an adapter's TCP/IP settings.
enum class TcpipKey {
  Class,       // 9x: the class key of its TCP/IP binding's driver
  Service,     // NT 4 card: its service's Parameters\Tcpip
  Interface,   // Windows 2000 and later card: its Interfaces key
  DialUpLine,  // Windows 2000 and later: NdisWan's IP protocol
};
enum class AdapterFilter { DialUp, Lan, All };

struct AdapterBinding {
  int index = 0;  // the dial-up line comes after every card, as 100
  // DeviceDesc (9x), Title (NT 4) or Description (2000 and later)
  std::string description;
  AdapterKind kind = AdapterKind::Lan;
  TcpipKey tcpipKey = TcpipKey::Class;
  std::string bindingName;  // 9x: "MSTCP\00nn"
  std::string driver;       // 9x: the Driver value
  std::string serviceName;  // NT: the ServiceName value
  std::string parameterKey;  // path below HKEY_LOCAL_MACHINE
  // The dial-up line has no IP protocol key yet: the walk that may make it
  // hands one the registry makes (through a change held back, nothing is
  // made before the record is kept); a walk that only reads hands none (0).
  bool keyToMake = false;
};

struct AdapterCensus {
  bool hasDialUp = false;
  bool hasLan = false;
};

// Called with each selected adapter and its open parameter key (the walk
// closes it afterwards). The 9x key is open for writing, the NT key with all
// access.
using AdapterAction = std::function<void(const AdapterBinding&, RegKey parameterKey)>;

// What a walk met. A missing key or value (or one too long to read) only
// removes an index from the walk; any other failing registry call is trouble,
// since it may have hidden an adapter the caller wanted.
struct WalkOutcome {
  int adapters = 0;        // times the action ran
  bool troubled = false;
  // Adapters of the selected kind passed over because no TCP/IP key binds
  // them (their names), for the user who finds none was worked on.
  std::vector<std::string> unbound;
};

// How a walk opens the parameter keys it hands on: for reading only, or for
// writing (the writers read back what they write, so theirs can be read
// too); the Apply's walk also makes the dial-up line's IP protocol key where
// NdisWan has none yet.
enum class KeyUse { Read, Write, WriteMakingLine };

WalkOutcome WalkAdapters9x(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use = KeyUse::Write);
// The cards of NetworkCards in index order, each by the road of its kind
// (a "Title" makes an NT 4 card), then, on Windows 2000 and later where
// NdisWan is installed, the dial-up line.
WalkOutcome WalkAdaptersNt(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use = KeyUse::Write,
                           WindowsVersion version = WindowsVersion::Nt4);
// Which kinds of adapter the machine of that OS name (and NT version) has.
AdapterCensus TakeAdapterCensus(IRegistry& reg, const std::string& osName,
                                WindowsVersion version = WindowsVersion::Nt4);
// A card's Interfaces key, or empty where its service name cannot name one.
std::string InterfaceKeyPath(const std::string& serviceName);
// The filter the writers use for a mode, and whether a filter takes a kind.
AdapterFilter FilterForMode(int configMode);
bool Selects(AdapterFilter filter, AdapterKind kind);

// Statuses that only say a key or value is not there (or does not fit the
// walk's buffer).
bool IsAbsentStatus(long status);

}  // namespace vl
