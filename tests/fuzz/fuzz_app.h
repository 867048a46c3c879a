// The application as the fuzz targets run it: on the fast registry, with the
// settings store on the program's key, message boxes that record and answer
// from a script, and an Apply that neither waits nor draws.
#pragma once
#include <cstddef>
#include <cstdint>

#include "state/app_state.h"
#include "fast_registry.h"
#include "platform/mem/mem_system.h"
#include "tuning/apply_command.h"

namespace fuzz {

// The main window as the Apply sees it; nothing of it is checked.
struct QuietUi : vl::IApplyUi {
  vl::WindowHandle Owner() override { return 0x4242; }
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

struct NoPause : vl::IPacer {
  void Wait(uint64_t) override {}
};

struct FuzzApp {
  FuzzApp() {
    app.sys.registry = &reg;
    app.sys.boxes = &boxes;
    app.sys.pacer = &pacer;
    app.sys.restart = &restart;
    app.m_settings.Attach(&reg);
    app.m_settings.SetBaseKey(vl::kSettingsBaseKey);
    app.m_strProductName = "Velora 2001";
    app.m_strVersion = "v5.1";
    Keep();
  }
  FuzzApp(const FuzzApp&) = delete;
  FuzzApp& operator=(const FuzzApp&) = delete;

  // A target that keeps its application from one input to the next, which
  // spares making it anew, takes its first state with Keep and goes back to
  // it with Reset at the end of each input (at the end: what the input made
  // is then freed within the input, as the leak check expects). The copies
  // reuse the room the input took.
  void Keep() {
    firstRegistry_.ResetTo(reg);
    firstApp_ = app;
  }
  void Reset() {
    reg.ResetTo(firstRegistry_);
    app = firstApp_;
    boxes.shown.clear();
    boxes.answers.clear();
    boxes.beeps.clear();
    restart.log.clear();
  }

  // Makes the n-th registry call from now (1-based) fail with `status`; 0
  // fails none.
  void FailNthCall(size_t n, long status) {
    if (n == 0) return;
    const size_t target = reg.CallCount() + n;
    reg.observe = [this, target, status](const Call&) -> long {
      return reg.CallCount() == target ? status : 0;
    };
  }

  FastRegistry reg;
  vl::MemMessageBoxes boxes;
  NoPause pacer;
  vl::MemRestart restart;
  vl::AppState app;

 private:
  FastRegistry firstRegistry_;
  vl::AppState firstApp_;
};

}  // namespace fuzz
