// The Apply command's main window, recording what the command does to it.
#pragma once
#include <string>
#include <vector>

#include "tuning/apply_command.h"

namespace vl {

class RecordingApplyUi : public IApplyUi {
 public:
  static constexpr WindowHandle kFrame = 0x4242;

  WindowHandle Owner() override { return kFrame; }
  void CreateProgress() override { events.push_back("Create"); }
  void ShowProgress() override { events.push_back("Show"); }
  void SetRange(int low, int high) override {
    events.push_back("Range " + std::to_string(low) + "-" + std::to_string(high));
  }
  void SetStep(int step) override { events.push_back("Step " + std::to_string(step)); }
  void SetPos(int pos) override { events.push_back("Pos " + std::to_string(pos)); }
  void StepIt() override { ++steps; }
  void DestroyProgress() override { events.push_back("Destroy"); }
  void BeginWaitCursor() override { events.push_back("BeginWait"); }
  void EndWaitCursor() override { events.push_back("EndWait"); }

  std::vector<std::string> events;  // every call but the steps, in order
  int steps = 0;
};

}  // namespace vl
