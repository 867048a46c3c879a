// Windows 98 and Windows NT 4/2000 machines in the in-memory registry: the
// adapter keys the walks look for and the global TCP/IP keys the writers
// open, and a reading of what a run changed.
#pragma once
#include <string>
#include <vector>

#include "platform/mem/mem_registry.h"
#include "state/os_detect.h"
#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace machines {

inline const std::string kHklm = "HKLM\\";
inline const std::string kMstcp = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline const std::string kNwlink = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink";
inline const std::string kNdiCache = kNwlink + "\\Ndi\\params\\cachesize";
inline const std::string kClass = "HKLM\\System\\CurrentControlSet\\Services\\Class\\";
inline const std::string kNetCards =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";
inline const std::string kTcpipParameters =
    "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

inline std::string Four(int n) { return (n < 10 ? "000" : "00") + std::to_string(n); }
// The 9x adapter's Enum key and the class key its TCP/IP binding leads to.
inline std::string AdapterKey(int index) { return kHklm + "Enum\\Root\\Net\\" + Four(index); }
inline std::string BindingKey(int index) { return kClass + "NetTrans\\" + Four(index); }
// The NT card's per-adapter TCP/IP key.
inline std::string Tcpip(const std::string& service) {
  return "HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters\\Tcpip";
}

// The version keys the program reads at start-up.
inline const std::string kWindowsKey = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion";
inline const std::string kWindowsNtKey = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// What the form's initial update reads of the machine's version keys.
inline void DetectVersion(MemApp& m) {
  m.app.m_strOsName = DetectOsName(m.reg);
  m.app.m_eWinVersion = DetectWindowsVersion(m.reg);
}

// Windows 98: its product name, the MSTCP key and the NWLink NDI cache key;
// adapters come with AddAdapter.
inline void Windows98(MemApp& m) {
  m.reg.PutSz(kWindowsKey, "ProductName", "Microsoft Windows 98");
  m.reg.AddKey(kMstcp);
  m.reg.PutSz(kNdiCache, "", "0");
  DetectVersion(m);
}

// An adapter at `index` under Enum\Root\Net whose Bindings key names
// "MSTCP\" + four digits of `binding` (by default the adapter's own index),
// which leads through Enum\Network to its class key NetTrans\<index>.
inline void AddAdapter(MemRegistry& reg, int index, const std::string& description,
                       int binding = -1) {
  if (binding < 0) binding = index;
  reg.PutSz(AdapterKey(index), "DeviceDesc", description);
  reg.PutSz(AdapterKey(index) + "\\Bindings", "MSTCP\\" + Four(binding), "");
  reg.PutSz(kHklm + "Enum\\Network\\MSTCP\\" + Four(binding), "Driver",
            "NetTrans\\" + Four(index));
  reg.PutSz(BindingKey(index), "DriverDesc", "TCP/IP");
}

// A machine of the NT family that the program names "NT" (the Windows key
// without a product name, as NT 4 and every later version keep it) or "2000"
// (no Windows key, a product name under the NT one); no version number, so
// NT 4's places. The global Tcpip parameters exist; cards come with AddCard.
inline void WindowsNt(MemApp& m, const char* osName = "NT") {
  if (std::string(osName) == "2000")
    m.reg.PutSz(kWindowsNtKey, "ProductName", "Microsoft Windows 2000");
  else
    m.reg.AddKey(kWindowsKey);
  m.reg.AddKey(kTcpipParameters);
  DetectVersion(m);
}

// A card under NetworkCards with a service whose Parameters\Tcpip key takes
// the MTU.
inline void AddCard(MemRegistry& reg, int index, const std::string& title,
                    const std::string& service) {
  reg.PutSz(kNetCards + std::to_string(index), "Title", title);
  reg.PutSz(kNetCards + std::to_string(index), "ServiceName", service);
  reg.AddKey(Tcpip(service));
}

// Windows 2000 and later.
inline const std::string kInterfaces = kTcpipParameters + "\\Interfaces\\";
inline const std::string kNdisWanKey =
    "HKLM\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters";
inline const std::string kNdisWanProtocols = kNdisWanKey + "\\Protocols\\";
inline const char kCardGuid[] = "{4C7FB48D-33EB-4277-A3FB-37D5EF39C990}";

