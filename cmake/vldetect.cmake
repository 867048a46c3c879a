# The keep-alive companion vldetect.exe: its window code in vldetect/win, its
# rules from the core (vldetect/*.cpp, the settings store, the ping settings),
# linked like velora.exe: statically, importing system DLLs only. Everything
# optional on Windows 95 and NT 4 it loads at run time.
file(GLOB VLDETECT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vldetect/win/*.cpp)
add_executable(vldetect WIN32 ${VLDETECT_SOURCES} ${CMAKE_SOURCE_DIR}/platform/win/win_platform.cpp
               ${CMAKE_SOURCE_DIR}/vldetect/res/vldetect.rc)
target_include_directories(vldetect PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vldetect PRIVATE velora_core shell32 advapi32 user32 kernel32)
target_link_options(vldetect PRIVATE ${VELORA_STATIC_LINK})
file(GLOB VLDETECT_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vldetect/res/*
     ${CMAKE_SOURCE_DIR}/res/resource.h ${CMAKE_SOURCE_DIR}/res/art/tray_frame*.ico
     ${CMAKE_SOURCE_DIR}/res/art/ping_window.ico)
set_source_files_properties(${CMAKE_SOURCE_DIR}/vldetect/res/vldetect.rc
  PROPERTIES OBJECT_DEPENDS "${VLDETECT_RC_PARTS}")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Windows 95 and NT 4 load only images that declare subsystem and OS 4.0.
  target_link_options(vldetect PRIVATE
    -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
endif()

if(VELORA_E2E)
  # The Wine suites run the real companion, and stand in for the system's
  # dial-up networking with a rasapi32.dll of their own (tests/e2e/stubs/dll).
  add_library(stub_rasapi32 SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/stubs/dll/rasapi32.cpp)
  set_target_properties(stub_rasapi32 PROPERTIES OUTPUT_NAME rasapi32 PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stubs)
  target_include_directories(stub_rasapi32 PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(stub_rasapi32 PRIVATE advapi32 kernel32)
  # The system's names, without the i686 stdcall decoration.
  target_link_options(stub_rasapi32 PRIVATE ${VELORA_STATIC_LINK} -Wl,--kill-at)
  add_dependencies(e2e_tests vldetect stub_rasapi32)
endif()
