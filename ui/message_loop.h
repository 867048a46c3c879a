// The main message loop, with the framework's idle-time hook: after each
// burst of messages, when the queue is empty, `onIdle` runs once. Modal loops
// (dialogs, message boxes) run their own loops, so the hook never runs inside
// them.
#pragma once
#include <windows.h>

#include <functional>

namespace ui {

struct MessageLoopArgs {
  std::function<void()> onIdle;                  // the idle-time update
  std::function<bool(MSG*)> preTranslate;        // true when the message was consumed
  // True for a message of the program's own that ends no burst: work an idle
  // pass leaves for a moment later, which must not bring another pass.
  std::function<bool(const MSG&)> isQuiet;
};

int RunMessageLoop(const MessageLoopArgs& args);

// Whether a message starts a new burst that earns an idle pass (the framework
// leaves out paints, the caret's system timer and mouse moves that did not move).
bool IsIdleMessage(const MSG& msg);

}  // namespace ui
