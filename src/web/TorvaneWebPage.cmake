# Programs on the Torvane Quillet engine as pages of a static site, for a
# project configured with emcmake: torvane_add_web_page() makes a program target
# a page, from the one template beside this file (page.html.in, page.js,
# loader.js, site.css); torvane_web_site() names the site, and
# torvane_add_site_page() adds a page of one's own. Once the project is
# configured the site is finished: its data packages named by their content,
# its pages written with their navigation, its icons, manifest and service
# worker. The reference's page "Pages for the browser" says how to use them.
include_guard(GLOBAL)

set(TORVANE_WEB_SITE ${CMAKE_BINARY_DIR}/site CACHE PATH "Folder that receives the site: its pages and their files")

# Text as HTML may hold it, inside an attribute's quotes too.
function(_torvane_html out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The browser's names of KEY, an SDL 1.2 key (SDLK_...): a list of its code
# (KeyboardEvent.code), its key code, which the runtime turns back into KEY,
# and how the page writes it.
function(_torvane_web_key out key)
  set(named SDLK_SPACE Space 32 Space SDLK_RETURN Enter 13 Enter SDLK_TAB Tab 9 Tab
            SDLK_LSHIFT ShiftLeft 16 Shift SDLK_LCTRL ControlLeft 17 Ctrl
            SDLK_LEFT ArrowLeft 37 ← SDLK_UP ArrowUp 38 ↑ SDLK_RIGHT ArrowRight 39 → SDLK_DOWN ArrowDown 40 ↓)
  list(FIND named "${key}" at)
  if(key MATCHES "^SDLK_" AND at GREATER_EQUAL 0)
    math(EXPR first "${at} + 1")
    list(SUBLIST named ${first} 3 names)
  elseif(key MATCHES "^SDLK_([a-z])$")
    string(TOUPPER ${CMAKE_MATCH_1} letter)
    string(FIND "ABCDEFGHIJKLMNOPQRSTUVWXYZ" ${letter} index)
    math(EXPR code "65 + ${index}")
    set(names Key${letter} ${code} ${letter})
  elseif(key MATCHES "^SDLK_([0-9])$")
    math(EXPR code "48 + ${CMAKE_MATCH_1}")
    set(names Digit${CMAKE_MATCH_1} ${code} ${CMAKE_MATCH_1})
  elseif(key MATCHES "^SDLK_F([1-9]|1[0-2])$")
    math(EXPR code "111 + ${CMAKE_MATCH_1}")
    set(names F${CMAKE_MATCH_1} ${code} F${CMAKE_MATCH_1})
  else()
    message(FATAL_ERROR "torvane_add_web_page: '${key}' is no key a page can hold; give SDLK_SPACE, "
                        "SDLK_RETURN, SDLK_TAB, SDLK_LSHIFT, SDLK_LCTRL, an arrow (SDLK_UP, ...), "
                        "a letter (SDLK_a to SDLK_z), a digit (SDLK_0 to SDLK_9) or SDLK_F1 to SDLK_F12")
  endif()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# Copies FILES (paths from the calling folder) into the site's FOLDER ("" for
# its top, else ending in "/"), where the service worker keeps them.
function(_torvane_site_files folder)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    configure_file(${file} ${TORVANE_WEB_SITE}/${folder}${name} COPYONLY)
    set_property(GLOBAL APPEND PROPERTY TORVANE_WEB_SITE_FILES ${folder}${name})
  endforeach()
endfunction()

# Sets up TARGET as a program of the site, in FOLDER (its first page's):
# its entry, its data package and where it is written.
function(_torvane_web_program target folder main data_after)
  if(NOT main)
    get_target_property(sources ${target} SOURCES)
    list(LENGTH sources count)
    if(NOT count EQUAL 1)
      message(FATAL_ERROR "torvane_add_web_page: ${target} has ${count} sources; name the one with main() as MAIN")
    endif()
    set(main ${sources})
  endif()
  # main is renamed SDL_main, as SDL's entry layer does elsewhere, so that
  # WebEntry.cpp can tell the page when it returns.
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WebEntry.cpp)
  set_source_files_properties(${main} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_DEFINITIONS main=SDL_main)
  set(out ${TORVANE_WEB_SITE})
  set(files ${target}.js ${target}.wasm ${target}.data)
  if(folder)
    string(APPEND out /${folder})
    list(TRANSFORM files PREPEND ${folder}/)
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out} TORVANE_WEB_FOLDER ${out})

  set(data ${ARGN})
  if(data_after)
    get_target_property(shared_data ${data_after} TORVANE_WEB_DATA)
    list(PREPEND data ${shared_data})
    add_dependencies(${target} ${data_after})
    get_target_property(shared ${data_after} TORVANE_WEB_PACKAGE)
    set_target_properties(${target} PROPERTIES TORVANE_WEB_SHARED_PACKAGE ${shared})
  endif()
  set_target_properties(${target} PROPERTIES TORVANE_WEB_DATA "${data}")
  set(content)
  foreach(item ${data})
    if(NOT IS_ABSOLUTE ${item})
      set(item ${CMAKE_SOURCE_DIR}/${item})
    endif()
    if(NOT EXISTS ${item})
      message(FATAL_ERROR "torvane_add_web_page: ${target}'s DATA ${item} does not exist")
    endif()
    # Kept at its path from the project's top folder, which is where the program starts.
    file(RELATIVE_PATH path ${CMAKE_SOURCE_DIR} ${item})
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${item}@${path}")
    list(APPEND content ${item})
    if(IS_DIRECTORY ${item})
      file(GLOB_RECURSE inside CONFIGURE_DEPENDS ${item}/*)
      list(APPEND content ${inside})
    endif()
  endforeach()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${content})
  if(data)
    set_target_properties(${target} PROPERTIES TORVANE_WEB_PACKAGE ${out}/${target}.data)
  else()
    list(POP_BACK files)
  endif()
  set_property(GLOBAL APPEND PROPERTY TORVANE_WEB_SITE_FILES ${files})
  set_property(GLOBAL APPEND PROPERTY TORVANE_WEB_PROGRAMS ${target})
endfunction()

# Names the site: NAME (the app's name; the project's name unless given),
# DESCRIPTION, ICON (an SVG drawing, rendered into the app's icons; the kit's
# pig unless given) and NAV, the navigation at the top of every page: pairs of
# a page's path in the site and its link's words.
function(torvane_web_site)
  cmake_parse_arguments(PARSE_ARGV 0 SITE "" "NAME;DESCRIPTION;ICON" "NAV")
  foreach(setting NAME DESCRIPTION ICON NAV)
    if(DEFINED SITE_${setting})
      set_property(GLOBAL PROPERTY TORVANE_WEB_SITE_${setting} "${SITE_${setting}}")
    endif()
  endforeach()
endfunction()

# The parts of torvane_add_web_page, in its scope: the program the page starts,
# set up by its first page and in the same folder as every other.
macro(_torvane_page_program)
  get_target_property(program_folder ${target} TORVANE_WEB_FOLDER)
  string(REGEX REPLACE "/$" "" page_folder "${folder}")
  string(REGEX REPLACE "/$" "" here "${TORVANE_WEB_SITE}/${folder}")
  if(NOT program_folder)
    _torvane_web_program(${target} "${page_folder}" "${ARG_MAIN}" "${ARG_DATA_AFTER}" ${ARG_DATA})
  elseif(ARG_MAIN OR ARG_DATA OR ARG_DATA_AFTER)
    message(FATAL_ERROR "torvane_add_web_page: ${target}'s MAIN, DATA and DATA_AFTER go with its first page only")
  elseif(NOT program_folder STREQUAL here)
    message(FATAL_ERROR "torvane_add_web_page: ${page} lies in another folder than ${target}'s first page")
  endif()
endmacro()

# ... the page's settings, as page.js reads them from its <body> (PAGE_SETTINGS):
# the program, the site's folder from the page, the page's words for the
# program, its arguments, and the keys it holds and presses.
macro(_torvane_page_settings)
  set(noun game)
  if(ARG_NOUN)
    set(noun "${ARG_NOUN}")
  endif()
  list(JOIN ARG_ARGUMENTS " " arguments)
  set(settings program ${target} root "${root}" noun "${noun}" arguments "${arguments}" hold-to "${ARG_HOLD_TO}")
  if(ARG_HOLD_KEY)
    _torvane_web_key(hold ${ARG_HOLD_KEY})
    list(POP_FRONT hold hold_code hold_key_code hold_label)
    list(APPEND settings hold "${hold_key_code} ${hold_code}")
  endif()
  if(ARG_SCREENSHOT_KEY)
    _torvane_web_key(screenshot ${ARG_SCREENSHOT_KEY})
    list(POP_FRONT screenshot screenshot_code screenshot_key_code)
    list(APPEND settings screenshot "${screenshot_key_code} ${screenshot_code}")
  endif()
  set(PAGE_SETTINGS)
  while(settings)
    list(POP_FRONT settings name value)
    if(NOT value STREQUAL "")
      _torvane_html(value "${value}")
      string(APPEND PAGE_SETTINGS " data-${name}=\"${value}\"")
    endif()
  endwhile()
endmacro()

# ... its head (PAGE_TITLE, PAGE_META, PAGE_HEAD: its style sheets, then the
# program's files to preload, the data package's parts in order, the shared one
# first) and its own scripts (PAGE_SCRIPTS).
macro(_torvane_page_head)
  set(title ${target})
  if(ARG_TITLE)
    set(title "${ARG_TITLE}")
  endif()
  _torvane_html(PAGE_TITLE "${title}")
  set(PAGE_META)
  if(ARG_DESCRIPTION)
    _torvane_html(description "${ARG_DESCRIPTION}")
    set(PAGE_META "<meta name=\"description\" content=\"${description}\">\n")
  endif()
  set(PAGE_HEAD)
  set(PAGE_SCRIPTS)
  foreach(file ${ARG_FILES})
    get_filename_component(name ${file} NAME)
    if(name MATCHES "\\.css$")
      string(APPEND PAGE_HEAD "<link rel=\"stylesheet\" href=\"${name}\">\n")
    elseif(name MATCHES "\\.js$")
      string(APPEND PAGE_SCRIPTS "<script src=\"${name}\"></script>\n")
    endif()
  endforeach()
  get_target_property(shared ${target} TORVANE_WEB_SHARED_PACKAGE)
  get_target_property(package ${target} TORVANE_WEB_PACKAGE)
  set(preloads)
  if(shared)
    file(RELATIVE_PATH shared ${TORVANE_WEB_SITE}/${folder} ${shared})
    list(APPEND preloads "${shared}\" as=\"fetch\" crossorigin")
  endif()
  if(package)
    list(APPEND preloads "${target}.data\" as=\"fetch\" crossorigin")
  endif()
  list(APPEND preloads "${target}.wasm\" as=\"fetch\" crossorigin" "${target}.js\" as=\"script\"")
  foreach(preload ${preloads})
    string(APPEND PAGE_HEAD "<link rel=\"preload\" href=\"${preload}>\n")
  endforeach()
  string(STRIP "${PAGE_HEAD}" PAGE_HEAD)
endmacro()

# ... and its own words and controls (PAGE_ABOUT, PAGE_PANEL, PAGE_TOOLS): its
# files, or a heading and how to play.
macro(_torvane_page_parts)
  set(PAGE_ABOUT "  <h1>${PAGE_TITLE}</h1>")
  if(ARG_HOLD_KEY)
    set(what "")
    if(ARG_HOLD_TO)
      _torvane_html(what " to ${ARG_HOLD_TO}")
    endif()
    string(APPEND PAGE_ABOUT "\n  <p class=\"howto\" id=\"howto\"><span>Hold <kbd>${hold_label}</kbd>${what}</span> "
                             "<span><kbd>F</kbd> fullscreen</span></p>")
  endif()
  set(PAGE_PANEL "")
  set(PAGE_TOOLS "")
  foreach(part ABOUT PANEL TOOLS)
    if(ARG_${part})
      get_filename_component(file ${ARG_${part}} ABSOLUTE)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
      file(READ ${file} PAGE_${part})
      string(REGEX REPLACE "\n+$" "" PAGE_${part} "${PAGE_${part}}")
    endif()
  endforeach()
endmacro()

# Makes the program TARGET a page of the site, PAGE (its path there, index.html
# unless given). The first page of a program sets it up: MAIN, the source of
# its main() (needed when it has several); DATA, its files and folders (paths
# from the project's top folder, where the program finds them as it does when
# started there); DATA_AFTER, another program of the site whose data its own
# begins with. Any page: TITLE (the target's name unless given), DESCRIPTION,
# NOUN (what the page calls the program: "game" unless given), ABOUT (an HTML
# file of words under the navigation; a heading of the title unless given),
# PANEL (an HTML file of controls in the panel over the picture, which shows
# while the program loads and once it has ended), TOOLS (an HTML file of
# controls under the picture), FILES (copied beside
# the page: its .js scripts run before the template's, its .css style sheets
# come after the site's), ARGUMENTS (the program's), HOLD_KEY (the key that a
# touch, pen, mouse button or gamepad button held on the page holds, SDLK_...),
# HOLD_TO (what holding it does, as in "Touch and hold to fly") and
# SCREENSHOT_KEY (the key with which the program writes a picture of its own,
# which the Screenshot button presses; else the button keeps the page's picture).
function(torvane_add_web_page)
  cmake_parse_arguments(PARSE_ARGV 0 ARG ""
                        "TARGET;PAGE;TITLE;DESCRIPTION;NOUN;ABOUT;PANEL;TOOLS;HOLD_KEY;HOLD_TO;SCREENSHOT_KEY;MAIN;DATA_AFTER"
                        "DATA;FILES;ARGUMENTS")
  if(ARG_UNPARSED_ARGUMENTS OR NOT TARGET "${ARG_TARGET}")
    message(FATAL_ERROR "torvane_add_web_page: give TARGET, a program target, and the options the reference lists "
                        "(not '${ARG_UNPARSED_ARGUMENTS}')")
  endif()
  set(target ${ARG_TARGET})
  set(page index.html)
  if(ARG_PAGE)
    set(page ${ARG_PAGE})
  endif()
  string(REGEX MATCH "^.*/" folder "${page}")
  string(REGEX REPLACE "[^/]+/" "../" root "${folder}")

  _torvane_page_program()
  _torvane_page_settings()
  _torvane_page_head()
  _torvane_page_parts()
  set(made ${CMAKE_BINARY_DIR}/torvane-pages/${page})
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/page.html.in ${made} @ONLY)
  _torvane_site_files("${folder}" ${ARG_FILES})
  torvane_add_site_page(SOURCE ${made} PAGE ${page})
