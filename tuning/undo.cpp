#include "tuning/undo.h"

#include "state/app_state.h"
#include "platform/text.h"
#include "tuning/adapters.h"
#include "tuning/apply_command.h"
#include "tuning/change_history.h"

namespace vl {

const char kUndoDamaged[] =
    "The record of the last change is damaged and cannot be put back.\n"
    "Nothing was changed.\n\n"
    "Undo Last Changes goes on with the change before it, if there is one.";
const char kUndoUnreadable[] =
    "The record of the last change could not be read from the registry.\n"
    "Nothing was changed.\n\n"
    "Please log on as an administrator and try again.";

namespace {

// More lines would make a box taller than the screen.
constexpr size_t kListedValues = 10;

std::string Line(const PriorValue& v) {
  return "   " + (v.name.empty() ? std::string("(Default)") : v.name) + " in " + v.key;
}

// Whether the value now stands as recorded.
bool Stands(IRegistry& reg, RegKey key, const PriorValue& v) {
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
  const long status = QueryRaw(reg, key, v.name, kMaxPriorBytes, &type, &data);
  if (!v.present) return status == kErrorFileNotFound;
  return status == kErrorSuccess && type == v.type && data == v.data;
}

}  // namespace

std::vector<std::string> PutBack(IRegistry& reg, const std::vector<PriorValue>& values,
                                 const std::vector<std::string>& madeKeys) {
  std::vector<std::string> failed;
  std::vector<bool> done(values.size(), false);
  for (size_t first = 0; first < values.size(); ++first) {
    if (done[first]) continue;
    // All values of one key go back through one open.
    ScopedKey key(reg);
    const long opened =
        reg.OpenKey(kHkeyLocalMachine, values[first].key, kKeyRead | kKeyWrite, key.Receive());
    for (size_t i = first; i < values.size(); ++i) {
      if (done[i] || !SameIgnoringCase(values[i].key, values[first].key)) continue;
      done[i] = true;
      const PriorValue& v = values[i];
      bool back;
      if (opened != kErrorSuccess) {
        // A key that is gone holds no value: one that was absent is so still.
        back = !v.present && IsAbsentStatus(opened);
      } else {
        long status = v.present ? reg.SetValue(key.get(), v.name, v.type, v.data.data(),
                                               static_cast<uint32_t>(v.data.size()))
                                : reg.DeleteValue(key.get(), v.name);
        if (!v.present && status == kErrorFileNotFound) status = kErrorSuccess;
        back = status == kErrorSuccess && Stands(reg, key.get(), v);
      }
      if (!back) failed.push_back(Line(v));
    }
  }
  // A made key goes once its values are gone, the innermost first; the
  // registry keeps one that has been given other subkeys since.
  for (auto made = madeKeys.rbegin(); made != madeKeys.rend(); ++made) {
    const long status = reg.DeleteKey(kHkeyLocalMachine, *made);
    if (status != kErrorSuccess && status != kErrorFileNotFound)
      failed.push_back("   the key " + *made);
  }
  return failed;
}

bool CanUndo(AppState& app) {
  if (!app.m_bUndoKnown) {
    ChangeHistory history(*app.sys.registry, app.m_settings.BaseKey());
    app.m_bCanUndo = history.Newest().state != NewestState::None;
    app.m_bUndoKnown = true;
  }
  return app.m_bCanUndo;
}

std::string UndoQuestion(const std::string& productName, const ChangeRecord& record) {
  return productName + " will undo " + ChangeName(record) + "\nmade " + WhenText(record.when) +
         ".\n\nEvery value it changed will be put back as it was before.\n"
         "Would you like to continue?";
}

std::string UndoDone(const ChangeRecord& record) {
  return "The values changed by " + ChangeName(record) + "\nwere put back as they were before.";
}

std::string UndoIncomplete(const ChangeRecord& record, const std::vector<std::string>& notPutBack) {
  std::string text = "These values changed by " + ChangeName(record) + "\ncould not be put back:\n\n";
  for (size_t i = 0; i < notPutBack.size() && i < kListedValues; ++i) text += notPutBack[i] + "\n";
  if (notPutBack.size() > kListedValues)
    text += "   and " + std::to_string(notPutBack.size() - kListedValues) + " more\n";
  return text + "\nPlease log on as an administrator and choose Undo Last Changes again.";
}

void RunUndoCommand(AppState& app, WindowHandle owner) {
  IMessageBoxes& boxes = *app.sys.boxes;
  const std::string& caption = app.m_strProductName;
  auto warn = [&](const std::string& text) {
    boxes.Show(owner, text, caption, kMbOk | kMbIconExclamation);
  };
  ChangeHistory history(*app.sys.registry, app.m_settings.BaseKey());
  const NewestChange newest = history.Newest();
  app.m_bUndoKnown = false;
  switch (newest.state) {
    case NewestState::None:
      return;  // the command is grayed then; a stray one does nothing
    case NewestState::Unreadable:
      return warn(kUndoUnreadable);
    case NewestState::Damaged:
      // Its bytes are left alone; the changes before it stay within reach.
      warn(kUndoDamaged);
      history.Drop(newest.sequence);
      return;
    case NewestState::Found:
      break;
  }
  const ChangeRecord& record = newest.record;
  if (boxes.Show(owner, UndoQuestion(caption, record), caption,
                 kMbYesNo | kMbIconQuestion | kMbDefButton2) != kIdYes)
    return;
  const std::vector<std::string> notPutBack =
      PutBack(*app.sys.registry, record.values, record.madeKeys);
  if (!notPutBack.empty()) return warn(UndoIncomplete(record, notPutBack));
  history.Drop(newest.sequence);
  boxes.Show(owner, UndoDone(record), caption, kMbOk | kMbIconInformation);
  OfferRestart(app, owner);
}

}  // namespace vl
