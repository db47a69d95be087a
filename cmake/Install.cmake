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

# The ad pages' browser, loaded from beside the executable with the first page.
if(TARGET guluspell_webengine)
  install(TARGETS guluspell_webengine LIBRARY DESTINATION ${_program})
endif()

# `cpack --config <build>/CPackConfig.cmake` makes a Debian package of the
# same layout. Its dependencies are named by hand: the libraries the program
# links, espeak-ng's data, and flite, whose voices the program loads at run
# time (without them it speaks through espeak-ng, but a packaged game should
# have its natural voices).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME guluspell)
set(CPACK_PACKAGE_CONTACT "GuluSpell <guluspell@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "咕噜猫字母乐园: English spelling game for Chinese-speaking learners")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6network6, qt6-qpa-plugins, qt6-translations-l10n, libsqlcipher0, libsdl2-mixer-2.0-0, libespeak-ng1, espeak-ng-data, libflite1, fonts-wqy-zenhei, fonts-liberation2")
include(CPack)
