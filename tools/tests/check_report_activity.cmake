# Part of check_report.cmake (numbers), included with its variables: the
# page's log kind, operating time, off times and summary block against what
# this script works out from the Cabrillo log the plug-in wrote (its QSO
# lines are the stored QSOs), its header and the results text. The rule, as
# the page states it: an off time is a gap of 30 minutes or more between
# two consecutive QSOs.

# Minutes since 1970-01-01 of a QSO line's date and time (days from the
# civil date, with March as the year's first month).
function(minute_of date hour minute out)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${date}")
  set(parts)
  foreach(part ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${hour} ${minute})
    string(REGEX REPLACE "^0+([0-9])" "\\1" part "${part}")
    list(APPEND parts ${part})
  endforeach()
  list(POP_FRONT parts y m d hh mm)
  if(m LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
    math(EXPR m "${m} + 9")
  else()
    math(EXPR m "${m} - 3")
  endif()
  math(EXPR days "${y} * 365 + ${y} / 4 - ${y} / 100 + ${y} / 400 + (153 * ${m} + 2) / 5 \
+ ${d} - 719469")
  math(EXPR total "${days} * 1440 + ${hh} * 60 + ${mm}")
  set(${out} ${total} PARENT_SCOPE)
endfunction()

get_filename_component(logName "${LOG}" NAME)
file(STRINGS "${LOG}" firstLine LIMIT_COUNT 1)
set(logKind ADIF)
if(firstLine MATCHES "^[Ss][Tt][Aa][Rr][Tt]-[Oo][Ff]-[Ll][Oo][Gg]:")
  set(logKind Cabrillo)
endif()
expect_found("${page}" "data-log-kind=\"${logKind}\">Drawn from the ${logKind} log ${logName}:"
             "the log's kind")

# The summary block, its runs of blanks as one.
string(REGEX MATCH "<pre id=\"summary\">([^<]*)</pre>" _ "${page}")
string(REGEX REPLACE " +" " " summary "${CMAKE_MATCH_1}")
if(NOT summary)
  fail("no summary block")
endif()
string(REGEX MATCH "\nScore:  = ([0-9]+)" _ "${out}")
expect_found("${summary}" "\nClaimed score: ${CMAKE_MATCH_1}\n" "the summary")
# The categories a Cabrillo log declares are the entry's; else those of
# the plug-in's Cabrillo log, from the header form, which was not shown:
# standard input is no terminal.
file(STRINGS "${LOG}" categoryLines REGEX "^[Cc][Aa][Tt][Ee][Gg][Oo][Rr][Yy]-")
set(from "from the header of ${logName}")
if(NOT logKind STREQUAL "Cabrillo" OR NOT categoryLines)
  file(STRINGS "${cabrillo}" categoryLines REGEX "^CATEGORY-")
  set(from "defaults of the header dialog, which was not shown for want of a terminal")
endif()
set(categories)
foreach(line IN LISTS categoryLines)
  string(TOUPPER "${line}" line)
  string(REGEX MATCH "^CATEGORY-([^:]*): *(.*[^ ])? *$" _ "${line}")
  list(APPEND categories "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
endforeach()
list(JOIN categories ", " categories)
if(NOT categories)
  set(categories "not set")
endif()
expect_found("${summary}" "\nCategories: ${categories} (${from})\n" "the summary")

if(qsoCount EQUAL 0)
  return()
endif()

# The stored QSOs' minutes in time order; text_<minute> as the page writes
# it.
set(minutes)
foreach(line IN LISTS qsoLines)
  string(REGEX MATCH "^QSO: +[0-9]+ [A-Z?]+ ([0-9-]+) ([0-9][0-9])([0-9][0-9])" _ "${line}")
  set(text "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}:${CMAKE_MATCH_3}")
  minute_of(${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} minute)
  set(text_${minute} "${text}")
  list(APPEND minutes ${minute})
endforeach()
list(SORT minutes COMPARE NATURAL)
list(GET minutes 0 first)
list(GET minutes -1 last)

math(EXPR onAir "${last} - ${first}")
set(previous ${first})
set(breaks)
foreach(minute IN LISTS minutes)
  math(EXPR gap "${minute} - ${previous}")
  if(gap GREATER_EQUAL 30)
    math(EXPR onAir "${onAir} - ${gap}")
    list(APPEND breaks "data-break-from=\"${text_${previous}}\" \
data-break-to=\"${text_${minute}}\" data-break-minutes=\"${gap}\"")
  endif()
  set(previous ${minute})
endforeach()
list(LENGTH breaks breakCount)
expect_found("${page}" "<dl id=\"operating-time\" data-first=\"${text_${first}}\" \
data-last=\"${text_${last}}\" data-on-air=\"${onAir}\" data-breaks=\"${breakCount}\">"
               "operating time")
string(REGEX MATCHALL "data-break-from=\"[^\"]*\" data-break-to=\"[^\"]*\" \
data-break-minutes=\"[0-9]+\"" pageBreaks "${page}")
expect_equal("${pageBreaks}" "${breaks}" "off times")
math(EXPR hours "${onAir} / 60")
math(EXPR rest "${onAir} % 60")
string(REGEX REPLACE "^.*(..)$" "\\1" rest "0${rest}")
expect_found("${summary}" "\nOperating time: ${hours} h ${rest} min, ${text_${first}} to \
${text_${last}} UTC" "the summary")
