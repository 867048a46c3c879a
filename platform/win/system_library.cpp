#include "platform/win/system_library.h"

#include <string>

namespace vl {

HMODULE LoadSystemLibrary(const char* name) {
  char directory[MAX_PATH];
  UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::string path(directory, length);
  if (path.back() != '\\') path += '\\';
  path += name;
  // The DLL's own dependencies are then looked for beside it as well.
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace vl
