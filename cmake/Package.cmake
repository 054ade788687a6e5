# The Debian package: `cmake --build <dir> --target package` writes
# tessarin_<version>_<arch>.deb into the build folder. It holds what
# `cmake --install` installs (the two programs, the desktop entry, the icons
# and the ".edd" MIME type, from app/ and cli/) and what is installed here:
# the man pages, the AppStream metainfo, the sample EDID and the copyright.
# The version is the project's; the dependencies come from dpkg-shlibdeps.
if(WIN32)
  return() # a Debian package is Linux's; the Windows build ships tessarin-report.exe alone
endif()
include(GNUInstallDirs)
# Debian's place, whatever the project's name: CMAKE_INSTALL_DOCDIR would say "Tessarin".
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/tessarin)

set(TESSARIN_PACKAGE_MAINTAINER "The Tessarin project <tessarin@packages.invalid>" CACHE STRING
    "The Maintainer of the Debian package: \"Name <address>\" (the default's .invalid says nobody reads it)")

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(packaged ${PROJECT_BINARY_DIR}/packaging)

# Debian keeps man pages and changelogs compressed, reproducibly (-n: no
# name or time in the header).
find_program(TESSARIN_GZIP gzip)
function(tessarin_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${TESSARIN_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# The release date of the metainfo and the changelog: SOURCE_DATE_EPOCH when
# set, for a reproducible package; else today.
string(TIMESTAMP TESSARIN_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP TESSARIN_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${packaging}/tessarin.metainfo.xml ${packaged}/org.tessarin.tessarin.metainfo.xml @ONLY)
configure_file(${packaging}/changelog.in ${packaged}/changelog @ONLY)

if(TESSARIN_GZIP)
  set(compressed)
  foreach(page tessarin.1 tessarin-report.1)
    tessarin_gzip(${packaging}/${page} ${packaged}/${page}.gz)
    list(APPEND compressed ${packaged}/${page}.gz)
  endforeach()
  tessarin_gzip(${packaged}/changelog ${packaged}/changelog.gz)
  list(APPEND compressed ${packaged}/changelog.gz)
  add_custom_target(tessarin_packaging_files ALL DEPENDS ${compressed})
  install(FILES ${packaged}/tessarin.1.gz ${packaged}/tessarin-report.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${packaged}/changelog.gz DESTINATION ${docdir})
else()
  install(FILES ${packaging}/tessarin.1 ${packaging}/tessarin-report.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${packaged}/org.tessarin.tessarin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/sample.bin DESTINATION ${CMAKE_INSTALL_DATADIR}/tessarin)
install(FILES ${packaging}/copyright DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "display EDID decoder with a report window")
# Lines of Debian's width; CPack indents them and marks the empty one (and
# would mangle a double quote).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Tessarin reads the identification data a display hands to the computer,"
  "its EDID (a 128-byte base block, often followed by a CEA-861 extension"
  "block), decodes every field into readable text and shows the result as a"
  "report beside a tree of its sections; the report is saved as RTF, printed"
  "and copied."
  ""
  "The EDID comes from the monitors of the computer (the kernel's DRM"
  "connectors), a raw binary file or Tessarin's own .edd text file."
  "tessarin-report writes the same report on the command line, as RTF, plain"
  "text or an .edd file.")
set(CPACK_PACKAGE_CONTACT "${TESSARIN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSARIN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report's Arial and Courier New are shown in their metric twins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(TESSARIN_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TESSARIN_HOMEPAGE}")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
