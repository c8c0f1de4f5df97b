# The packages' copyright file, in Debian's machine-readable format, made from
# the licence texts that live in the tree: the project's LICENSE, and the font's
# licence kept beside the font (its paragraphs for the font files, not for the
# font's own Debian packaging).

# A licence text as the body of a copyright paragraph: every line indented by
# one space, blank lines as " .".
function(indent_licence_text variable text)
  string(STRIP "${text}" text)
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text "${text}")
  set(${variable} " ${text}" PARENT_SCOPE)
endfunction()

# The part of a text from the line starting with `first` up to, not including,
# the line starting with `next`.
function(text_between variable text first next)
  string(FIND "${text}" "\n${first}" start)
  string(FIND "${text}" "\n${next}" end)
  if(start EQUAL -1 OR end LESS start)
    message(FATAL_ERROR "The font's licence no longer has its \"${first}\" paragraph")
  endif()
  math(EXPR start "${start} + 1")
  math(EXPR length "${end} - ${start}")
  string(SUBSTRING "${text}" ${start} ${length} part)
  set(${variable} "${part}" PARENT_SCOPE)
endfunction()

function(write_debian_copyright output)
  file(READ ${CMAKE_SOURCE_DIR}/LICENSE project_licence)
  string(REGEX REPLACE "^MIT License\n\nCopyright \\(c\\) ([^\n]*)\n" "" project_licence "${project_licence}")
  set(project_copyright "${CMAKE_MATCH_1}")
  indent_licence_text(project_licence "${project_licence}")

  file(READ ${CMAKE_SOURCE_DIR}/data/bitfont-LICENSE.txt font_licence)
  text_between(font_paragraph "${font_licence}" "Files: *" "Files: debian/*")
  string(REPLACE "Files: *" "Files: data/bitfont.fnt data/bitfont.tga" font_paragraph "${font_paragraph}")

  file(WRITE ${output} "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Grubnosh
Comment: The game and its engine, Torvane Quillet, with all their content, are
 made by the Grubnosh developers. The font images are rendered from DejaVu
 Sans Bold (Debian package fonts-dejavu-core), under its own licence below.

Files: *
Copyright: ${project_copyright}
License: Expat

${font_paragraph}
License: Expat
${project_licence}
")
endfunction()
