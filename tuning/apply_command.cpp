#include "tuning/apply_command.h"

#include <vector>

#include "platform/text.h"
#include "res/resource.h"
#include "settings/install_folder.h"
#include "settings/mode_file.h"
#include "state/app_state.h"
#include "state/os_detect.h"
#include "tuning/adapters.h"
#include "tuning/form_controls.h"
#include "tuning/recorded_change.h"
#include "tuning/tuning_choices.h"
#include "tuning/writers.h"

namespace vl {

const char kNoModeSelected[] = "No configuration mode was selected.";
const char kInvalidMtuEmpty[] =
    "Invalid MTU value.\nYou chose the 'Custom' option without providing any value.";
const char kInvalidTtlEmpty[] =
    "Invalid TTL value.\nYou chose the 'Custom' option without providing any value.";
const char kInvalidMtuLow[] = "Invalid MTU value.\nMTU value must be higher than 40. ";
const char kRestartReminder[] =
    "Keep in mind that you must restart your\ncomputer before the new settings become effective. ";
const char kRestartErrorCaption[] = "ERROR...";
const char kChangeNotRecorded[] =
    "The change could not be recorded, so it could not be undone later.\n"
    "Nothing was changed.\n\n"
    "Please log on as an administrator and try again.";
const char kTcpipNotInstalled[] =
    "TCP/IP is not installed on this computer, so there are\n"
    "no TCP/IP settings to change. Nothing was changed.\n\n"
    "Please install TCP/IP with Network in Control Panel,\n"
    "restart Windows and try again.";
const char kModeFileFailed[] =
    "The new settings were written, but the configuration could not\n"
    "be recorded in the file Velora.cfg of the program folder.\n\n"
    "Please log on as an administrator and apply the settings again.";

std::string LanQuestion() {
  return "You chose to optimize your Local Area\nNetworking (LAN) Internet connection.\n\n"
         "Are you sure that you are using LAN connection?\n"
         "If you use Dial-Up (Modem) connection, answer 'NO'. ";
}

std::string LanSecondQuestion(const std::string& productName) {
  return "If you don't use LAN you are probably using regular\n"
         "Dial-Up Networking Internet connection (Modem).\n\n" +
         productName +
         " can optimize your connection automaticlly. \n"
         "Would you like to optimzie your connection now?";
}

std::string RestartQuestion(const std::string& productName, const std::string& note) {
  return "System changes were successful done.\n" + (note.empty() ? "" : note + "\n") +
         "\nIn order to enjoy all the benefits of " +
         productName +
         "\nit's highly recommended to restart your computer.\n\n"
         "Would you like to restart your computer now?";
}

std::string RestartError(const std::string& productName) {
  return productName +
         " was unable to restart your \ncomputer automatically.\n"
         "Please restart your computer manually.";
}

const char kReceiveWindowIgnored[] =
    "RWIN was not written: Windows Vista and later size the receive window themselves.";

namespace {
// More lines would make a box taller than the screen.
constexpr size_t kListedAdapters = 10;

// Windows Vista and later can give a running interface its new MTU at once;
// one that refuses (or a Windows without the call) takes it from the
// registry at the restart, which is offered anyway.
void SetRunningMtus(AppState& app, const WriteReport& report) {
  if (app.m_eWinVersion < WindowsVersion::Vista || !app.sys.ipInterfaces) return;
  for (const InterfaceMtu& m : report.interfaceMtus)
    app.sys.ipInterfaces->SetInterfaceMtu(m.guid, m.mtu);
}
}  // namespace

static const char* KindText(int configMode) {
  return FilterForMode(configMode) == AdapterFilter::DialUp ? "Dial-Up (Modem)"
                                                            : "Local Area Networking (LAN)";
}

std::string NoAdapterMessage(int configMode, const std::vector<std::string>& unbound) {
  if (unbound.empty())
    return std::string("No ") + KindText(configMode) +
           " adapter was found on this computer.\n"
           "No settings were changed.\n\n"
           "Please choose the configuration that matches your connection.";
  // Cards are there, but TCP/IP does not use them: another configuration
  // would not help, binding TCP/IP would.
  std::string text = std::string("No ") + KindText(configMode) +
                     " adapter on this computer is bound to TCP/IP.\n"
                     "No settings were changed. These adapters were found:\n\n";
  for (size_t i = 0; i < unbound.size() && i < kListedAdapters; ++i)
    text += "   " + unbound[i] + "\n";
  if (unbound.size() > kListedAdapters)
    text += "   and " + std::to_string(unbound.size() - kListedAdapters) + " more\n";
  return text +
         "\nPlease bind TCP/IP to your adapter with Network in Control Panel,\n"
         "or choose the configuration that matches your connection.";
}

std::string WriteFailedMessage(int configMode) {
  return std::string("The new ") + KindText(configMode) +
         " settings could not be written to the registry.\n"
         "Your settings may be incomplete.\n\n"
         "Please log on as an administrator and apply the settings again.";
}

void RestartComputer(AppState& app, WindowHandle owner) {
  IRestart& restart = *app.sys.restart;
  if (!IsNtFamily(app.m_strOsName)) {
    restart.ExitWindowsEx(kEwxReboot);
    return;
  }
  // A reboot that the system refused would leave the user waiting for one
  // that never comes: every failing step ends in the error box.
  bool ok = restart.OpenProcessToken() && restart.EnableShutdownPrivilege() == 0 &&
            restart.ExitWindowsEx(kEwxReboot);
  if (!ok)
    app.sys.boxes->Show(owner, RestartError(app.m_strProductName), kRestartErrorCaption,
                        kMbOk | kMbIconExclamation);
}

void RunApplyCommand(AppState& app, IApplyUi& ui, ApplyOrigin origin) {
  IMessageBoxes& boxes = *app.sys.boxes;
  const WindowHandle owner = ui.Owner();
  const std::string& caption = app.m_strProductName;
  auto warn = [&](const std::string& text) {
    boxes.Show(owner, text, caption, kMbOk | kMbIconExclamation);
  };

  if (app.m_nConfigMode == ModeNone) return warn(kNoModeSelected);
  const TuningSettings& tuning = app.m_tuning;
  if (tuning.m_strMaxMtu.empty()) return warn(kInvalidMtuEmpty);
  if (tuning.m_strTtl.empty()) return warn(kInvalidTtlEmpty);
  if (Atoi(tuning.m_strMaxMtu) < 40) return warn(kInvalidMtuLow);

  if (app.m_nConfigMode == ModeAutoLan) {
    int answer = boxes.Show(owner, LanQuestion(), caption,
                            kMbYesNo | kMbIconQuestion | kMbDefButton2);
    if (answer == kIdNo) {
      answer = boxes.Show(owner, LanSecondQuestion(caption), caption, kMbYesNo | kMbIconQuestion);
      if (answer == kIdNo) return;
      LoadAutoMode(app, ModeAutoDialUp);
      if (app.m_pFormView) {
        app.m_pFormView->SetCheck(IDC_MODE_DIALUP, true);
        app.m_pFormView->SetCheck(IDC_MODE_LAN, false);
      }
      // The switch is made where the user sees it; the Apply that follows
      // comes the form's way.
      app.RequestApply(ApplyOrigin::DialUpAnswer);
      return;
    }
  }

  ui.CreateProgress();
  ui.BeginWaitCursor();
  ui.ShowProgress();
  ui.SetRange(0, 100);
  ui.SetStep(1);
  ui.SetPos(0);
  WriteReport report;
  for (int step = 1; step <= kApplySteps; ++step) {
    if (step == kApplyWriterStep) {
      ChangeRecord change;
      change.kind = ChangeKind::Apply;
      change.mode = app.m_nConfigMode;
      const bool nt = IsNtFamily(app.m_strOsName);
      report = RunRecordedChange(app, change, [&](IRegistry& reg) {
        return nt ? ApplySettingsNt(reg, app.m_nConfigMode, app.m_tuning, app.m_pFormView,
                                    app.m_eWinVersion)
                  : ApplySettings9x(reg, app.m_nConfigMode, app.m_tuning, app.m_pFormView);
      });
    }
    app.sys.pacer->Wait(ApplyStepCount(step));
    ui.StepIt();
  }
  ui.EndWaitCursor();
  ui.DestroyProgress();

  // Success is only claimed, and the configuration only recorded, when the
  // settings really reached the registry and read back as written. A
  // registry that refused to be read may have hidden the very adapter
  // wanted, so that is no case for "none found": the user needs the rights,
  // not another configuration.
  if (report.notRecorded) return warn(kChangeNotRecorded);
  if (report.tcpipMissing) return warn(kTcpipNotInstalled);
  if (report.failed) return warn(WriteFailedMessage(app.m_nConfigMode));
  if (report.adapters == 0) return warn(NoAdapterMessage(app.m_nConfigMode, report.unbound));
  SetRunningMtus(app, report);
  // The settings stand whatever becomes of the file, so the restart is still
  // offered; the user only learns that the next start will not name them.
  if (RecordsModeFile(origin)) {
    const std::string folder = GetInstallFolder(app.m_settings, boxes, caption);
    if (!WriteModeFile(*app.sys.files, folder, app.m_strActiveConfig)) warn(kModeFileFailed);
  }
  OfferRestart(app, owner, report.receiveWindowIgnored ? kReceiveWindowIgnored : "");
}

void OfferRestart(AppState& app, WindowHandle owner, const std::string& note) {
  IMessageBoxes& boxes = *app.sys.boxes;
  const std::string& caption = app.m_strProductName;
  int answer =
      boxes.Show(owner, RestartQuestion(caption, note), caption, kMbYesNo | kMbIconQuestion);
  if (answer == kIdNo) {
    boxes.Show(owner, kRestartReminder, caption, kMbOk | kMbIconInformation);
    return;
  }
  RestartComputer(app, owner);
}

}  // namespace vl
