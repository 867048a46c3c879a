// bench_driver.exe registry|startup|apply|idle|trace [--runs=N]
//                  [--velora=PATH] [--companion=PATH] [--floor=PATH] [--fair-floor=PATH]
//                  [--vldetect=PATH] [--idle-floor=PATH] [--traced=PATH]
#include "bench/win/driver.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace driver {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void Emit(const std::string& json) {
  std::printf("%s\n", json.c_str());
  std::fflush(stdout);
}

void EmitProblem(const std::string& kind, const std::string& what, const std::string& why) {
  Emit("{\"kind\":" + Quote(kind) + ",\"what\":" + Quote(what) + ",\"problem\":" + Quote(why) +
       "}");
}

}  // namespace driver

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_driver registry|startup|apply|idle|trace [--runs=N] ...\n");
    return 2;
  }
  driver::Options options;
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](const char* prefix) -> const char* {
      size_t n = std::strlen(prefix);
      return arg.compare(0, n, prefix) == 0 ? argv[i] + n : nullptr;
    };
    if (const char* v = value("--runs=")) options.runs = std::max(1, std::atoi(v));
    else if (const char* v = value("--velora=")) options.velora = v;
    else if (const char* v = value("--companion=")) options.companion = v;
    else if (const char* v = value("--floor=")) options.floor = v;
    else if (const char* v = value("--fair-floor=")) options.fairFloor = v;
    else if (const char* v = value("--vldetect=")) options.vldetect = v;
    else if (const char* v = value("--idle-floor=")) options.idleFloor = v;
    else if (const char* v = value("--traced=")) options.traced = v;
    else {
      std::fprintf(stderr, "unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  const std::string mode = argv[1];
  try {
    if (mode == "registry") return driver::RunRegistry(options);
    if (mode == "startup") return driver::RunStartup(options);
    if (mode == "apply") return driver::RunApply(options);
    if (mode == "idle") return driver::RunIdle(options);
    if (mode == "trace") return driver::RunTrace(options);
  } catch (const std::exception& e) {
    // The harness throws when the bench cannot even set up (copy, seed).
    driver::EmitProblem(mode, "set-up", e.what());
    return 1;
  }
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 2;
}
