# The copyright and changelog every Debian package of the project carries, made
# in the including folder's build folder, and install_package_documents(), which
# puts them in a package's documentation folder.
include(${CMAKE_CURRENT_LIST_DIR}/DebianCopyright.cmake)
write_debian_copyright(${CMAKE_CURRENT_BINARY_DIR}/copyright)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
                   DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)

# PACKAGE's documentation folder, from the install component COMPONENT.
function(install_package_documents package component)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endfunction()
