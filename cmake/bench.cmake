# Benchmarks (make bench): only in build trees configured with VELORA_BENCH,
# so that the normal build and its tests do not wait for them.
set(BENCH_DIR ${CMAKE_SOURCE_DIR}/bench)
set(BENCH_SHARED ${BENCH_DIR}/scale_cases.cpp ${BENCH_DIR}/call_script.cpp)

if(WIN32)
  # The floors are built by the rules velora.exe and vldetect.exe are built
  # by (the lean program rules: their own start-up code, no C runtime
  # start-up), so that a difference is the programs' and not the runtimes'.
  # The floor of start-up and memory: a bare window with a menu and a status
  # bar; it notes its start-up steps as the traced velora.exe does (the trace
  # comes with the lean program's runtime).
  add_executable(floor WIN32 ${BENCH_DIR}/win/floor.cpp)
  target_include_directories(floor PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(floor PRIVATE VELORA_STARTUP_TRACE)
  target_link_libraries(floor PRIVATE comctl32 user32 kernel32)
  velora_lean_program(floor CAPTION "Floor")
  # The fair floor of start-up: the same frame, icon, menu, toolbar and
  # status bar around the form's own dialog template, with velora.exe's
  # resources and nothing of its code; traced by the same marks.
  add_executable(fair_floor WIN32 ${BENCH_DIR}/win/fair_floor.cpp
                 ${CMAKE_SOURCE_DIR}/res/velora.rc)
  target_include_directories(fair_floor PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(fair_floor PRIVATE VELORA_STARTUP_TRACE)
  target_link_libraries(fair_floor PRIVATE comctl32 gdi32 user32 kernel32)
  velora_lean_program(fair_floor CAPTION "Fair Floor")
  # The floor of the companion at idle: a bare hidden window.
  add_executable(idle_floor WIN32 ${BENCH_DIR}/win/idle_floor.cpp)
  target_include_directories(idle_floor PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(idle_floor PRIVATE user32 kernel32)
  velora_lean_program(idle_floor CAPTION "Idle Floor")

  # velora.exe with its start-up steps timed: the same sources and resources,
  # and the timestamps of runtime/win/startup_trace.h written to the file that
  # VELORA_TRACE names.
  add_executable(velora_trace WIN32 ${WIN_SOURCES} ${CMAKE_SOURCE_DIR}/res/velora.rc)
  target_include_directories(velora_trace PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(velora_trace PRIVATE VELORA_STARTUP_TRACE)
  target_link_libraries(velora_trace PRIVATE velora_core comctl32 advapi32 gdi32 user32
                        kernel32)
  velora_lean_program(velora_trace CAPTION "Velora 2001")

  # The driver that runs inside Wine: starts and drives the programs, and
  # runs the registry work against Wine's registry. One of each kind, each
  # for the prefix of its own kind.
  add_executable(bench_driver ${BENCH_DIR}/win/bench_driver.cpp ${BENCH_DIR}/win/driver_registry.cpp
                 ${BENCH_DIR}/win/driver_programs.cpp ${BENCH_DIR}/win/driver_trace.cpp
                 ${BENCH_DIR}/win/launched.cpp
                 ${BENCH_SHARED} ${CMAKE_SOURCE_DIR}/platform/win/win_platform.cpp
                 ${CMAKE_SOURCE_DIR}/platform/win/scoped_com.cpp
                 ${CMAKE_SOURCE_DIR}/platform/win/system_library.cpp
                 ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp)
  target_include_directories(bench_driver PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(bench_driver PRIVATE velora_core psapi advapi32 user32 shell32 gdi32
                        comctl32 kernel32)
  target_link_options(bench_driver PRIVATE ${VELORA_STATIC_LINK})
  add_dependencies(bench_driver floor fair_floor idle_floor velora_trace)
else()
  find_package(benchmark CONFIG QUIET)
  if(benchmark_FOUND)
    add_executable(registry_bench ${BENCH_DIR}/native/registry_bench.cpp ${BENCH_SHARED})
    target_include_directories(registry_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(registry_bench PRIVATE velora_mem benchmark::benchmark)
    # The MTU probe on scripted paths beside a bare loop of the same echoes.
    add_executable(probe_bench ${BENCH_DIR}/native/probe_bench.cpp)
    target_include_directories(probe_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(probe_bench PRIVATE velora_mem benchmark::benchmark)
  else()
    message(STATUS "Google Benchmark not found: the native registry benchmark is left out")
  endif()
endif()