endfunction()

# Makes SOURCE, an HTML file, the page PAGE of the site (its path there), and
# copies FILES (pictures, style sheets, ...) beside it. Where SOURCE says
# <!--site-nav-->, the site's navigation goes; a data package it names as
# NAME.data is named by its content.
function(torvane_add_site_page)
  cmake_parse_arguments(PARSE_ARGV 0 SITE "" "SOURCE;PAGE" "FILES")
  get_filename_component(source ${SITE_SOURCE} ABSOLUTE)
  string(REGEX MATCH "^.*/" folder "${SITE_PAGE}")
  _torvane_site_files("${folder}" ${SITE_FILES})
  set_property(GLOBAL APPEND PROPERTY TORVANE_WEB_PAGES "${source}>${SITE_PAGE}")
  set_property(GLOBAL APPEND PROPERTY TORVANE_WEB_SITE_FILES ${SITE_PAGE})
  get_property(finishing GLOBAL PROPERTY TORVANE_WEB_FINISHING)
  if(NOT finishing)
    set_property(GLOBAL PROPERTY TORVANE_WEB_FINISHING ON)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _torvane_finish_web_site)
  endif()
endfunction()

# Once every page is known: what every page shares, the icons and the manifest,
# and the command that writes the pages and the service worker, which keeps the
# whole site for playing offline in a cache named after a hash of its files.
function(_torvane_finish_web_site)
  set(site ${TORVANE_WEB_SITE})
  set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  foreach(setting NAME DESCRIPTION ICON NAV)
    get_property(${setting} GLOBAL PROPERTY TORVANE_WEB_SITE_${setting})
  endforeach()
  if(NOT NAME)
    set(NAME ${PROJECT_NAME})
  endif()
  if(NOT DESCRIPTION)
    set(DESCRIPTION ${NAME})
  endif()
  if(NOT ICON)
    set(ICON ${here}/icon.svg)
  endif()
  _torvane_site_files("" ${here}/site.css ${here}/loader.js ${here}/page.js)
  foreach(text NAME DESCRIPTION)
    string(REPLACE "\\" "\\\\" SITE_${text} "${${text}}")
    string(REPLACE "\"" "\\\"" SITE_${text} "${SITE_${text}}")
  endforeach()
  configure_file(${here}/manifest.webmanifest.in ${site}/manifest.webmanifest @ONLY)
  get_property(files GLOBAL PROPERTY TORVANE_WEB_SITE_FILES)
  list(APPEND files manifest.webmanifest)

  # The app's icons: the name, the side of the drawing and of the icon in
  # pixels, and the colour around the drawing (the icons that a system may crop
  # to a shape keep it in their middle).
  find_program(TORVANE_RSVG_CONVERT rsvg-convert REQUIRED)
  set(icons
      icon-192.png 192 192 transparent
      icon-512.png 512 512 transparent
      icon-maskable-512.png 320 512 "#2c3550"
      apple-touch-icon.png 140 180 "#2c3550")
  while(icons)
    list(POP_FRONT icons name side size background)
    math(EXPR margin "(${size} - ${side}) / 2")
    add_custom_command(OUTPUT ${site}/${name}
                       COMMAND ${TORVANE_RSVG_CONVERT} -w ${side} -h ${side} --page-width ${size} --page-height ${size}
                               --left ${margin} --top ${margin} -b ${background} -o ${site}/${name} ${ICON}
                       DEPENDS ${ICON} VERBATIM)
    list(APPEND files ${name})
  endwhile()
  list(REMOVE_DUPLICATES files)

  # The program's .wasm and .data come with its .js, which the program's target
  # stands for; the pages are written here, from their sources.
  get_property(pages GLOBAL PROPERTY TORVANE_WEB_PAGES)
  set(page_sources ${pages})
  list(TRANSFORM page_sources REPLACE ">.*" "")
  set(page_files ${pages})
  list(TRANSFORM page_files REPLACE ".*>" "${site}/")
  set(paths ${files})
  list(FILTER paths EXCLUDE REGEX "\\.(wasm|data|html)$")
  list(TRANSFORM paths PREPEND ${site}/)
  string(JOIN "," names ${files})
  string(JOIN "," pages ${pages})
  string(JOIN "," nav ${NAV})
  _torvane_html(label "${NAME}")
  # A program just linked leaves its data package as NAME.data, which gets its
  # content's name (DataPackage.cmake); the program it begins with comes first.
  get_property(programs GLOBAL PROPERTY TORVANE_WEB_PROGRAMS)
  set(naming)
  foreach(program ${programs})
    get_target_property(package ${program} TORVANE_WEB_PACKAGE)
    get_target_property(shared ${program} TORVANE_WEB_SHARED_PACKAGE)
    if(package)
      list(APPEND naming COMMAND ${CMAKE_COMMAND} -DPACKAGE=${package} -DSHARED=${shared} -P ${here}/DataPackage.cmake)
    endif()
  endforeach()
  add_custom_command(OUTPUT ${site}/sw.js ${page_files}
                     ${naming}
                     COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DPAGES=${pages} -DNAV=${nav} -DNAME=${label}
                             -P ${here}/SitePages.cmake
                     COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DFILES=${names} -DTEMPLATE=${here}/sw.js.in
                             -P ${here}/OfflineCache.cmake
                     DEPENDS ${programs} ${paths} ${page_sources} ${here}/sw.js.in ${here}/OfflineCache.cmake
                             ${here}/SitePages.cmake ${here}/ContentNames.cmake ${here}/DataPackage.cmake
                     VERBATIM)
  add_custom_target(torvane_site ALL DEPENDS ${site}/sw.js)
endfunction()
