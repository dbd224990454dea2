# Runs logcheck on the mini-contest and looks at its pages in headless
# Chromium. Script mode:
#   cmake -DPROGRAM=<logcheck> -DWORK_DIR=<folder> -DDATA=<tools/testdata/logcheck>
#         -DCHROMIUM=<chromium> -P check_logcheck_pages.cmake
# results.html renders with its title and a table row per entrant, every
# link to a report reaches a file that renders as that entrant's report;
# UT1AA's report renders with a heading per section and the lines of its
# blocks apart, as its .txt has them; both pages print to PDF.
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(CONCAT what ${ARGV})
  message(FATAL_ERROR "logcheck pages: ${what}")
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${DATA}/logs" "${DATA}/groups.txt" DESTINATION "${WORK_DIR}")
execute_process(COMMAND "${PROGRAM}" logs --out out --group-map groups.txt
                WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("logcheck exit status ${status}\n${out}\n${err}")
endif()

include("${CMAKE_CURRENT_LIST_DIR}/headless_chromium.cmake")

# The page as Chromium's parser leaves it, in `dom` of the caller.
function(render page)
  chromium_dom("${WORK_DIR}/out/${page}" "</body>")
  set(dom "${dom}" PARENT_SCOPE)
endfunction()

render(results.html)
if(NOT dom MATCHES "<h1>CQ-UT [^<]*checked results</h1>")
  fail("results.html renders without the contest's title:\n${dom}")
endif()
string(REGEX MATCHALL "<tr><td class=\"n\">[0-9]+</td><td><a href=\"reports/[A-Z0-9_]+\\.html\">"
       rows "${dom}")
file(STRINGS "${WORK_DIR}/out/results.csv" entrants)
list(POP_FRONT entrants)
list(LENGTH rows rowCount)
list(LENGTH entrants entrantCount)
if(NOT rowCount EQUAL entrantCount OR rowCount EQUAL 0)
  fail("results.html renders ${rowCount} entrants' rows, results.csv has ${entrantCount}")
endif()
foreach(row IN LISTS rows)
  string(REGEX MATCH "href=\"(reports/([A-Z0-9_]+)\\.html)\"" _ "${row}")
  set(link "${CMAKE_MATCH_1}")
  set(call "${CMAKE_MATCH_2}")
  if(NOT EXISTS "${WORK_DIR}/out/${link}")
    fail("results.html links to ${link}, which logcheck did not write")
  endif()
  render("${link}")
  if(NOT dom MATCHES "<h1>Log check of ${call} ")
    fail("${link} does not render as ${call}'s report")
  endif()
endforeach()

# UT1AA's report: each section a heading over its block, the block's lines
# apart; the .txt's lines all there.
render(reports/UT1AA.html)
foreach(heading "Summary" "Clock" "busted-call \\(1, removed\\)")
  if(NOT dom MATCHES "<h2>${heading}</h2>\n?<pre>")
    fail("UT1AA.html renders no heading ${heading} over a block")
  endif()
endforeach()
string(REGEX MATCHALL "<pre>[^<]*</pre>" blocks "${dom}")
string(REGEX MATCHALL "\n" breaks "${blocks}")
list(LENGTH breaks breakCount)
file(READ "${WORK_DIR}/out/reports/UT1AA.txt" text)
string(REGEX MATCHALL "\n  " textLines "${text}")
list(LENGTH textLines indentedCount)
# (A block may hold a ';', which splits a CMake list: the blocks are
# counted by their tags.)
string(REGEX MATCHALL "<pre>" blockTags "${dom}")
list(LENGTH blockTags blockCount)
math(EXPR expectedBreaks "${indentedCount} - ${blockCount}")
if(NOT breakCount EQUAL expectedBreaks OR breakCount LESS 10)
  fail("UT1AA.html renders ${breakCount} line breaks in its blocks; its .txt calls for "
       "${expectedBreaks}:\n${dom}")
endif()
if(dom MATCHES "\\?" AND NOT text MATCHES "\\?")
  fail("UT1AA.html renders a '?' its .txt does not hold")
endif()

foreach(page results.html reports/UT1AA.html)
  string(MAKE_C_IDENTIFIER "${page}" pdf)
  chromium_pdf("${WORK_DIR}/out/${page}" "${WORK_DIR}/${pdf}.pdf")
endforeach()
