# Files of a release that are made from others when the build is configured:
# CR LF copies of texts, gzip files without a time stamp, and the Debian
# copyright file and changelog made from LICENSE and CHANGELOG.md.

# Writes content to path unless the file already holds exactly that, so an
# unchanged file keeps its time and nothing made from it is made again.
function(orbcalc_write_if_changed path content)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${path} "${content}")
endfunction()

# Sets out_var to the date of the first numbered entry of the changelog,
# which must be the entry of version: a version without its entry in the
# changelog is not a release.
function(orbcalc_release_date changelog version out_var)
  file(READ ${changelog} text)
  string(REGEX MATCH "\n## \\[([0-9][^]\n]*)\\] - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])"
    heading "\n${text}")
  if(NOT heading)
    message(FATAL_ERROR "${changelog} has no entry \"## [${version}] - YYYY-MM-DD\"")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL version)
    message(FATAL_ERROR "${changelog} begins with version ${CMAKE_MATCH_1}, the project is "
      "version ${version}: give the new version its entry")
  endif()
  set(${out_var} ${CMAKE_MATCH_2} PARENT_SCOPE)
endfunction()

# Copies a text file with every line ended by CR LF.
function(orbcalc_crlf_copy source destination)
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  orbcalc_write_if_changed(${destination} "${text}")
endfunction()

