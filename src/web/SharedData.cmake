# Keeps of PACKAGE, a program's data package, only what follows SHARED, the
# package of another program with which it begins and which the site holds
# already; the page downloads both and joins them (loader.js).
file(SIZE ${SHARED} shared)
execute_process(COMMAND cmp -s -n ${shared} ${SHARED} ${PACKAGE} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${PACKAGE} does not begin with ${SHARED}: their content lists have parted")
endif()
math(EXPR first "${shared} + 1")
execute_process(COMMAND tail -c +${first} ${PACKAGE} OUTPUT_FILE ${PACKAGE}.rest COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${PACKAGE}.rest ${PACKAGE})