// A card of Windows 2000 and later: named by its "Description", its service
// the adapter's GUID, bound to TCP/IP through its Interfaces key (where
// `bound`); Windows 2000 and XP also keep the NT 4-style key for old
// programs (`oldStyle`).
inline void AddGuidCard(MemRegistry& reg, int index, const std::string& description,
                        const std::string& guid, bool bound = true, bool oldStyle = false) {
  reg.PutSz(kNetCards + std::to_string(index), "Description", description);
  reg.PutSz(kNetCards + std::to_string(index), "ServiceName", guid);
  if (bound) reg.AddKey(kInterfaces + guid);
  if (oldStyle) reg.AddKey(Tcpip(guid));
}

// The NT machines as each version keeps its registry: the version values of
// the NT CurrentVersion key (the OS name stays "NT": every one of them has
// the Windows key, without a product name), the global Tcpip parameters, a
// network card, and the dial-up connections of each: NT 4's WAN wrapper
// card, NdisWan's parameters from Windows 2000 on.
enum class NtLayout { Nt4, Windows2000, WindowsXp, Windows10 };
inline const char* LayoutName(NtLayout l) {
  switch (l) {
    case NtLayout::Nt4: return "NT 4";
    case NtLayout::Windows2000: return "Windows 2000";
    case NtLayout::WindowsXp: return "Windows XP";
    case NtLayout::Windows10: return "Windows 10";
  }
  return "";
}
inline void NtMachine(MemApp& m, NtLayout layout) {
  WindowsNt(m);
  const char* versions[] = {"4.0", "5.0", "5.1", "6.3"};
  m.reg.PutSz(kWindowsNtKey, "CurrentVersion", versions[static_cast<int>(layout)]);
  if (layout == NtLayout::Windows10) m.reg.PutDword(kWindowsNtKey, "CurrentMajorVersionNumber", 10);
  if (layout == NtLayout::Nt4) {
    AddCard(m.reg, 1, "3Com EtherLink III ISA (3C509b)", "El59x1");
    AddCard(m.reg, 2, "Remote Access WAN Wrapper", "NdisWan5");
  } else {
    const bool oldStyle = layout != NtLayout::Windows10;
    AddGuidCard(m.reg, 1, "Intel(R) PRO/1000 MT Network Connection", kCardGuid, true, oldStyle);
    m.reg.AddKey(kNdisWanKey);
  }
  DetectVersion(m);
}

// The machines most tests start from: a modem and a network card.
inline void Windows98WithBoth(MemApp& m) {
  Windows98(m);
  AddAdapter(m.reg, 0, "Dial-Up Adapter");
  AddAdapter(m.reg, 1, "Realtek RTL8029(AS) PCI Ethernet NIC");
}
inline void Windows2000WithBoth(MemApp& m) {
  WindowsNt(m, "2000");
  AddCard(m.reg, 0, "Remote Access WAN Wrapper [1]", "NdisWan4");
  AddCard(m.reg, 1, "3Com EtherLink XL 10/100 PCI NIC", "El90x1");
}

// A Set or Delete of the call log as one line: the key, the value name in
// brackets and, for a Set, the data decoded by type. A REG_SZ shows as a
// quoted text only when its bytes are the text and exactly one final NUL; a
// REG_DWORD as a number only when it has exactly four bytes.
inline std::string DescribeData(uint32_t type, const std::vector<uint8_t>& data) {
  if (type == kRegSz && !data.empty() && data.back() == 0) {
    std::string text(data.begin(), data.end() - 1);
    if (text.find('\0') == std::string::npos) return "\"" + text + "\"";
  }
  if (type == kRegDword && data.size() == 4) {
    uint32_t v = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    return std::to_string(v);
  }
  return "type " + std::to_string(type) + " with " + std::to_string(data.size()) + " bytes";
}

// The successful writes and deletes of the call log, in order.
inline std::vector<std::string> Changes(const MemRegistry& reg) {
  std::vector<std::string> out;
  for (const RegCall& c : reg.Calls()) {
    if (c.result != kErrorSuccess) continue;
    if (c.op == RegOp::Set)
      out.push_back("Set " + c.path + " [" + c.name + "] = " + DescribeData(c.type, c.data));
    if (c.op == RegOp::Delete) out.push_back("Delete " + c.path + " [" + c.name + "]");
    if (c.op == RegOp::DeleteKey) out.push_back("DeleteKey " + c.path);
  }
  return out;
}

}  // namespace machines
}  // namespace vl
