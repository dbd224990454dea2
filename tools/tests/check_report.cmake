# Replays a log with `logreplay score --report` in a fresh folder and checks
# the page. Script mode:
#   cmake -DPROGRAM=<logreplay> -DWORK_DIR=<folder> -DLOG=<log> -DARGS=<'|'-separated>
#         -DCHECK=numbers|browser [-DCHROMIUM=<chromium>] -P check_report.cmake
# numbers: the page's results table, band × tour matrix and refused list
#   agree with the plug-in's results text, Cabrillo log and err.txt; the
#   log's kind and name, the operating time, its off times and the summary
#   block's score and categories agree with what this script works out from
#   the Cabrillo log's QSO lines and header and the results text. How the
#   page draws its parts from those figures (tour heads, rates, the
#   summary's table, a page without stored QSOs) is tested in C++
#   (tools/report/report_data_test.cc).
# browser: headless Chromium loads the page offline, the rendered charts
#   hold the bars the Cabrillo log calls for, the operating time, rates
#   and summary sections are rendered, and it prints on one to three A4
#   pages.
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(CONCAT what ${ARGV})
  message(FATAL_ERROR "report (${CHECK}): ${what}")
endfunction()

function(expect_equal actual expected what)
  if(NOT "${actual}" STREQUAL "${expected}")
    fail("${what}: page says ${actual}, expected ${expected}")
  endif()
endfunction()

function(expect_found text part what)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    fail("${what}: lacks ${part}")
  endif()
endfunction()

# The band of a frequency in kHz, as the band table has it; empty outside.
set(bandEdges "160m 1800 2000" "80m 3500 4000" "60m 5060 5450" "40m 7000 7300"
    "30m 10100 10150" "20m 14000 14350" "17m 18068 18168" "15m 21000 21450"
    "12m 24890 24990" "10m 28000 29700" "6m 50000 54000" "2m 144000 148000")
function(band_of kHz out)
  set(band "")
  foreach(edge IN LISTS bandEdges)
    string(REPLACE " " ";" edge "${edge}")
    list(GET edge 1 low)
    list(GET edge 2 high)
    if(kHz GREATER_EQUAL low AND kHz LESS_EQUAL high)
      list(GET edge 0 band)
    endif()
  endforeach()
  set(${out} "${band}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${LOG}" DESTINATION "${WORK_DIR}")
string(REPLACE "|" ";" argList "${ARGS}")
# The plug-in writes its files in the working folder plugin/.
set(pluginDir "${WORK_DIR}/plugin")
execute_process(COMMAND "${PROGRAM}" ${argList} --report report.html --work plugin
                WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS "${WORK_DIR}/report.html")
  fail("logreplay exit status ${status}, no page\n${out}\n${err}")
endif()
file(READ "${WORK_DIR}/report.html" page)
string(REGEX MATCH "File produced: ([^ \n]+\\.cbr)" produced "${out}")
set(cabrillo "${pluginDir}/${CMAKE_MATCH_1}")
if(NOT produced OR NOT EXISTS "${cabrillo}")
  fail("no Cabrillo log named in the output:\n${out}")
endif()
file(STRINGS "${cabrillo}" qsoLines REGEX "^QSO:")
list(LENGTH qsoLines qsoCount)

