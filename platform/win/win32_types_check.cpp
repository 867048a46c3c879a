// The core speaks Win32 through the constants of platform/win32_types.h, and
// the Win32 side passes them through unchanged: each must be the SDK's own
// value. (The predefined keys are pointers in the SDK; ToHkey in
// win_platform.cpp maps them.) The few constants a subsystem keeps beside the
// code that uses them are checked the same way in its own win/ code.
#include <windows.h>

#include "platform/win32_types.h"

namespace vl {

static_assert(kRegNone == REG_NONE && kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ &&
              kRegBinary == REG_BINARY && kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ);
static_assert(kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE &&
              kKeyCreateSubKey == KEY_CREATE_SUB_KEY &&
              kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS);
static_assert(kKeyRead == KEY_READ && kKeyWrite == KEY_WRITE && kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(kRegOptionNonVolatile == REG_OPTION_NON_VOLATILE &&
              kRegOptionVolatile == REG_OPTION_VOLATILE);

static_assert(kErrorSuccess == ERROR_SUCCESS && kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
              kErrorPathNotFound == ERROR_PATH_NOT_FOUND &&
              kErrorAccessDenied == ERROR_ACCESS_DENIED &&
              kErrorInvalidHandle == ERROR_INVALID_HANDLE &&
              kErrorNotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY &&
              kErrorInvalidParameter == ERROR_INVALID_PARAMETER &&
              kErrorAlreadyExists == ERROR_ALREADY_EXISTS && kErrorMoreData == ERROR_MORE_DATA &&
              kErrorNoMoreItems == ERROR_NO_MORE_ITEMS &&
              kErrorNotSupported == ERROR_NOT_SUPPORTED &&
              kErrorNotAllAssigned == ERROR_NOT_ALL_ASSIGNED);

static_assert(kMbOk == MB_OK && kMbYesNo == MB_YESNO && kMbIconHand == MB_ICONHAND &&
              kMbIconQuestion == MB_ICONQUESTION && kMbIconExclamation == MB_ICONEXCLAMATION &&
              kMbIconInformation == MB_ICONINFORMATION && kMbDefButton2 == MB_DEFBUTTON2 &&
              kMbSystemModal == MB_SYSTEMMODAL);
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO);

static_assert(kSwHide == SW_HIDE && kSwShowNormal == SW_SHOWNORMAL && kSwShow == SW_SHOW);

static_assert(kFileAttributeReadOnly == FILE_ATTRIBUTE_READONLY &&
              kFileAttributeHidden == FILE_ATTRIBUTE_HIDDEN &&
              kFileAttributeSystem == FILE_ATTRIBUTE_SYSTEM &&
              kFileAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY &&
              kFileAttributeArchive == FILE_ATTRIBUTE_ARCHIVE &&
              kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL &&
              kInvalidFileAttributes == INVALID_FILE_ATTRIBUTES);

static_assert(kHelpKey == HELP_KEY);
static_assert(kEwxReboot == EWX_REBOOT);


}  // namespace vl
