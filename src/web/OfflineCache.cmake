# Writes the site's service worker, SITE/sw.js, from TEMPLATE: the site's FILES
# (comma-separated, relative to SITE; a data package as NAME.data, which stands
# for its content-named file) and a cache name made from a hash of all of them,
# so that any change to the built site gives browsers a new cache.
include(${CMAKE_CURRENT_LIST_DIR}/ContentNames.cmake)
string(REPLACE "," ";" listed "${FILES}")
set(files)
foreach(file ${listed})
  if(file MATCHES "\\.data$")
    content_name(name ${SITE}/${file})
    string(REGEX REPLACE "[^/]+$" "${name}" file "${file}")
  endif()
  list(APPEND files ${file})
endforeach()
set(digests "")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
endforeach()
string(SHA256 BUILD_HASH "${digests}")
string(SUBSTRING ${BUILD_HASH} 0 16 BUILD_HASH)

list(TRANSFORM files PREPEND "'")
list(TRANSFORM files APPEND "'")
string(JOIN ", " FILE_LIST ${files})
file(READ ${TEMPLATE} worker)
string(CONFIGURE "${worker}" worker @ONLY)
file(WRITE ${SITE}/sw.js "${worker}")
