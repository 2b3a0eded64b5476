# The release zip of the Windows build: Quillmere.usr, README.md and the licences of
# what it contains. After building, `cpack --config <build dir>/CPackConfig.cmake` writes
# Quillmere-<version>-win32.zip, everything in a folder of the same name.
include_guard(GLOBAL)
if(NOT WIN32)
  return()
endif()

install(FILES $<TARGET_FILE:Quillmere> ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/licenses/ DESTINATION licenses)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillmere)
set(CPACK_PACKAGE_VENDOR Quillmere)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quillmere-${PROJECT_VERSION}-win32)
include(CPack)
