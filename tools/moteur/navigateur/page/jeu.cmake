# The page where a person plays (`moteur navigateur`): its HTML, style and
# script become C++ strings at build time, as the replay page's do.
set(JEU_FICHIERS
  ${CMAKE_CURRENT_LIST_DIR}/jeu.html ${CMAKE_CURRENT_LIST_DIR}/jeu.css ${CMAKE_CURRENT_LIST_DIR}/jeu.js)
set(JEU_EMBARQUER ${CMAKE_CURRENT_SOURCE_DIR}/sorties/page/embarquer.cmake)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/jeu_ressources.cpp
  COMMAND ${CMAKE_COMMAND} -DSORTIE=${CMAKE_CURRENT_BINARY_DIR}/jeu_ressources.cpp
          "-DENTREES=${JEU_FICHIERS}" -P ${JEU_EMBARQUER}
  DEPENDS ${JEU_FICHIERS} ${JEU_EMBARQUER}
  COMMENT "Page de jeu : HTML, style et script en chaînes C++"
  VERBATIM)
target_sources(moteur_navigateur PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/jeu_ressources.cpp)
