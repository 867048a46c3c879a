#include "vldetect/win/icmp_library.h"

#include "platform/win/system_library.h"

namespace vl {

IcmpLibrary::IcmpLibrary() {
  module_ = LoadSystemLibrary("icmp.dll");
  if (!FindProc(module_, "IcmpCreateFile", &createFile) ||
      !FindProc(module_, "IcmpCloseHandle", &closeHandle) ||
      !FindProc(module_, "IcmpSendEcho", &sendEcho))
    sendEcho = nullptr;
}

IcmpLibrary::~IcmpLibrary() {
  if (module_) FreeLibrary(module_);
}

}  // namespace vl
