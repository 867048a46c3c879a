// The MTU probe's own thread, owned by the Find Largest MTU dialog: it runs
// one probe at a time, queues each step and the end, and posts the dialog a
// message to collect them. The window's thread never waits on the network;
// only the end of the thread is waited for, when the dialog goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ping/mtu_finder.h"
#include "platform/win/scoped_handle.h"
#include "ui/thread.h"

class CProbeThread : public vl::IProbeRunner, private vl::IProbeListener {
 public:
  // What the probe told, in order: its steps, then its end.
  struct Event {
    bool finished = false;
    vl::ProbeStep step;
    vl::ProbeResult result;
  };

  explicit CProbeThread(vl::IPathNetwork& net) : net_(net) {}
  // Stops the probe and waits for its thread: nothing of it outlives us.
  ~CProbeThread() override;
  CProbeThread(const CProbeThread&) = delete;
  CProbeThread& operator=(const CProbeThread&) = delete;

  // The window told of new events, and its message.
  void Attach(HWND window, UINT message) {
    window_ = window;
    message_ = message;
  }

  bool Start(const std::string& host) override;
  void Stop() override;
  // Until the thread has ended; at most the echo or lookup under way.
  void Join();
  std::vector<Event> TakeEvents();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void OnStep(const vl::ProbeStep& step) override;
  bool StopRequested() override;
  void Push(const Event& event);

  vl::IPathNetwork& net_;
  HWND window_ = nullptr;
  UINT message_ = 0;
  std::string host_;  // written before the thread starts, read by it only
  vl::ScopedHandle thread_;
  volatile LONG stop_ = 0;
  ui::CriticalSection lock_;
  std::vector<Event> events_;  // under lock_
};
