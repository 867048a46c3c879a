#include "net/win/icmp_library.h"

#include "platform/win/system_library.h"

namespace vl {

IcmpLibrary::IcmpLibrary() : module_(LoadSystemLibrary("icmp.dll")) {
  if (!FindProc(module_.get(), "IcmpCreateFile", &createFile) ||
      !FindProc(module_.get(), "IcmpCloseHandle", &closeHandle) ||
      !FindProc(module_.get(), "IcmpSendEcho", &sendEcho))
    sendEcho = nullptr;
}

}  // namespace vl
