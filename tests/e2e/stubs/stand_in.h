// What the stand-ins share: each call they stand in for becomes one line of
// a log, by default a file of that name beside the stand-in itself; those
// that take messages run one top-level window of their own.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

// `name` in the stand-in's own folder.
inline std::string BesideProgram(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) slash[1] = '\0';
  return std::string(path) + name;
}

inline void AppendLine(const std::string& log, const std::string& line) {
  if (FILE* f = std::fopen(log.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

// Registers `className` for `proc`, creates the window titled `title`, and
// runs the message loop until it quits; 1 when the window cannot be made.
inline int RunWindow(HINSTANCE instance, const char* className, const char* title, DWORD style,
                     WNDPROC proc, void (*created)(HWND) = nullptr) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, className, title, style, 0, 0, 200, 100, nullptr, nullptr,
                              instance, nullptr);
  if (!hwnd) return 1;
  if (created) created(hwnd);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