if(CHECK STREQUAL "numbers")
  # The results text's rows, band by band, and the score.
  string(REGEX MATCHALL "\n[^\t\n]+\t [0-9]+\t [0-9]+\t [0-9]+\t [0-9]+" rows "${out}")
  list(LENGTH rows rowCount)
  string(REGEX MATCHALL "<tr data-band=\"[^\"]*\" data-values=" pageRows "${page}")
  list(LENGTH pageRows pageRowCount)
  expect_equal(${pageRowCount} ${rowCount} "rows of the results table")
  set(cellQsos 0)
  set(cellPoints 0)
  set(cellMults 0)
  set(serials 0)
  foreach(row IN LISTS rows)
    string(REGEX MATCH "\n([^\t]+)\t ([0-9]+)\t ([0-9]+)\t ([0-9]+)\t ([0-9]+)" _ "${row}")
    set(band "${CMAKE_MATCH_1}")
    set(qsos ${CMAKE_MATCH_2})
    set(points ${CMAKE_MATCH_3})
    set(values "${qsos} ${points} ${CMAKE_MATCH_4} ${CMAKE_MATCH_5}")
    string(FIND "${page}" "<tr data-band=\"${band}\" data-values=\"${values}\"" at)
    if(at EQUAL -1)
      fail("the results table lacks the row ${band}: ${values}")
    endif()
    if(band STREQUAL "Total")
      set(totalQsos ${qsos})
      continue()
    endif()
    # The band's matrix cells add up to the plug-in's row.
    set(number "=\"[0-9]+\"")
    string(REGEX MATCHALL "data-band=\"${band}\" data-tour${number} data-qsos${number} \
data-points${number} data-mults${number}" cells "${page}")
    set(bandQsos 0)
    set(bandPoints 0)
    foreach(cell IN LISTS cells)
      string(REGEX MATCH "data-qsos=\"([0-9]+)\" data-points=\"([0-9]+)\" data-mults=\"([0-9]+)\""
             _ "${cell}")
      math(EXPR bandQsos "${bandQsos} + ${CMAKE_MATCH_1}")
      math(EXPR bandPoints "${bandPoints} + ${CMAKE_MATCH_2}")
      math(EXPR cellMults "${cellMults} + ${CMAKE_MATCH_3}")
    endforeach()
    string(REGEX MATCH "<tr data-band=\"${band}\" data-serial=\"([0-9]+)\" data-total=\"([0-9]+)\""
           matrixRow "${page}")
    if(NOT matrixRow)
      fail("the matrix lacks the row ${band}")
    endif()
    math(EXPR bandPoints "${bandPoints} + ${CMAKE_MATCH_1}")
    expect_equal(${bandQsos} ${qsos} "${band} QSOs summed over the tours")
    expect_equal(${bandPoints} ${points} "${band} points summed over the tours, with the serial")
    expect_equal(${CMAKE_MATCH_2} ${points} "${band} band points")
    math(EXPR cellQsos "${cellQsos} + ${bandQsos}")
    math(EXPR cellPoints "${cellPoints} + ${bandPoints} - ${CMAKE_MATCH_1}")
    math(EXPR serials "${serials} + ${CMAKE_MATCH_1}")
  endforeach()
  string(REGEX MATCH "\nScore:  = ([0-9]+)" _ "${out}")
  expect_found("${page}" "data-score=\"${CMAKE_MATCH_1}\"" "the page's score")
  math(EXPR claimed "${cellPoints} + ${serials}")
  expect_equal(${claimed} ${CMAKE_MATCH_1} "matrix points with the serials")
  expect_equal(${cellQsos} ${totalQsos} "QSOs in the matrix")

  # The matrix against the Cabrillo log: its QSO lines, their points and
  # the band weights of the multipliers they mark; a multiplier of weight 0
  # scores nothing and is not counted.
  set(linePoints 0)
  set(lineMults 0)
  foreach(line IN LISTS qsoLines)
    string(REGEX MATCH " (-?[0-9]+) (--|[0-9]+) -?[0-9]+$" _ "${line}")
    math(EXPR linePoints "${linePoints} + ${CMAKE_MATCH_1}")
    if(NOT CMAKE_MATCH_2 STREQUAL "--" AND CMAKE_MATCH_2 GREATER 0)
      math(EXPR linePoints "${linePoints} + ${CMAKE_MATCH_2}")
      math(EXPR lineMults "${lineMults} + 1")
    endif()
  endforeach()
  expect_equal(${cellQsos} ${qsoCount} "QSOs in the matrix against the Cabrillo lines")
  expect_equal(${cellPoints} ${linePoints} "matrix points against the Cabrillo lines")
  expect_equal(${cellMults} ${lineMults} "multipliers against the Cabrillo lines")

  # The refused list is err.txt after its title line, in order.
  file(STRINGS "${pluginDir}/err.txt" errLines)
  list(POP_FRONT errLines)
  string(REGEX MATCHALL "<tr data-line=\"[^\"]*\"" refused "${page}")
  set(listed)
  foreach(row IN LISTS refused)
    string(REGEX REPLACE "^<tr data-line=\"(.*)\"$" "\\1" row "${row}")
    foreach(entity "&lt;|<" "&gt;|>" "&quot;|\"" "&#39;|'" "&amp;|&")
      string(REPLACE "|" ";" pair "${entity}")
      list(GET pair 0 from)
      list(GET pair 1 to)
      string(REPLACE "${from}" "${to}" row "${row}")
    endforeach()
    list(APPEND listed "${row}")
  endforeach()
  expect_equal("${listed}" "${errLines}" "refused QSOs")

  include("${CMAKE_CURRENT_LIST_DIR}/check_report_activity.cmake")
  return()
