# The Debian packages from the install components, into packages/ under the
# build folder: grubnosh (component game) and libtorvane-dev (component kit)
# from the desktop build, libtorvane-web-dev (component webkit) from the
# browser build.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME grubnosh)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Grubnosh developers")
set(CPACK_PACKAGE_CONTACT "The Grubnosh developers <grubnosh@example.org>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
if(EMSCRIPTEN)
  set(CPACK_COMPONENTS_ALL webkit)
else()
  set(CPACK_COMPONENTS_ALL game kit)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE grubnosh)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME grubnosh)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_GAME_DESCRIPTION "one-button arcade game with a flying pig
A pig flies at the left of the window; holding the space bar lifts it and
letting go drops it. Apples and hostiles fly in from the right, faster the
more you score: catch the apples, dodge the hostiles. Nine lives, and a rank
title when they run out. Screenshots (F2) go to ~/.local/share/grubnosh.")

set(CPACK_DEBIAN_KIT_PACKAGE_NAME libtorvane-dev)
set(CPACK_DEBIAN_KIT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_KIT_PACKAGE_DEPENDS
    "libsdl1.2-dev, libsdl-image1.2-dev, libsdl-mixer1.2-dev, libgl-dev, libglu1-mesa-dev | libglu-dev")
set(CPACK_COMPONENT_KIT_DESCRIPTION "Torvane Quillet 2D game engine (static library and headers)
A small C++ engine over SDL 1.2, SDL_image, SDL_mixer and OpenGL: a platform
layer, actors with animation and collision, frame-time timers, numbered
sprites, a bitmap font, a tile map with its file format, sound effects and
music. Found with pkg-config (torvane) or CMake (find_package(Torvane)), and
ships a font to start with.")

set(CPACK_DEBIAN_WEBKIT_PACKAGE_NAME libtorvane-web-dev)
set(CPACK_DEBIAN_WEBKIT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_WEBKIT_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_WEBKIT_PACKAGE_DEPENDS "emscripten, librsvg2-bin")
set(CPACK_COMPONENT_WEBKIT_DESCRIPTION "Torvane Quillet 2D game engine for the browser (WebAssembly)
The Torvane Quillet engine built with emscripten for WebAssembly, drawing
through WebGL in few batched draws, with its headers and a page template:
torvane_add_web_page() in CMake turns a program and its data folders into a
static site whose page fits any screen, goes fullscreen, takes screenshots,
lets touch, pen, mouse and gamepad hold a key, and works offline. Found with
find_package(Torvane) in projects configured with emcmake.")

include(CPack)
