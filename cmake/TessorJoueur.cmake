# How a player program is linked, shared by this tree and the installed
# CMake package: no main of its own, linked against libjoueur, the POSIX
# threads library and libtessor, in this order.
function(tessor_lier_joueur cible)
  target_link_libraries(${cible} PRIVATE Tessor::joueur Threads::Threads Tessor::tessor)
endfunction()

# tessor_ajouter_joueur(NOM SOURCES...): a player program built outside the
# kit.  Installed beside the kit's programs, it finds the kit's libraries
# from where it lies, however the prefix is moved; elsewhere, where the kit
# was installed.
function(tessor_ajouter_joueur nom)
  add_executable(${nom} ${ARGN})
  tessor_lier_joueur(${nom})
  set_target_properties(${nom} PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${TESSOR_LIBDIR};${TESSOR_LIBDIR_INSTALLE}")
  install(TARGETS ${nom} RUNTIME DESTINATION bin)
endfunction()
