# The release a Windows user downloads: tessaly-<version>-win64.zip with the
# stripped tessaly.exe, the user guide, the licence with the notices of what
# the executable carries of other projects, and a version note. The "release"
# preset builds it (README, "A release").
set(TESSALY_PACKAGE_NOTES ${CMAKE_BINARY_DIR}/package-notes)
set(TESSALY_GUIDE ${TESSALY_PACKAGE_NOTES}/README.txt)
set(TESSALY_VERSION_NOTE ${TESSALY_PACKAGE_NOTES}/VERSION.txt)
set(TESSALY_LICENCE ${TESSALY_PACKAGE_NOTES}/LICENSE.txt)

# The copyright files of the Debian packages the executable's static parts
# come from: zlib, the MinGW-w64 runtime with winpthreads, the GCC runtime
# libraries, and libpng (built from the source of the package whose binary
# library installs this file).
set(TESSALY_THIRD_PARTY_NOTICES
  "zlib=/usr/share/doc/libz-mingw-w64-dev/copyright"
  "MinGW-w64 runtime and winpthreads=/usr/share/doc/mingw-w64-x86-64-dev/copyright"
  "GCC runtime libraries=/usr/share/doc/gcc-mingw-w64-base/copyright"
  "libpng=/usr/share/doc/libpng16-16/copyright")

add_custom_command(
  OUTPUT ${TESSALY_GUIDE} ${TESSALY_VERSION_NOTE} ${TESSALY_LICENCE}
  COMMAND ${CMAKE_COMMAND}
          -DREADME=${PROJECT_SOURCE_DIR}/README.md
          -DLICENCE=${PROJECT_SOURCE_DIR}/LICENSE
          "-DNOTICES=${TESSALY_THIRD_PARTY_NOTICES}"
          -DVERSION=${PROJECT_VERSION}
          -DOUTPUT=${TESSALY_PACKAGE_NOTES}
          -P ${PROJECT_SOURCE_DIR}/cmake/PackageNotes.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/cmake/PackageNotes.cmake
  COMMENT "Writing the user guide, licence and version note of the package"
  VERBATIM)
add_custom_target(package_notes ALL DEPENDS ${TESSALY_GUIDE} ${TESSALY_VERSION_NOTE} ${TESSALY_LICENCE})

install(TARGETS tessaly RUNTIME DESTINATION .)
install(FILES ${TESSALY_GUIDE} ${TESSALY_VERSION_NOTE} ${TESSALY_LICENCE} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME tessaly-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES ON)
include(CPack)
