// The mode file over any content, attributes and one failing file operation:
// what is read is one bounded line without its end or a NUL, the start-up
// notice shows it trimmed or not at all, and a write that reports success
// left exactly the description in the file, one that does not left the old
// content.
#include <cctype>
#include <cstdint>
#include <string>

#include "fuzz_app.h"
#include "fuzz_input.h"
#include "settings/install_folder.h"
#include "settings/mode_file.h"

namespace {

const char kFolder[] = "C:\\Program Files\\Velora";
const char kFile[] = "C:\\Program Files\\Velora\\Velora.cfg";
const char kInstallKey[] = "HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001\\Install";
const char kNoticeHead[] = "   Your current active configuration is:\n\n   ";

// The program's folder with nothing in it, and no install folder stored.
// Made once: after each input it goes back to copies of its first state,
// which reuse the room the input took.
struct World : fuzz::FuzzApp {
  World() {
    app.sys.files = &files;
    files.AddDirectory(kFolder);
    Keep();
    firstFiles = files;
  }
  void Reset() {
    FuzzApp::Reset();
    files = firstFiles;
  }
  vl::MemFiles files;
  vl::MemFiles firstFiles;
};

// The folder as the program finds it, the user told when none is stored.
std::string Folder(World& w) {
  return vl::GetInstallFolder(w.app.m_settings, w.boxes, w.app.m_strProductName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t setup = in.Byte();
  const uint8_t attributes = in.Byte() & 0x27;  // read-only, hidden, system, archive
  const uint8_t failingOp = in.Byte();          // 0: none
  const std::string description = in.CleanText();
  const std::string content = in.Rest();

  static World w;
  vl::MemFiles& files = w.files;
  vl::MemMessageBoxes& boxes = w.boxes;
  vl::AppState& app = w.app;
  if (setup & 1)
    w.reg.PutSz(kInstallKey, "Folder", setup & 2 ? std::string(kFolder) + "\\" : kFolder);
  if (setup & 4) files.AddFile(kFile, content, attributes);
  int ops = 0;
  files.fault = [&](const std::string&, const std::string&) { return ++ops == failingOp; };

  app.m_strActiveConfig = "(unchanged)";
  vl::ReadModeFile(files, Folder(w), &app.m_strActiveConfig);
  const std::string& read = app.m_strActiveConfig;
  if (read != "(unchanged)") {
    FUZZ_REQUIRE(read.size() <= 1000);
    FUZZ_REQUIRE(read.find('\n') == std::string::npos && read.find('\0') == std::string::npos);
    FUZZ_REQUIRE(content.compare(0, read.size(), read) == 0);
  }

  const size_t shownBefore = boxes.shown.size();
  vl::ShowStartupNotice(boxes, app.m_strProductName, &app.m_strActiveConfig);
  const std::string& trimmed = app.m_strActiveConfig;
  if (trimmed.empty()) {
    FUZZ_REQUIRE(boxes.shown.size() == shownBefore);
  } else {
    FUZZ_REQUIRE(boxes.shown.size() == shownBefore + 1);
    FUZZ_REQUIRE(boxes.shown.back().text == kNoticeHead + trimmed + "\n\n");
    FUZZ_REQUIRE(!std::isspace(static_cast<unsigned char>(trimmed.front())));
    FUZZ_REQUIRE(!std::isspace(static_cast<unsigned char>(trimmed.back())));
  }

  // Without a folder to enter, the file is the one in the current directory.
  const std::string beforeInFolder = files.Content(kFile);
  const std::string beforeAtRoot = files.Content("C:\\Velora.cfg");
  app.m_strActiveConfig = description;
  const bool written = vl::WriteModeFile(files, Folder(w), description);
  const bool inFolder = files.FullPath("Velora.cfg") == kFile;
  const std::string now = files.Content("Velora.cfg");
  FUZZ_REQUIRE(now == (written ? description : inFolder ? beforeInFolder : beforeAtRoot));
  w.Reset();
  return 0;
}
