#include "platform/win/scoped_com.h"

#include "platform/win/system_library.h"

namespace vl {

namespace {

// objbase.h's values, without bringing in all of COM's headers.
constexpr DWORD kCoinitApartmentThreaded = 0x2;

using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoInitializeFn = HRESULT(WINAPI*)(void*);
using CoUninitializeFn = void(WINAPI*)();

}  // namespace

// Loaded here rather than with the program: most runs never open the shell,
// and the loader need not map COM for them.
ScopedCom::ScopedCom() : ole32_(LoadSystemLibrary("ole32.dll")) {
  if (!ole32_) return;
  // Windows 95 without DCOM has only CoInitialize, which enters the same
  // kind of apartment.
  HRESULT result = E_FAIL;
  CoInitializeExFn initializeEx = nullptr;
  CoInitializeFn initialize = nullptr;
  if (FindProc(ole32_.get(), "CoInitializeEx", &initializeEx))
    result = initializeEx(nullptr, kCoinitApartmentThreaded);
  else if (FindProc(ole32_.get(), "CoInitialize", &initialize))
    result = initialize(nullptr);
  // S_FALSE: the thread was in its apartment already, and still owes one
  // leave for this enter. A thread in another kind of apartment owes none.
  entered_ = SUCCEEDED(result);
}

ScopedCom::~ScopedCom() {
  CoUninitializeFn uninitialize = nullptr;
  if (entered_ && FindProc(ole32_.get(), "CoUninitialize", &uninitialize)) uninitialize();
}

}  // namespace vl
