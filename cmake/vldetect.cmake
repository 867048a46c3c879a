# The keep-alive companion vldetect.exe: its window code in vldetect/win, its
# rules from the core (vldetect/*.cpp, the settings store, the ping settings),
# linked like velora.exe: statically, importing system DLLs only. Everything
# optional on Windows 95 and NT 4 it loads at run time.
file(GLOB VLDETECT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vldetect/win/*.cpp
     ${CMAKE_SOURCE_DIR}/net/win/win_network.cpp ${CMAKE_SOURCE_DIR}/net/win/icmp_library.cpp)
add_executable(vldetect WIN32 ${VLDETECT_SOURCES} ${CMAKE_SOURCE_DIR}/platform/win/win_platform.cpp
               ${CMAKE_SOURCE_DIR}/platform/win/system_library.cpp
               ${CMAKE_SOURCE_DIR}/platform/win/scoped_com.cpp
               ${CMAKE_SOURCE_DIR}/vldetect/res/vldetect.rc)
target_include_directories(vldetect PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vldetect PRIVATE velora_core shell32 advapi32 user32 kernel32)
velora_lean_program(vldetect CAPTION "Velora 2001")
file(GLOB VLDETECT_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vldetect/res/*
     ${CMAKE_SOURCE_DIR}/res/resource.h ${CMAKE_SOURCE_DIR}/res/art/tray_frame*.ico
     ${CMAKE_SOURCE_DIR}/res/art/ping_window.ico)
set_source_files_properties(${CMAKE_SOURCE_DIR}/vldetect/res/vldetect.rc
  PROPERTIES OBJECT_DEPENDS "${VLDETECT_RC_PARTS}")

