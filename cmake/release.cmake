# Release checks of the 32-bit program that ships: it must load on Windows 95
# and NT 4 (PE header, imports), carry its version and manifest, and its
# setup, which carries both programs, must build and load there too; the
# Wine suites run it (fixture "installer").
get_filename_component(W32_EXE "${VELORA_WIN32_DIR}/velora.exe" ABSOLUTE)
get_filename_component(W64_EXE "${VELORA_WIN64_DIR}/velora.exe" ABSOLUTE)
get_filename_component(W32_COMPANION "${VELORA_WIN32_DIR}/vldetect.exe" ABSOLUTE)
set(RELEASE_TOOLS ${CMAKE_SOURCE_DIR}/tools/release)
set(EXPORTS_LIST ${RELEASE_TOOLS}/win95_nt4_exports.txt)

if(Python3_FOUND)
  add_test(NAME release.pe_header
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/pe_audit.py header ${W32_EXE})
  add_test(NAME release.imports
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/pe_audit.py imports ${W32_EXE} ${EXPORTS_LIST})
  # The companion ships beside it and starts at every logon: the same loader rules.
  add_test(NAME release.companion_pe_header
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/pe_audit.py header ${W32_COMPANION})
  add_test(NAME release.companion_imports
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/pe_audit.py imports ${W32_COMPANION} ${EXPORTS_LIST})
  add_test(NAME release.resources
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/pe_audit.py resources ${W32_EXE}
      --product "Velora 2001" --company "Norwick Ltd" --version 5.1.0.0 --filename velora.exe)
  add_test(NAME release.audit_selftest
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/test_pe_audit.py ${W32_EXE})
  add_test(NAME release.instructions_selftest
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/test_insn_audit.py ${W32_EXE})
  add_test(NAME release.installer
    COMMAND ${RELEASE_TOOLS}/make-installer.sh ${W32_EXE} ${W64_EXE}
      ${CMAKE_BINARY_DIR}/release/velora-setup.exe)
  # The same script as a 64-bit program: what the 64-bit prefix runs where
  # the host cannot run 32-bit code at all.
  add_test(NAME release.installer_amd64
    COMMAND ${RELEASE_TOOLS}/make-installer.sh ${W32_EXE} ${W64_EXE}
      ${CMAKE_BINARY_DIR}/release/velora-setup-amd64.exe amd64-unicode)
  set_tests_properties(release.installer release.installer_amd64 PROPERTIES
    FIXTURES_SETUP installer TIMEOUT 600 RESOURCE_LOCK nsis)
endif()

# Every instruction of an i686 program must run on each processor its start-
# up check lets through (the 486SX and later): one audit per
# program of the i686 build, named after it (its map must lie beside it).
function(velora_instruction_audit test exe)
  if(Python3_FOUND)
    add_test(NAME ${test} COMMAND ${Python3_EXECUTABLE} ${RELEASE_TOOLS}/insn_audit.py ${exe})
  endif()
endfunction()
velora_instruction_audit(release.instructions ${W32_EXE})
velora_instruction_audit(release.instructions.vldetect ${W32_COMPANION})
