# `cmake --install <build> --prefix <prefix>` lays out:
#   <prefix>/lib/guluspell/            the program folder: the executable with
#       data/ (settings file, word library and its licence), sound/, help/
#   <prefix>/bin/guluspell             a link to the executable; the program
#                                      finds its folder through the link
#   <prefix>/share/applications/, share/metainfo/, share/icons/hicolor/
# An installed program folder is read-only to players: the program then keeps
# the files it writes in the user's data folder (UUserDataFolder).
set(GULUSPELL_INSTALL_PROGRAM_DIR lib/guluspell CACHE STRING
    "Program folder under the install prefix (executable with data/, sound/, help/)")
set(_program ${GULUSPELL_INSTALL_PROGRAM_DIR})

install(TARGETS guluspell RUNTIME DESTINATION ${_program})
install(FILES ${PROJECT_SOURCE_DIR}/resources/spellconfig.ini DESTINATION ${_program}/data)
# The word library is built from a downloaded list; a build without it installs the rest.
install(FILES ${GULUSPELL_PROGRAM_DIR}/data/guluspell.mdb ${GULUSPELL_PROGRAM_DIR}/data/ECDICT-LICENSE.txt
        DESTINATION ${_program}/data OPTIONAL)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/sound/ DESTINATION ${_program}/sound
        FILES_MATCHING PATTERN "*.mp3")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${_program}/help)

# A relative link, so a staged install (DESTDIR) or a moved prefix still works.
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  file(CREATE_LINK \"../${_program}/guluspell\" \"\${_bin}/guluspell\" SYMBOLIC)
")

install(FILES ${PROJECT_SOURCE_DIR}/dist/org.example.guluspell.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/org.example.guluspell.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/guluspell.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/guluspell.svg DESTINATION share/icons/hicolor/scalable/apps)

# The sound module: SDL, espeak-ng and flite, loaded from beside the executable at start.
install(TARGETS guluspell_audio_module LIBRARY DESTINATION ${_program})

# The ad pages' browser, loaded from beside the executable with the first page.
if(TARGET guluspell_webengine)
  install(TARGETS guluspell_webengine LIBRARY DESTINATION ${_program} COMPONENT webengine)
endif()

# The Debian package, made by CPack from the install rules above (one build,
# one layout for `cmake --install` and the package; a debian/ folder would
# build the tree a second time under dpkg-buildpackage):
#   cpack --config <build>/CPackConfig.cmake   ->   <build>/guluspell_<version>_amd64.deb
# `tools/setup.sh package` runs it.
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright DESTINATION share/doc/guluspell)
# Debian wants the changelog compressed without a time stamp (gzip -n); a
# package without a Debian revision is native, whose changelog is changelog.gz.
set(_changelog ${CMAKE_BINARY_DIR}/changelog.gz)
execute_process(COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/dist/changelog
                OUTPUT_FILE ${_changelog} RESULT_VARIABLE _gzip)
if(_gzip EQUAL 0)
  install(FILES ${_changelog} DESTINATION share/doc/guluspell)
endif()
set(_manual ${CMAKE_BINARY_DIR}/guluspell.6.gz)
execute_process(COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/dist/guluspell.6 OUTPUT_FILE ${_manual} RESULT_VARIABLE _gzip)
if(_gzip EQUAL 0)
  install(FILES ${_manual} DESTINATION share/man/man6)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME guluspell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/cpack)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "GuluSpell developers <guluspell@example.org>")
# "games" would want the program in /usr/games; it is a learning game.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://guluspell.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English spelling game for Chinese-speaking learners")
file(READ ${PROJECT_SOURCE_DIR}/dist/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The libraries the program and its modules link come from dpkg-shlibdeps;
# what is opened at run time it cannot see: flite's voices, espeak-ng's data,
# Qt's platform plugins and Chinese translation, and the fonts the skins name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libflite1, espeak-ng-data, qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-zenhei, fonts-liberation2")
# Only the default component: the WebEngine pane (component "webengine")
# would make Qt WebEngine, some 200 MB, a dependency for an optional ad view;
# without it ad pages show in the light pane.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};GuluSpell;Unspecified;/")
include(CPack)
