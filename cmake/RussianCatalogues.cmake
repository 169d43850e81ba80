# russian_catalogues(OUT PREFIX ALIAS TS [ALIAS TS ...])
# Compiles each Russian translation source TS and embeds it as the resource
# PREFIX/ALIAS, which the resource system picks under a Russian locale.
# OUT receives the sources to add to the target.
function(russian_catalogues out prefix)
  set(pairs ${ARGN})
  set(ts_files)
  set(entries)
  while(pairs)
    list(POP_FRONT pairs alias ts)
    list(APPEND ts_files ${ts})
    get_filename_component(qm ${ts} NAME_WE)
    string(APPEND entries "        <file alias=\"${alias}\">${qm}.qm</file>\n")
  endwhile()
  qt5_add_translation(qm_files ${ts_files})
  string(MAKE_C_IDENTIFIER "${prefix}" name)
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/i18n${name}.qrc)
  file(WRITE ${qrc} "<RCC>\n    <qresource prefix=\"${prefix}\" lang=\"ru\">\n${entries}"
                    "    </qresource>\n</RCC>\n")
  set_source_files_properties(${qrc} PROPERTIES SKIP_AUTORCC ON)
  qt5_add_resources(resources ${qrc})
  set(${out} ${resources} ${qm_files} PARENT_SCOPE)
endfunction()
