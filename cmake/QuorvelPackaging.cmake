# Two Debian packages from the install components: "quorvel-reader" (the reader, the stub of
# NAME.EXE, the compiled-list file type) for pupils' machines, and "quorvel" (the authoring
# program, its manual and tutorial, the Study List file type), which needs the reader.
#   cmake --build build && (cd build && cpack -G DEB)
set(QUORVEL_MAINTAINER "Quorvel team <team@quorvel.org>")

# Compressed as Debian wants its documentation: at most compression, without a time stamp.
find_program(GZIP gzip REQUIRED)
function(quorvel_gzip input output)
  execute_process(COMMAND ${GZIP} -9nc ${input} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# Each package documents its origin in /usr/share/doc/<package> and its command in a manual page.
foreach(entry "quorvel authoring quorvel" "quorvel-reader reader meridox")
  separate_arguments(entry)
  list(GET entry 0 package)
  list(GET entry 1 component)
  list(GET entry 2 command)
  set(docdir ${CMAKE_BINARY_DIR}/packagedoc/${package})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${docdir}/copyright COPYONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog ${docdir}/changelog @ONLY)
  quorvel_gzip(${docdir}/changelog ${docdir}/changelog.gz)
  quorvel_gzip(${PROJECT_SOURCE_DIR}/resources/man/${command}.1 ${docdir}/${command}.1.gz)
  install(FILES ${docdir}/copyright ${docdir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  install(FILES ${docdir}/${command}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endforeach()
# The sources above are read at configure time; a change to them configures again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/resources/man/quorvel.1 ${PROJECT_SOURCE_DIR}/resources/man/meridox.1)

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUORVEL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL reader authoring)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUORVEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvel.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

set(CPACK_DEBIAN_READER_PACKAGE_NAME quorvel-reader)
set(CPACK_DEBIAN_READER_PACKAGE_SECTION education)
# Sound and video go through GStreamer; MIDI needs a soundfont; lists name faces that Liberation
# stands in for; libwmf draws no Windows metafile without the URW faces.
set(CPACK_DEBIAN_READER_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, timgm6mb-soundfont, fonts-liberation, fonts-urw-base35")
# What a desktop uses to open the file types by double click and to show the icons; the platform
# themes let Qt take the desktop's colours, fonts and file choosers (GNOME, Xfce, MATE, Cinnamon and
# the portals of sandboxed or Wayland sessions), and the Wayland plugin runs it natively there.
set(CPACK_DEBIAN_READER_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-bad, gstreamer1.0-libav, libqt6svg6, shared-mime-info, \
desktop-file-utils, hicolor-icon-theme, xdg-utils, qt6-gtk-platformtheme, qt6-xdgdesktopportal-platformtheme, qt6-wayland")
set(CPACK_COMPONENT_READER_DESCRIPTION "reader of compiled Quorvel Study Lists
Meridox presents a compiled Study List (NAME.SWC): its pages, pictures,
sounds and videos, in the order and design its author gave it. The package
also holds the program from which the authoring program builds stand-alone
executable Study Lists (NAME.EXE).")

set(CPACK_DEBIAN_AUTHORING_PACKAGE_NAME quorvel)
set(CPACK_DEBIAN_AUTHORING_PACKAGE_SECTION education)
set(CPACK_DEBIAN_AUTHORING_PACKAGE_DEPENDS "quorvel-reader (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_AUTHORING_DESCRIPTION "authoring tool for Study Lists
Quorvel lets teachers and course writers build Study Lists: named, ordered
sets of Topics (rich-text pages, pictures, sounds, videos, programs, web
pages and notes files). It designs how a list presents itself, previews it,
compiles it and builds a stand-alone reader program to hand out.")
include(CPack)
