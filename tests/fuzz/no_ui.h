// The Apply command's window, for fuzz targets that run the command without one.
#pragma once
#include "tuning/apply_command.h"

namespace fuzz {

class NoUi : public vl::IApplyUi {
 public:
  vl::WindowHandle Owner() override { return 0x77; }
  void CreateProgress() override {}
  void ShowProgress() override {}
  void SetRange(int, int) override {}
  void SetStep(int) override {}
  void SetPos(int) override {}
  void StepIt() override {}
  void DestroyProgress() override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
};

}  // namespace fuzz
