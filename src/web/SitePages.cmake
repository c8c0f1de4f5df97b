# Writes the site's pages into SITE from their sources: PAGES, comma-separated
# SOURCE>PAGE pairs (PAGE: its path in the site). Where a source says
# <!--site-nav-->, the site NAME's navigation goes (NAV: comma-separated pairs
# of a page in the site and its link's words; none, no navigation), its links
# leading from the page's folder and the page's own marked; a data package it
# names as NAME.data is named by its content instead (ContentNames.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/ContentNames.cmake)

string(REPLACE "," ";" links "${NAV}")

string(REPLACE "," ";" pages "${PAGES}")
foreach(pair ${pages})
  string(REPLACE ">" ";" pair ${pair})
  list(GET pair 0 source)
  list(GET pair 1 page)
  file(READ ${source} html)

  string(REGEX REPLACE "[^/]+/" "../" root "${page}")
  string(REGEX REPLACE "[^/]+$" "" root "${root}")
  set(nav)
  set(rest ${links})
  while(rest)
    list(POP_FRONT rest target words)
    set(current "")
    if(target STREQUAL page)
      set(current " aria-current=\"page\"")
    endif()
    list(APPEND nav "<a href=\"${root}${target}\"${current}>${words}</a>")
  endwhile()
  if(nav)
    list(JOIN nav " " nav)
    set(nav "<nav class=\"site-nav\" aria-label=\"${NAME}\">${nav}</nav>")
  endif()
  string(REPLACE "<!--site-nav-->" "${nav}" html "${html}")

  get_filename_component(folder ${SITE}/${page} DIRECTORY)
  string(REGEX MATCHALL "href=\"[^\"]*\\.data\"" packages "${html}")
  foreach(package ${packages})
    string(REGEX REPLACE "^href=\"(.*)\"$" "\\1" named "${package}")
    content_name(name ${folder}/${named})
    string(REGEX REPLACE "[^/]+$" "${name}" named "${named}")
    string(REPLACE "${package}" "href=\"${named}\"" html "${html}")
  endforeach()
  file(WRITE ${SITE}/${page} "${html}")
endforeach()
