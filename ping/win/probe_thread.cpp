#include "ping/win/probe_thread.h"

CProbeThread::~CProbeThread() {
  Stop();
  Join();
}

bool CProbeThread::Start(const std::string& host) {
  // The last probe's end has come, so its thread is ending or has ended.
  Join();
  host_ = host;
  InterlockedExchange(&stop_, 0);
  DWORD id = 0;  // Windows 95 wants somewhere to put it
  thread_.reset(CreateThread(nullptr, 0, &CProbeThread::ThreadMain, this, 0, &id));
  return static_cast<bool>(thread_);
}

void CProbeThread::Stop() { InterlockedExchange(&stop_, 1); }

void CProbeThread::Join() {
  if (!thread_) return;
  WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
}

std::vector<CProbeThread::Event> CProbeThread::TakeEvents() {
  ui::CriticalSection::Lock hold(lock_);
  std::vector<Event> taken;
  taken.swap(events_);
  return taken;
}

DWORD WINAPI CProbeThread::ThreadMain(void* self) {
  auto* t = static_cast<CProbeThread*>(self);
  Event end;
  end.finished = true;
  end.result = vl::FindPathMtu(t->host_, t->net_, *t);
  t->Push(end);
  return 0;
}

void CProbeThread::OnStep(const vl::ProbeStep& step) {
  Event event;
  event.step = step;
  Push(event);
}

bool CProbeThread::StopRequested() { return InterlockedCompareExchange(&stop_, 0, 0) != 0; }

void CProbeThread::Push(const Event& event) {
  {
    ui::CriticalSection::Lock hold(lock_);
    events_.push_back(event);
  }
  // Posted, never sent: the window's thread may be waiting for this one.
  if (window_) PostMessageA(window_, message_, 0, 0);
}
