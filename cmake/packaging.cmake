# `cpack` (after a build, in the build folder) packs the installed files: the
# two programs and the packed show.
set(CPACK_PACKAGE_NAME velmira)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
if(WIN32)
  # The Windows zip: one folder, velmira-windows, holding the programs, the
  # show and a README with Windows line ends.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME velmira-windows)
  configure_file(${PROJECT_SOURCE_DIR}/docs/windows-readme.txt ${PROJECT_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
else()
  # A Debian package. The libraries it needs are found by dpkg-shlibdeps from
  # the programs themselves; ffmpeg is only needed to make videos, so it is
  # recommended, not required.
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_CONTACT "velmira developers <velmira@localhost>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time demo engine and its 140-second show")
  set(CPACK_PACKAGE_DESCRIPTION "Plays a 140-second audiovisual show drawn with OpenGL in time \
with its soundtrack, and velmira-tool, which checks, renders and packs shows and makes videos \
of them.")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ffmpeg")
endif()
include(CPack)
