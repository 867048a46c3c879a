# Lean Windows programs: small, statically linked, and on i686 free of every
# instruction that a 486SX lacks, the x87's included (tools/release/
# insn_audit.py checks it; runtime/cpu_check.h turns away the processors
# before it). Debian's i686 mingw-w64 compilers default to
# -march=pentiumpro and its static runtime (the C runtime's start-up code,
# mingw's printf, libstdc++, exception support) is built that way, so such a
# program brings its own start-up code and the few C++ runtime pieces it needs
# (runtime/), compiled with its own flags, and leaves the rest out.
#
# Such a program is a GUI program with WinMain, built without exceptions and
# RTTI. Function-local statics and the atexit list go without locks
# (-fno-threadsafe-statics): the programs do start worker threads, and only
# their main thread may construct the one or call the other. The statics a
# worker shares are made before it starts; runtime/win/startup.cpp says how
# that holds. On i686 it does no floating-point arithmetic: that is x87 code,
# which a 486SX has no unit for.
#
#   velora_lean_code(<target>)
#       compile options for a library or program linked into a lean program
#   velora_lean_program(<target> CAPTION <text>)
#       the same, plus the program's own runtime and link rules; <text> is the
#       caption of its stop boxes (processor too old, out of memory). The
#       link writes <name>.map beside <name>.exe, which names the functions
#       of the stripped program for the instruction audit (release.cmake).
file(GLOB VELORA_RUNTIME_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/runtime/*.cpp ${CMAKE_SOURCE_DIR}/runtime/win/*.cpp)

set(VELORA_I686 OFF)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(VELORA_I686 ON)
endif()

function(velora_lean_code target)
  # Size over speed: nothing in these programs waits on the processor.
  target_compile_options(${target} PRIVATE -Os -ffunction-sections -fdata-sections
                         -fno-exceptions -fno-rtti -fno-threadsafe-statics)
  # The C runtime's own printf family (msvcrt.dll), not mingw's.
  target_compile_definitions(${target} PRIVATE __USE_MINGW_ANSI_STDIO=0)
  if(VELORA_I686)
    # x86-64 keeps its unwind tables: they are part of its calling convention.
    # For the 486: the Pentium's CMPXCHG8B and RDTSC are not on every
    # processor the check lets through, and code for the Pentium is no smaller.
    target_compile_options(${target} PRIVATE -march=i486 -fno-asynchronous-unwind-tables
                           -fno-unwind-tables)
  endif()
endfunction()

function(velora_lean_program target)
  cmake_parse_arguments(ARG "" "CAPTION" "" ${ARGN})
  if(NOT ARG_CAPTION)
    message(FATAL_ERROR "velora_lean_program(${target}) needs a CAPTION")
  endif()
  velora_lean_code(${target})
  target_sources(${target} PRIVATE ${VELORA_RUNTIME_SOURCES})
  if(VELORA_I686)
    # The code that judges the processor runs before anything else and must
    # itself run on a 386.
    set_source_files_properties(
        ${CMAKE_SOURCE_DIR}/runtime/cpu_check.cpp
        ${CMAKE_SOURCE_DIR}/runtime/win/cpu_probe.cpp
        ${CMAKE_SOURCE_DIR}/runtime/win/startup.cpp
        TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS "-march=i386")
  endif()
  target_compile_definitions(${target} PRIVATE VELORA_RUNTIME_CAPTION="${ARG_CAPTION}")
  # No start files: runtime/win/startup.cpp is the entry point. Data
  # imported from a DLL without dllimport would need the C runtime's pseudo-
  # relocator, so the link fails instead (no auto-import).
  target_link_options(${target} PRIVATE -nostartfiles -static -Wl,--gc-sections
    -Wl,--disable-auto-import
    -Wl,-Map=$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.map
    $<$<CONFIG:Release>:-s>)
  if(VELORA_I686)
    # Windows 95 and NT 4 load only images that declare subsystem and OS 4.0.
    target_link_options(${target} PRIVATE
      -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
  endif()
endfunction()
