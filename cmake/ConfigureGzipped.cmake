# configure_gzipped(SOURCE NAME [configure_file options])
# Configures SOURCE as NAME in the current binary directory and compresses
# it beside as NAME.gz the way gzip -9n does: without the file's name or time
# inside, so that the same text always makes the same bytes.
function(configure_gzipped source name)
  configure_file(${source} ${name} ${ARGN})
  find_program(GZIP gzip REQUIRED)
  execute_process(COMMAND ${GZIP} -9nkf ${name}
                  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${CMAKE_CURRENT_BINARY_DIR}/${name}")
  endif()
endfunction()
