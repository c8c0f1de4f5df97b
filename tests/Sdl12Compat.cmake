# sdl12-compat (the SDL 1.2 API over SDL2) for the window layers' second pass.
# Debian's package is downloaded and unpacked into the build folder, never
# installed, so the system keeps its classic SDL 1.2. The result is cached:
# once the library is there, configuring again costs nothing.

set(sdl12_compat_help "Folder holding sdl12-compat's libSDL-1.2.so.0 (fetched into the build folder when empty)")
set(SDL12_COMPAT_LIBRARY_DIR "" CACHE PATH "${sdl12_compat_help}")

function(fetch_sdl12_compat)
  set(root ${CMAKE_BINARY_DIR}/sdl12-compat)
  message(STATUS "Fetching sdl12-compat (Debian package libsdl1.2-compat) into ${root}")
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/download)
  execute_process(COMMAND apt-get download libsdl1.2-compat
                  WORKING_DIRECTORY ${root}/download
                  RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
  file(GLOB packages ${root}/download/libsdl1.2-compat_*.deb)
  if(failed OR NOT packages)
    message(FATAL_ERROR "Could not download libsdl1.2-compat with apt-get:\n${log}\n"
            "Refresh the package lists (apt-get update; scripts/install-deps.sh does so where there are none). "
            "Off Debian, point SDL12_COMPAT_LIBRARY_DIR at an sdl12-compat build, "
            "or configure with -DGRUBNOSH_TEST_SDL12_COMPAT=OFF.")
  endif()
  list(GET packages 0 package)
  execute_process(COMMAND dpkg -x ${package} ${root}/unpacked
                  RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
  file(GLOB_RECURSE libraries ${root}/unpacked/libSDL-1.2.so.0)
  if(failed OR NOT libraries)
    message(FATAL_ERROR "Could not unpack libSDL-1.2.so.0 from ${package}:\n${log}")
  endif()
  list(GET libraries 0 library)
  get_filename_component(folder ${library} DIRECTORY)
  set(SDL12_COMPAT_LIBRARY_DIR ${folder} CACHE PATH "${sdl12_compat_help}" FORCE)
endfunction()

if(NOT EXISTS "${SDL12_COMPAT_LIBRARY_DIR}/libSDL-1.2.so.0")
  # A folder of the user's own that lacks the library is a mistake to report;
  # our own fetched copy that went missing is simply fetched again.
  string(FIND "${SDL12_COMPAT_LIBRARY_DIR}" "${CMAKE_BINARY_DIR}/sdl12-compat/" ours)
  if(SDL12_COMPAT_LIBRARY_DIR AND NOT ours EQUAL 0)
    message(FATAL_ERROR "SDL12_COMPAT_LIBRARY_DIR (${SDL12_COMPAT_LIBRARY_DIR}) holds no libSDL-1.2.so.0")
  endif()
  fetch_sdl12_compat()
endif()