# Compresses source into destination as gzip -9n does: no name, no time.
function(orbcalc_gzip gzip source destination)
  if(EXISTS ${destination} AND NOT ${source} IS_NEWER_THAN ${destination})
    return()
  endif()
  get_filename_component(folder ${destination} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${gzip} -9nc ${source} OUTPUT_FILE ${destination} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip of ${source} failed: ${status}")
  endif()
endfunction()

# A licence's text as a field of a Debian copyright file: each line
# indented by a blank, an empty line " .".
function(orbcalc_debian_text text out_var)
  string(STRIP "${text}" text)
  string(REPLACE "\n" "\n " text " ${text}")
  string(REPLACE "\n \n" "\n .\n" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# The copyright file in Debian's machine-readable format: orbcalc under the
# licence text that follows the copyright line of `license`; and, when
# `vendored` names the licence of the chemistry library the batch tool
# carries, a paragraph for that library.
function(orbcalc_debian_copyright license contact destination)
  set(vendored ${ARGN})
  file(READ ${license} text)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)\n" line "${text}")
  if(NOT line)
    message(FATAL_ERROR "${license} has no line \"Copyright (c) YEAR HOLDER\"")
  endif()
  set(holder ${CMAKE_MATCH_1})
  string(FIND "${text}" "${line}" start)
  string(LENGTH "${line}" length)
  math(EXPR start "${start} + ${length}")
  string(SUBSTRING "${text}" ${start} -1 body)
  orbcalc_debian_text("${body}" body)
  set(library "")
  if(vendored)
    file(READ ${vendored} library_text)
    string(REGEX REPLACE "^[ \n]*Copyright \\(c\\) [^\n]*\n" "" library_text "${library_text}")
    orbcalc_debian_text("${library_text}" library_text)
    set(library "
Files: usr/share/orbcalc/vendor/openchemlib.js
Copyright: 2015-2017 cheminfo
           1997-2015 Actelion Pharmaceuticals Ltd.
License: BSD-3-clause
${library_text}
")
  endif()
  orbcalc_write_if_changed(${destination} "\
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: orbcalc
Upstream-Contact: ${contact}

Files: *
Copyright: ${holder}
License: Expat
${body}
${library}")
endfunction()

# The date of a changelog trailer, "Mon, 07 Dec 2026 00:00:00 +0000", from
# YYYY-MM-DD.
function(orbcalc_debian_date date out_var)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" ignored "${date}")
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR month "${CMAKE_MATCH_2}")
  math(EXPR day "${CMAKE_MATCH_3}")
  # Sakamoto's rule for the day of the week, 0 being Sunday.
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${index} month_name)
  set(${out_var} "${weekday_name}, ${CMAKE_MATCH_3} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# Appends the pending item (item_text at item_depth) to entries, wrapped to
# 78 columns: "  * " at depth 0, "    - " at 1, "      + " at 2.
macro(orbcalc_flush_item)
  string(STRIP "${item_text}" item_text)
  if(NOT item_text STREQUAL "")
    math(EXPR indent "2 + 2 * ${item_depth}")
    string(REPEAT " " ${indent} lead)
    list(GET item_marks ${item_depth} mark)
    set(current "${lead}${mark} ")
    string(LENGTH "${current}" width)
    string(REPEAT " " ${width} hanging)
    set(first_word TRUE)
    string(REGEX REPLACE " +" ";" words "${item_text}")
    foreach(word IN LISTS words)
      string(LENGTH "${current}" used)
      string(LENGTH "${word}" word_length)
      math(EXPR wanted "${used} + 1 + ${word_length}")
      if(NOT first_word AND wanted GREATER 78)
        string(APPEND entries "${current}\n")
        set(current "${hanging}${word}")
      elseif(first_word)
        string(APPEND current "${word}")
      else()
        string(APPEND current " ${word}")
      endif()
      set(first_word FALSE)
    endforeach()
    string(APPEND entries "${current}\n")
  endif()
  set(item_text "")
endmacro()

macro(orbcalc_close_entry)
  orbcalc_flush_item()
  if(in_entry)
    orbcalc_debian_date(${entry_date} trailer_date)
    string(APPEND entries "\n -- ${maintainer}  ${trailer_date}\n\n")
  endif()
  set(in_entry FALSE)
endmacro()

# The Debian changelog of a native package, made from a changelog kept in
# Markdown in the style of Keep a Changelog: one entry for each numbered
# version (an Unreleased section is left out); a "###" heading becomes an
# item of its own with the list under it as its sub-items; a paragraph
# becomes an item; emphasis marks and links are reduced to their text.
function(orbcalc_debian_changelog markdown package maintainer destination)
  file(READ ${markdown} text)
  string(REGEX REPLACE "\\[([^]\n]*)\\]\\([^)\n]*\\)" "\\1" text "${text}")
  string(REPLACE "**" "" text "${text}")
  # Semicolons and brackets mean something to CMake's lists: they travel
  # as control characters until the end.
  string(ASCII 1 semicolon)
  string(ASCII 2 open)
  string(ASCII 3 close)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "[" "${open}" text "${text}")
  string(REPLACE "]" "${close}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")

  set(item_marks "*" "-" "+")
  set(entries "")
  set(item_text "")
  set(item_depth 0)
  set(in_entry FALSE)
  set(skipping TRUE)
  set(heading_depth 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ${open}([^${close}]*)${close}(.*)$")
      orbcalc_close_entry()
      set(version "${CMAKE_MATCH_1}")
      set(rest "${CMAKE_MATCH_2}")
      if(NOT version MATCHES "^[0-9]")
        set(skipping TRUE)
        continue()
      endif()
      if(NOT rest MATCHES "^ - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])")
        message(FATAL_ERROR "${markdown}: version ${version} has no date")
      endif()
      set(entry_date ${CMAKE_MATCH_1})
      set(skipping FALSE)
      set(in_entry TRUE)
      set(heading_depth 0)
      string(APPEND entries "${package} (${version}) unstable${semicolon} urgency=medium\n\n")
    elseif(skipping OR NOT in_entry)
      continue()
    elseif(line MATCHES "^### (.*)$")
      # Flushing runs regular expressions, which overwrite CMAKE_MATCH_n.
      set(heading "${CMAKE_MATCH_1}")
      orbcalc_flush_item()
      set(item_text "${heading}:")
      set(item_depth 0)
      orbcalc_flush_item()
      set(heading_depth 1)
    elseif(line MATCHES "^( *)- (.*)$")
      string(LENGTH "${CMAKE_MATCH_1}" spaces)
      set(bullet "${CMAKE_MATCH_2}")
      orbcalc_flush_item()
      math(EXPR item_depth "${heading_depth} + ${spaces} / 2")
      if(item_depth GREATER 2)
        set(item_depth 2)
      endif()
      set(item_text "${bullet}")
    elseif(line MATCHES "^${open}[^${close}]*${close}:")
      # A link's address, kept for the Markdown only.
      orbcalc_flush_item()
    elseif(line MATCHES "^[ \t\r]*$")
      orbcalc_flush_item()
    elseif(item_text STREQUAL "")
      set(item_depth ${heading_depth})
      set(item_text "${line}")
    else()
      string(APPEND item_text " ${line}")
    endif()
  endforeach()
  orbcalc_close_entry()

  string(REPLACE "${semicolon}" ";" entries "${entries}")
  string(REPLACE "${open}" "[" entries "${entries}")
  string(REPLACE "${close}" "]" entries "${entries}")
  string(REGEX REPLACE "\n+$" "\n" entries "${entries}")
  orbcalc_write_if_changed(${destination} "${entries}")
endfunction()
