#include "links/open_url.h"

#include "platform/registry.h"

namespace vl {

const char kAppTitle[] = "VELORA";

long QueryKeyDefault(IRegistry& reg, RegKey root, const std::string& subkey, std::string* out) {
  ScopedKey key(reg);
  long rc = reg.OpenKey(root, subkey, kKeyQueryValue, key.Receive());
  if (rc != kErrorSuccess) return rc;
  std::string value;
  // A value that does not fit the limit counts as unreadable rather than
  // being cut somewhere in the middle of a program path.
  if (QueryText(reg, key.get(), "", kKeyDefaultLimit, &value) != kErrorSuccess) value.clear();
  *out = value;
  return kErrorSuccess;
}

std::string FallbackCommandLine(const std::string& command, const std::string& url) {
  size_t cut = command.find("\"%1\"");
  if (cut == std::string::npos) cut = command.find("%1");
  std::string line = command.substr(0, cut);
  line += ' ';
  line += url;
  return line;
}

intptr_t OpenUrl(IShell& shell, IRegistry& reg, const std::string& url, int showCmd) {
  intptr_t result = shell.ShellExecuteA(0, "open", url, "", "", showCmd);
  if (result > 32) return result;

  std::string fileType;
  if (QueryKeyDefault(reg, kHkeyClassesRoot, ".htm", &fileType) != kErrorSuccess)
    return result;
  std::string command;
  if (QueryKeyDefault(reg, kHkeyClassesRoot, fileType + "\\shell\\open\\command", &command) !=
      kErrorSuccess)
    return result;
  return shell.WinExec(FallbackCommandLine(command, url), showCmd);
}

std::string OpenErrorText(int code) {
  switch (code) {
    case 0: return "The operating system is out\nof memory or resources.";
    case 2: return "The specified file was not found.";
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied\naccess to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26: return "A sharing violation occurred. ";
    case 27: return "The filename association is\nincomplete or invalid.";
    case 28: return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not\nbe completed because other DDE transactions\n"
             "were being processed.";
    case 31: return "There is no application associated\nwith the given filename extension.";
    case 32: return "The specified dynamic-link library was not found.";
    default: return "Unknown Error (" + std::to_string(code) + ") occurred.";
  }
}

void ReportOpenError(IMessageBoxes& boxes, int code, WindowHandle owner) {
  boxes.Show(owner, "Unable to open hyperlink:\n\n" + OpenErrorText(code), kAppTitle,
                      kMbOk | kMbIconExclamation);
}

void ReportFailedOpen(IMessageBoxes& boxes, int code, WindowHandle owner) {
  boxes.Beep(kMbIconExclamation);
  ReportOpenError(boxes, code, owner);
}

}  // namespace vl
