// Undo Last Changes: takes the newest change of the history back, value by
// value, exactly as the record has it.
#pragma once
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/system.h"
#include "tuning/change_record.h"

namespace vl {
struct AppState;

// Whether there is a change to undo: the menu item's state. The history is
// read once, and again after a change or an undo.
bool CanUndo(AppState& app);

// The command of the main window: asks once, puts the values back, tells the
// outcome in one box and, when all is back, offers the restart. A change
// that could not be put back whole stays the newest, to be undone again.
void RunUndoCommand(AppState& app, WindowHandle owner);

// Puts each value back: the same type and bytes, or deleted where it was
// absent; keys are never made. Each is read back. Then removes the keys the
// change made. Returns what does not stand as recorded, as
// "   <name> in <key>" and "   the key <key>" lines.
std::vector<std::string> PutBack(IRegistry& reg, const std::vector<PriorValue>& values,
                                 const std::vector<std::string>& madeKeys = {});

// The texts of the command.
std::string UndoQuestion(const std::string& productName, const ChangeRecord& record);
std::string UndoDone(const ChangeRecord& record);
std::string UndoIncomplete(const ChangeRecord& record, const std::vector<std::string>& notPutBack);
extern const char kUndoDamaged[];
extern const char kUndoUnreadable[];

}  // namespace vl
