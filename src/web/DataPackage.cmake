# Names PACKAGE, a program's data package as the linker wrote it (FOLDER/NAME.data),
# by its content (ContentNames.cmake), and removes the older ones of NAME; with
# no such file (the program was not linked again) there is nothing to do.
# With SHARED, the data package of another program with which this one begins
# (given as its NAME.data) and which the site holds already, it keeps only what
# follows: the page downloads both and joins them (loader.js).
include(${CMAKE_CURRENT_LIST_DIR}/ContentNames.cmake)
if(NOT EXISTS ${PACKAGE})
  return()
endif()

if(SHARED)
  get_filename_component(folder ${SHARED} DIRECTORY)
  content_name(shared_name ${SHARED})
  set(shared_file ${folder}/${shared_name})
  file(SIZE ${shared_file} shared)
  execute_process(COMMAND cmp -s -n ${shared} ${shared_file} ${PACKAGE} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${PACKAGE} does not begin with ${shared_file}: their content lists have parted")
  endif()
  math(EXPR first "${shared} + 1")
  execute_process(COMMAND tail -c +${first} ${PACKAGE} OUTPUT_FILE ${PACKAGE}.rest COMMAND_ERROR_IS_FATAL ANY)
  file(RENAME ${PACKAGE}.rest ${PACKAGE})
endif()

string(REGEX REPLACE "\\.data$" "" stem "${PACKAGE}")
file(SHA256 ${PACKAGE} digest)
string(SUBSTRING ${digest} 0 16 digest)
file(GLOB older "${stem}.*.data")
if(older)
  file(REMOVE ${older})
endif()
file(RENAME ${PACKAGE} ${stem}.${digest}.data)
