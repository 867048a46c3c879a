# Fuzz targets: tests/fuzz/<name>_fuzz.cpp each define LLVMFuzzerTestOneInput.
# In the normal native build each is replayed, sanitized, over its seed corpus
# tests/fuzz/corpus/<name>/ and kept crash inputs tests/fuzz/crashes/<name>/.
# With VELORA_FUZZ (clang) each also becomes a libFuzzer program fuzz_<name>,
# and with VELORA_FUZZ_COVERAGE a replay cover_<name> that records which lines
# of the program a corpus reaches (source-based coverage of the core only).
#
# The targets' own stand-ins for the system (the other .cpp files of
# tests/fuzz) go into the fuzzers without coverage or sanitizers: their
# branches are no paths of the program and would only steer the fuzzer, and
# their memory copies into the program's buffers are checked by the
# sanitizer's interceptors all the same. The replays build them sanitized.
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
file(GLOB FUZZ_KIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
list(FILTER FUZZ_KIT_SOURCES EXCLUDE REGEX "(_fuzz|replay_main)\\.cpp$")

add_library(fuzz_kit_replay STATIC ${FUZZ_KIT_SOURCES})
target_compile_options(fuzz_kit_replay PRIVATE ${SANITIZE})
target_link_libraries(fuzz_kit_replay PUBLIC velora_asan)
if(VELORA_FUZZ)
  add_library(fuzz_kit STATIC ${FUZZ_KIT_SOURCES})
  target_link_libraries(fuzz_kit PUBLIC velora_fuzzcore)
endif()
if(VELORA_FUZZ_COVERAGE)
  set(FUZZ_COVER -fprofile-instr-generate -fcoverage-mapping)
  add_library(velora_covercore STATIC ${CORE_SOURCES} ${MEM_SOURCES})
  target_include_directories(velora_covercore PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(velora_covercore PRIVATE ${FUZZ_COVER})
  add_library(fuzz_kit_cover STATIC ${FUZZ_KIT_SOURCES})
  target_link_libraries(fuzz_kit_cover PUBLIC velora_covercore)
endif()

foreach(src ${FUZZ_SOURCES})
  get_filename_component(base ${src} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${base})
  add_executable(replay_${name} ${src} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
  target_compile_options(replay_${name} PRIVATE ${SANITIZE})
  target_link_options(replay_${name} PRIVATE ${SANITIZE})
  target_link_libraries(replay_${name} PRIVATE fuzz_kit_replay)
  add_test(NAME fuzz.${name} COMMAND replay_${name}
           ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/crashes/${name})
  if(VELORA_FUZZ)
    add_executable(fuzz_${name} ${src})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE fuzz_kit)
  endif()
  if(VELORA_FUZZ_COVERAGE)
    add_executable(cover_${name} ${src} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    target_link_options(cover_${name} PRIVATE ${FUZZ_COVER})
    target_link_libraries(cover_${name} PRIVATE fuzz_kit_cover)
  endif()
endforeach()
