# The HTML help: tools/help/make_help.py makes the pages from their sources in
# help/ into a help folder of each build; in the Windows builds it lies beside
# velora.exe, as Setup installs it. The native build checks the pages.
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(HELP_MAKER ${CMAKE_SOURCE_DIR}/tools/help/make_help.py)
set(HELP_PAGES "")
foreach(source ${HELP_SOURCES})
  get_filename_component(name ${source} NAME)
  list(APPEND HELP_PAGES ${CMAKE_BINARY_DIR}/help/${name})
endforeach()
add_custom_command(OUTPUT ${HELP_PAGES}
  COMMAND python3 ${HELP_MAKER} ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help
  DEPENDS ${HELP_SOURCES} ${HELP_MAKER}
  COMMENT "Making the HTML help")
add_custom_target(help_pages ALL DEPENDS ${HELP_PAGES})

if(NOT WIN32)
  # Every keyword of the program's table has its page; links resolve; the
  # HTML is well formed.
  add_executable(help_topics ${CMAKE_SOURCE_DIR}/tests/help/list_topics.cpp)
  target_link_libraries(help_topics PRIVATE velora_core)
  add_dependencies(help_topics help_pages)
  add_test(NAME help.pages COMMAND python3
    ${CMAKE_SOURCE_DIR}/tests/help/check_pages.py ${CMAKE_BINARY_DIR}/help
    $<TARGET_FILE:help_topics>)
endif()
