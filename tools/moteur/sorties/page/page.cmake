# The replay page (`moteur page`): its HTML, style and script, kept as plain
# files beside this one, become C++ strings at build time; so do the board's
# style and script, which every page of the engine shares.
set(PAGE_FICHIERS
  ${CMAKE_CURRENT_LIST_DIR}/page.html ${CMAKE_CURRENT_LIST_DIR}/page.css ${CMAKE_CURRENT_LIST_DIR}/page.js
  ${CMAKE_CURRENT_LIST_DIR}/plateau.css ${CMAKE_CURRENT_LIST_DIR}/plateau.js)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/page_ressources.cpp
  COMMAND ${CMAKE_COMMAND} -DSORTIE=${CMAKE_CURRENT_BINARY_DIR}/page_ressources.cpp
          "-DENTREES=${PAGE_FICHIERS}" -P ${CMAKE_CURRENT_LIST_DIR}/embarquer.cmake
  DEPENDS ${PAGE_FICHIERS} ${CMAKE_CURRENT_LIST_DIR}/embarquer.cmake
  COMMENT "Page de relecture : HTML, style et script en chaînes C++"
  VERBATIM)
target_sources(moteur_sorties PRIVATE
  ${CMAKE_CURRENT_BINARY_DIR}/page_ressources.cpp)