endif()

if(NOT CHECK STREQUAL "browser")
  fail("CHECK must be numbers or browser")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/headless_chromium.cmake")
chromium_dom("${WORK_DIR}/report.html" "</footer>")

# The bars each chart should have: the rate chart one per hour, band and
# mode worked (the QSO lines' hours, the bands of their kHz), the points
# chart one per band and tour with points.
set(rateKeys)
foreach(line IN LISTS qsoLines)
  string(REGEX MATCH "^QSO: +([0-9]+) ([A-Z?]+) ([0-9-]+) ([0-9][0-9])" _ "${line}")
  set(key "${CMAKE_MATCH_3}-${CMAKE_MATCH_4}-${CMAKE_MATCH_2}")
  set(kHz ${CMAKE_MATCH_1})
  band_of(${kHz} band)
  if(band)
    string(APPEND key "-${band}")
  endif()
  list(APPEND rateKeys "${key}")
endforeach()
list(REMOVE_DUPLICATES rateKeys)
list(LENGTH rateKeys rateBars)
string(REGEX MATCHALL "data-points=\"[1-9][0-9]*\" data-mults" pointCells "${page}")
list(LENGTH pointCells pointBars)

foreach(chart "rate-chart|${rateBars}|${qsoCount}" "points-chart|${pointBars}|")
  string(REPLACE "|" ";" chart "${chart}")
  list(GET chart 0 id)
  list(GET chart 1 expected)
  list(GET chart 2 expectedSum)
  string(REGEX MATCH "<svg[^>]* id=\"${id}\"[^>]*>.*</svg>" svg "${dom}")
  string(FIND "${svg}" "</svg>" end)
  string(SUBSTRING "${svg}" 0 ${end} svg)
  string(REGEX MATCHALL "<rect class=\"bar[^>]* data-value=\"[0-9]+\"" bars "${svg}")
  list(LENGTH bars count)
  string(REGEX MATCHALL "<rect" rects "${svg}")
  list(LENGTH rects rectCount)
  expect_equal(${count} ${expected} "bars rendered in ${id}")
  expect_equal(${rectCount} ${expected} "rectangles rendered in ${id}")
  if(expectedSum)
    set(sum 0)
    foreach(bar IN LISTS bars)
      string(REGEX MATCH "data-value=\"([0-9]+)\"" _ "${bar}")
      math(EXPR sum "${sum} + ${CMAKE_MATCH_1}")
    endforeach()
    expect_equal(${sum} ${expectedSum} "QSOs stacked in ${id}")
  endif()
endforeach()

# The operating time, the rate rows and the summary block come through the
# browser's parser as written.
foreach(part "<dl id=\"operating-time\"[^>]*>" "<tr data-rate=[^>]*>"
             "<pre id=\"summary\">[^<]*</pre>")
  string(REGEX MATCHALL "${part}" written "${page}")
  string(REGEX MATCHALL "${part}" rendered "${dom}")
  list(LENGTH rendered count)
  if(count EQUAL 0)
    fail("nothing rendered of ${part}")
  endif()
  expect_equal("${rendered}" "${written}" "rendered ${part}")
endforeach()

chromium_pdf("${WORK_DIR}/report.html" "${WORK_DIR}/report.pdf")
file(STRINGS "${WORK_DIR}/report.pdf" pageCounts REGEX "/Count [0-9]+")
string(REGEX MATCH "/Count ([0-9]+)" _ "${pageCounts}")
if(NOT CMAKE_MATCH_1 OR CMAKE_MATCH_1 GREATER 3)
  fail("the page prints on ${CMAKE_MATCH_1} A4 pages, not one to three")
endif()
