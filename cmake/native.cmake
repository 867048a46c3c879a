# Native build: the unit tests of the core against the in-memory platform, and
# ctest entries that run the Wine end-to-end suites of the x86-64 build.
enable_testing()
find_package(GTest REQUIRED)

file(GLOB MEM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/mem/*.cpp
     ${CMAKE_SOURCE_DIR}/net/mem/*.cpp)
add_library(velora_mem STATIC ${MEM_SOURCES})
target_link_libraries(velora_mem PUBLIC velora_core)

# The portable part of the Windows programs' own runtime is tested with them.
file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp
     ${CMAKE_SOURCE_DIR}/runtime/*.cpp)
add_executable(unit_tests ${UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE velora_mem GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE VELORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)

# The same unit tests once more under AddressSanitizer and UndefinedBehavior-
# Sanitizer, as one ctest entry: any read past a buffer or overflow fails it.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(velora_asan STATIC ${CORE_SOURCES} ${MEM_SOURCES})
target_include_directories(velora_asan PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(velora_asan PRIVATE ${SANITIZE})
add_executable(unit_tests_asan ${UNIT_SOURCES})
target_compile_options(unit_tests_asan PRIVATE ${SANITIZE})
target_compile_definitions(unit_tests_asan PRIVATE VELORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(unit_tests_asan PRIVATE velora_asan GTest::gtest GTest::gtest_main)
target_link_options(unit_tests_asan PRIVATE ${SANITIZE})
add_test(NAME sanitized.unit_tests COMMAND unit_tests_asan --gtest_brief=1)
set_tests_properties(sanitized.unit_tests PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1")

# Wine end-to-end suites, run against both programs: every GoogleTest suite
# found in tests/e2e/*.cpp is one ctest entry per program, e2e.win32.<Suite>
# (the i686 build and its test driver in a 32-bit prefix) and
# e2e.win64.<Suite> (the x86-64 build in a 64-bit prefix). Each prefix has its
# own X display and fixture, so the two run side by side.
set(E2E_SCRIPT ${CMAKE_SOURCE_DIR}/tools/wine-e2e.sh)
set(E2E_SUITES "")
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
foreach(src ${E2E_SOURCES})
  file(STRINGS ${src} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+,")
  foreach(line ${lines})
    string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
    list(APPEND E2E_SUITES ${suite})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES E2E_SUITES)

# A Wine suite that cannot run on this host (no 32-bit code) exits with 77.
set(E2E_SKIPPED 77)
foreach(arch win32 win64)
  if(arch STREQUAL "win32")
    set(dir ${VELORA_WIN32_DIR})
  else()
    set(dir ${VELORA_WIN64_DIR})
  endif()
  if(NOT dir)
    continue()
  endif()
  set(state ${CMAKE_BINARY_DIR}/wine-e2e-${arch})
  set(args ${state} ${arch} ${dir} ${VELORA_WIN32_DIR} ${CMAKE_BINARY_DIR}/release)
  add_test(NAME e2e.${arch}.setup COMMAND ${E2E_SCRIPT} setup ${args})
  add_test(NAME e2e.${arch}.cleanup COMMAND ${E2E_SCRIPT} cleanup ${args})
  set_tests_properties(e2e.${arch}.setup PROPERTIES FIXTURES_SETUP wine-${arch} TIMEOUT 240
    RESOURCE_LOCK wine-${arch} SKIP_RETURN_CODE ${E2E_SKIPPED})
  set_tests_properties(e2e.${arch}.cleanup PROPERTIES FIXTURES_CLEANUP wine-${arch} TIMEOUT 60
    RESOURCE_LOCK wine-${arch})
  foreach(suite ${E2E_SUITES})
    add_test(NAME e2e.${arch}.${suite} COMMAND ${E2E_SCRIPT} run ${args} "${suite}.*")
    set(fixtures wine-${arch})
    if(suite MATCHES "^Installer")
      list(APPEND fixtures installer)
    endif()
    set_tests_properties(e2e.${arch}.${suite} PROPERTIES FIXTURES_REQUIRED "${fixtures}"
      RESOURCE_LOCK wine-${arch} TIMEOUT 600 SKIP_RETURN_CODE ${E2E_SKIPPED})
  endforeach()
endforeach()

# The X displays the Wine runs start: starts at one moment never share one.
add_test(NAME tools.xvfb_displays COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/displays_test.sh)
set_tests_properties(tools.xvfb_displays PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77)

# The pictures in res/art are made by tools/art; they must come out the same.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_test(NAME art.reproducible COMMAND ${CMAKE_COMMAND}
    -DPYTHON=${Python3_EXECUTABLE} -DSRC=${CMAKE_SOURCE_DIR} -DOUT=${CMAKE_BINARY_DIR}/art-check
    -P ${CMAKE_SOURCE_DIR}/cmake/check_art.cmake)
  # The program's folders stand on each other: no include runs back up, and
  # nothing but app/ itself includes app/.
  add_test(NAME layout.floors COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/floors.py
    ${CMAKE_SOURCE_DIR})
endif()

if(VELORA_FUZZ)
  add_library(velora_fuzzcore STATIC ${CORE_SOURCES} ${MEM_SOURCES})
  target_include_directories(velora_fuzzcore PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(velora_fuzzcore PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
endif()
include(${CMAKE_SOURCE_DIR}/cmake/fuzz.cmake)

if(VELORA_BENCH)
  include(${CMAKE_SOURCE_DIR}/cmake/bench.cmake)
endif()
include(${CMAKE_SOURCE_DIR}/cmake/release.cmake)
