# Turns a page's files into one C++ source: each file becomes a string
# `moteur::ressources::<name>_<extension>` (page_html, plateau_js...).
#   cmake -DSORTIE=out.cpp -DENTREES="a.html;b.css;c.js" -P embarquer.cmake
set(code "// Made at build time from its page's files by embarquer.cmake: do not edit.\n")
string(APPEND code "namespace moteur::ressources {\n")
foreach(entree ${ENTREES})
  get_filename_component(extension ${entree} LAST_EXT)
  get_filename_component(nom ${entree} NAME_WLE)
  string(SUBSTRING ${extension} 1 -1 extension)
  file(READ ${entree} contenu)
  string(FIND "${contenu}" ")PAGE\"" fermeture)
  if(NOT fermeture EQUAL -1)
    message(FATAL_ERROR "${entree} contient )PAGE\" : la chaîne brute serait coupée")
  endif()
  string(APPEND code "extern const char ${nom}_${extension}[];\n"
                     "const char ${nom}_${extension}[] = R\"PAGE(${contenu})PAGE\";\n")
endforeach()
string(APPEND code "} // namespace moteur::ressources\n")
file(WRITE ${SORTIE} "${code}")
