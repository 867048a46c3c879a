# The Windows programs: velora.exe and, on x86-64, the Wine test bench.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/res")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_IE=0x0400)
set(VELORA_STATIC_LINK -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${WIN_GLOBS})
add_executable(velora WIN32 ${WIN_SOURCES} ${CMAKE_SOURCE_DIR}/res/velora.rc)
target_include_directories(velora PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(velora PRIVATE velora_core comctl32 shell32 advapi32 gdi32 user32 kernel32)
target_link_options(velora PRIVATE ${VELORA_STATIC_LINK})
file(GLOB RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h ${CMAKE_SOURCE_DIR}/res/*.manifest
     ${CMAKE_SOURCE_DIR}/res/art/*)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/velora.rc PROPERTIES OBJECT_DEPENDS "${RC_PARTS}")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Windows 95 and NT 4 load only images that declare subsystem and OS 4.0.
  target_link_options(velora PRIVATE
    -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
endif()

if(VELORA_E2E)
  # GoogleTest from Debian's sources, built with this toolchain.
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -Wno-error)
  target_compile_options(gtest_main PRIVATE -Wno-error)

  file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  add_executable(e2e_tests ${E2E_SOURCES})
  target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(e2e_tests PRIVATE gtest advapi32 user32 shell32 gdi32 comctl32)
  target_link_options(e2e_tests PRIVATE ${VELORA_STATIC_LINK})

  # Stand-in programs the tests put in place of vldetect.exe, rundll32.exe and
  # the companion's window: each is one .cpp file in tests/e2e/stubs/.
  file(GLOB STUB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/stubs/*.cpp)
  foreach(stub ${STUB_SOURCES})
    get_filename_component(name ${stub} NAME_WE)
    add_executable(stub_${name} WIN32 ${stub})
    set_target_properties(stub_${name} PROPERTIES OUTPUT_NAME ${name}
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stubs)
    target_link_libraries(stub_${name} PRIVATE user32 kernel32)
    target_link_options(stub_${name} PRIVATE ${VELORA_STATIC_LINK})
    add_dependencies(e2e_tests stub_${name})
  endforeach()
endif()

include(${CMAKE_SOURCE_DIR}/cmake/vldetect.cmake)

if(VELORA_BENCH)
  include(${CMAKE_SOURCE_DIR}/cmake/bench.cmake)
endif()
