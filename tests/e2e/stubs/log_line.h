// What the stand-ins share: each call they stand in for becomes one line of
// a log, by default a file of that name beside the stand-in itself.
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
