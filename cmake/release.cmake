# Release checks of the 32-bit program that ships: it must load on Windows 95
# and NT 4 (PE header, imports), carry its version and manifest, and its
# setup must build and load there too. The 64-bit setup is for the Wine
# bench, whose prefix runs 64-bit programs only.
set(VELORA_WIN32_DIR "${CMAKE_BINARY_DIR}/../win32" CACHE PATH "the i686 build folder")
get_filename_component(W32_EXE "${VELORA_WIN32_DIR}/velora.exe" ABSOLUTE)
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
  add_test(NAME release.installer
    COMMAND ${RELEASE_TOOLS}/make-installer.sh ${W32_EXE} ${CMAKE_BINARY_DIR}/release/velora-setup.exe)
  set_tests_properties(release.installer PROPERTIES TIMEOUT 600 RESOURCE_LOCK nsis)
endif()

if(VELORA_WIN64_DIR)
  add_test(NAME release.bench_installer
    COMMAND ${RELEASE_TOOLS}/make-installer.sh ${VELORA_WIN64_DIR}/velora.exe
      ${VELORA_WIN64_DIR}/velora-setup-x64.exe amd64-unicode)
  set_tests_properties(release.bench_installer PROPERTIES
    FIXTURES_SETUP installer TIMEOUT 600 RESOURCE_LOCK nsis)
  foreach(suite ${E2E_SUITES})
    if(suite MATCHES "^Installer")
      set_tests_properties(e2e.${suite} PROPERTIES FIXTURES_REQUIRED "wine;installer")
    endif()
  endforeach()
endif()
