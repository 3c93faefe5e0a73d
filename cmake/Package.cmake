# `cmake --install`: the game, the level tool and the data under a prefix
# (data in share/sandrift, where the game looks beside its program), a
# desktop entry, the icon and a man page. `make package` wraps them in a .deb.
include(GNUInstallDirs)

# Windows: a zip of the programs with their data beside them, where the game
# looks first, and the README and LICENSE.
if(WIN32)
  install(TARGETS sandrift sandrift-level RUNTIME DESTINATION .)
  install(DIRECTORY Assets Shaders Settings DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME sandrift-${PROJECT_VERSION}-windows-x64)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

install(TARGETS sandrift sandrift-level RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY Assets Shaders Settings DESTINATION ${CMAKE_INSTALL_DATADIR}/sandrift)
install(FILES tools/package/sandrift.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES tools/package/sandrift.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

# The man page is made from the game's own --help, so the two cannot disagree.
find_program(HELP2MAN help2man REQUIRED)
set(man_page ${CMAKE_CURRENT_BINARY_DIR}/sandrift.6)
add_custom_command(OUTPUT ${man_page}.gz
  COMMAND ${HELP2MAN} --no-info --section=6 --name "falling-sand action platformer" --version-string ${PROJECT_VERSION}
          --include ${PROJECT_SOURCE_DIR}/tools/package/sandrift.h2m --output ${man_page} $<TARGET_FILE:sandrift>
  COMMAND gzip -9nf ${man_page}
  DEPENDS sandrift ${PROJECT_SOURCE_DIR}/tools/package/sandrift.h2m
  VERBATIM)
add_custom_target(sandrift_man_page ALL DEPENDS ${man_page}.gz)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sandrift)
set(CPACK_PACKAGE_VENDOR "Sandrift developers")
set(CPACK_PACKAGE_CONTACT "Sandrift developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-sand action platformer")
set(CPACK_PACKAGE_DESCRIPTION "A single-player 2D pixel-art action platformer whose world is a falling-sand
simulation of sand, stone, ice, obsidian, water, lava and steam. Run, jump and
fire a rocket launcher that carves the terrain; collect every treasure box.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Depends: the Debian packages of the libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
