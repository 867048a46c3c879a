# Fuzz targets: tests/fuzz/<name>_fuzz.cpp each define LLVMFuzzerTestOneInput.
# In the normal native build each is replayed, sanitized, over its seed corpus
# tests/fuzz/corpus/<name>/ and kept crash inputs tests/fuzz/crashes/<name>/.
# With VELORA_FUZZ (clang) each also becomes a libFuzzer program fuzz_<name>.
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(src ${FUZZ_SOURCES})
  get_filename_component(base ${src} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${base})
  add_executable(replay_${name} ${src} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
  target_compile_options(replay_${name} PRIVATE ${SANITIZE})
  target_link_options(replay_${name} PRIVATE ${SANITIZE})
  target_link_libraries(replay_${name} PRIVATE velora_asan)
  add_test(NAME fuzz.${name} COMMAND replay_${name}
           ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/crashes/${name})
  if(VELORA_FUZZ)
    add_executable(fuzz_${name} ${src})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE velora_fuzzcore)
  endif()
endforeach()
