# The one place a player program of the kit is declared.
include(${CMAKE_CURRENT_LIST_DIR}/TessorJoueur.cmake)

# Test-only players land here, away from the kit's programs in bin/.
set(TESSOR_ESSAIS_BIN_DIR ${CMAKE_BINARY_DIR}/tests/bin)

# What a player's own code sees: the host contract and the rules.
add_library(joueur_contrat INTERFACE)
target_include_directories(joueur_contrat INTERFACE ${PROJECT_SOURCE_DIR}/host)
target_link_libraries(joueur_contrat INTERFACE tessor)

# ajouter_joueur(NOM SOURCES ... [AIDES cible ...] [CAS fichier] [PERSONNE]
#                [TABLES_PROPRES] [ESSAI])
#
# Builds the player's sources as the object library NOM_objets (unit tests
# and benchmarks link it with lier_objets_joueur), then the program NOM.
# AIDES: object libraries of code shared inside a family, linked into both.
# CAS: the player's case file, in tests/joueurs/cas/, run by the case
# harness (two programs built from one source may share one).  PERSONNE: a person at a terminal plays through this program, and
# the program says so to the engine.  TABLES_PROPRES: the player defines its
# own `topologie` and `positionInitiale`, which the rules library then reads
# in its process.  ESSAI: a test-only player, built into tests/bin, not
# installed and not in the shared battery.
function(ajouter_joueur nom)
  cmake_parse_arguments(J "TABLES_PROPRES;PERSONNE;ESSAI" "CAS" "SOURCES;AIDES" ${ARGN})
  if(J_UNPARSED_ARGUMENTS OR NOT J_SOURCES)
    message(FATAL_ERROR "ajouter_joueur(${nom}) : arguments incompris « ${J_UNPARSED_ARGUMENTS} »")
  endif()
  add_library(${nom}_objets OBJECT ${J_SOURCES})
  target_include_directories(${nom}_objets PUBLIC
    ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/players/commun)
  target_link_libraries(${nom}_objets PUBLIC joueur_contrat ${J_AIDES})
  set_property(TARGET ${nom}_objets PROPERTY TESSOR_AIDES "${J_AIDES}")

  add_executable(${nom})
  target_link_libraries(${nom} PRIVATE ${nom}_objets ${J_AIDES})
  if(J_PERSONNE AND TARGET hote_personne)
    target_link_libraries(${nom} PRIVATE hote_personne)
  endif()
  tessor_lier_joueur(${nom})
  target_link_options(${nom} PRIVATE ${TESSOR_LIEN_JOUEUR})
  if(J_TABLES_PROPRES)
    # The program's own tables must be the ones libtessor finds.
    set_target_properties(${nom} PROPERTIES ENABLE_EXPORTS ON)
    set_property(TARGET ${nom}_objets PROPERTY TESSOR_TABLES_PROPRES ON)
  endif()
  if(J_ESSAI)
    set_target_properties(${nom} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSOR_ESSAIS_BIN_DIR})
    return()
  endif()
  install(TARGETS ${nom} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set_property(GLOBAL APPEND PROPERTY TESSOR_JOUEURS ${nom})
  if(NOT J_PERSONNE)
    set_property(GLOBAL APPEND PROPERTY TESSOR_JOUEURS_AUTOMATIQUES ${nom})
  endif()
  if(J_CAS)
    set_property(GLOBAL APPEND PROPERTY TESSOR_CAS
      "${nom}=${PROJECT_SOURCE_DIR}/tests/joueurs/cas/${J_CAS}")
  endif()
endfunction()

# Links a player's objects (and its family's) into a test or a benchmark;
# `cible` then needs the host's turn (hote_tour) and, unless the player has
# its own, the board tables.
function(lier_objets_joueur cible nom)
  get_target_property(aides ${nom}_objets TESSOR_AIDES)
  target_link_libraries(${cible} PRIVATE ${nom}_objets ${aides})
endfunction()
