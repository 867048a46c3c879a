# The Windows programs: velora.exe and, on x86-64, the Wine test bench.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/res")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_IE=0x0400)
set(VELORA_STATIC_LINK -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
include(${CMAKE_SOURCE_DIR}/cmake/lean_program.cmake)

velora_lean_code(velora_core)
file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${WIN_GLOBS})
add_executable(velora WIN32 ${WIN_SOURCES} ${CMAKE_SOURCE_DIR}/res/velora.rc)
target_include_directories(velora PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(velora PRIVATE velora_core comctl32 advapi32 gdi32 user32 kernel32)
velora_lean_program(velora CAPTION "Velora 2001")
file(GLOB RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h ${CMAKE_SOURCE_DIR}/res/*.manifest
     ${CMAKE_SOURCE_DIR}/res/art/*)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/velora.rc PROPERTIES OBJECT_DEPENDS "${RC_PARTS}")

if(VELORA_E2E)
  set(VELORA_SOURCE_DIR ${CMAKE_SOURCE_DIR})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_BINARY_DIR}/e2e)
  else()
    include(ExternalProject)
    ExternalProject_Add(e2e_driver
      SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/e2e
      BINARY_DIR ${CMAKE_BINARY_DIR}/e2e
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686-posix.cmake
                 -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
                 -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${CMAKE_BINARY_DIR}
      BUILD_ALWAYS ON
      INSTALL_COMMAND "")
  endif()
endif()

include(${CMAKE_SOURCE_DIR}/cmake/vldetect.cmake)

if(VELORA_BENCH)
  include(${CMAKE_SOURCE_DIR}/cmake/bench.cmake)
endif()
