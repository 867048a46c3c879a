# The HTML help: the pages of help/ go beside velora.exe in a help folder of
# each Windows build, as Setup installs them; the native build checks them.
file(GLOB HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)

if(WIN32)
  set(HELP_COPIES "")
  foreach(page ${HELP_PAGES})
    get_filename_component(name ${page} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/help/${name}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page} ${CMAKE_BINARY_DIR}/help/${name}
      DEPENDS ${page})
    list(APPEND HELP_COPIES ${CMAKE_BINARY_DIR}/help/${name})
  endforeach()
  add_custom_target(help_pages ALL DEPENDS ${HELP_COPIES})
else()
  # Every keyword of the program's table has its page; links resolve; the
  # HTML is well formed.
  add_executable(help_topics ${CMAKE_SOURCE_DIR}/tests/help/list_topics.cpp)
  target_link_libraries(help_topics PRIVATE velora_core)
  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_FOUND)
    add_test(NAME help.pages COMMAND ${Python3_EXECUTABLE}
      ${CMAKE_SOURCE_DIR}/tests/help/check_pages.py ${CMAKE_SOURCE_DIR}/help
      $<TARGET_FILE:help_topics>)
  endif()
endif()
