# Benchmarks (make bench): only in build trees configured with VELORA_BENCH,
# so that the normal build and its tests do not wait for them.
set(BENCH_DIR ${CMAKE_SOURCE_DIR}/bench)
set(BENCH_SHARED ${BENCH_DIR}/scale_cases.cpp ${BENCH_DIR}/call_script.cpp)

if(WIN32)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    # The floor of start-up and memory: a bare window with a menu and a status
    # bar, built like velora.exe.
    add_executable(floor WIN32 ${BENCH_DIR}/win/floor.cpp)
    target_link_libraries(floor PRIVATE comctl32 user32 kernel32)
    target_link_options(floor PRIVATE ${VELORA_STATIC_LINK})

    # The driver that runs inside Wine: starts and drives the programs, and
    # runs the registry work against Wine's registry.
    add_executable(bench_driver ${BENCH_DIR}/win/bench_driver.cpp ${BENCH_DIR}/win/driver_registry.cpp
                   ${BENCH_DIR}/win/driver_programs.cpp
                   ${BENCH_SHARED} ${CMAKE_SOURCE_DIR}/platform/win/win_platform.cpp
                   ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp)
    target_include_directories(bench_driver PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(bench_driver PRIVATE velora_core psapi advapi32 user32 shell32 gdi32
                          comctl32 kernel32)
    target_link_options(bench_driver PRIVATE ${VELORA_STATIC_LINK})
    # The floor of the companion at idle: a bare hidden window.
    add_executable(idle_floor WIN32 ${BENCH_DIR}/win/idle_floor.cpp)
    target_link_libraries(idle_floor PRIVATE user32 kernel32)
    target_link_options(idle_floor PRIVATE ${VELORA_STATIC_LINK})
    add_dependencies(bench_driver floor idle_floor)
  endif()
else()
  find_package(benchmark CONFIG QUIET)
  if(benchmark_FOUND)
    add_executable(registry_bench ${BENCH_DIR}/native/registry_bench.cpp ${BENCH_SHARED})
    target_include_directories(registry_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(registry_bench PRIVATE velora_mem benchmark::benchmark)
  else()
    message(STATUS "Google Benchmark not found: the native registry benchmark is left out")
  endif()
endif()
