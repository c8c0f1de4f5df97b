# A program's data package is named by its content, NAME.<hash>.data, the hash
# being the first 16 hexadecimal digits of its SHA-256 (DataPackage.cmake): no
# cache can pair a page with another build's package, and the page checks that
# what it downloaded is what the name says (loader.js).

# Sets `out` to the file name of the content-named package that stands for
# FILE, a path ending in NAME.data.
function(content_name out file)
  string(REGEX REPLACE "\\.data$" "" stem "${file}")
  file(GLOB named "${stem}.*.data")
  list(LENGTH named count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${file}: ${count} data packages named by their content where one was expected")
  endif()
  get_filename_component(named "${named}" NAME)
  set(${out} ${named} PARENT_SCOPE)
endfunction()
