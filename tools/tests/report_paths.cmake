# Every run that could write over a file of the user's is refused before the
# replay: an input at a name the plug-in writes, a file in the working
# folder that logreplay did not write, a --report path that would replace
# an input, the plug-in's own files, a page that is no report, a device or a
# folder. One line naming the path and the reason, exit status 2, nothing
# written. Script mode, natively (the cases use links, a FIFO and a device
# node):
#   cmake -DPROGRAM=<logreplay> -DLOG=<an ADIF log> -DWORK_DIR=<folder>
#         -P report_paths.cmake
# The device node is the test's own (mknod, as root), never the system's.
cmake_minimum_required(VERSION 3.25)

set(failures "")
# The log is log.adi, so the plug-in's working folder is log.stats; @DIR@
# stands for the case's folder, @SC@ for a semicolon, a last @EMPTY@ for an
# empty argument.
# name | what to make first | arguments after "score log.adi" ("@LOG@"
# instead: after "score") | the line on standard error after "logreplay: "
set(cases
  "input_log||--report log.adi|--report log.adi: is the input log (log.adi)"
  "input_elsewhere|mkdir logs && cp log.adi logs/small.adi|@LOG@ logs/small.adi \
--report logs/small.adi|--report logs/small.adi: is the input log (logs/small.adi)"
  "input_absolute||@LOG@ @DIR@/log.adi --report log.adi|\
--report log.adi: is the input log (@DIR@/log.adi)"
  "hard_link|ln log.adi hard.html|--report hard.html|--report hard.html: is the input log (log.adi)"
  "symbolic_link|ln -s log.adi soft.html|--report soft.html|\
--report soft.html: is the input log (log.adi)"
  "group_map|echo 'KI G3' > groups.txt|@LOG@ log.adi --group-map groups.txt --report groups.txt|\
--report groups.txt: is the group map (groups.txt)"
  "err_txt|mkdir log.stats|--report log.stats/err.txt|--report log.stats/err.txt: is the \
plug-in's list of refused QSOs (@DIR@/log.stats/err.txt)"
  "cabrillo_log||--report ./log.stats/UT9ZZQ.cbr|--report ./log.stats/UT9ZZQ.cbr: is the \
Cabrillo log the plug-in writes (@DIR@/log.stats/UT9ZZQ.cbr)"
  "settings_file|mkdir -p log.stats/Plugins|--report log.stats/Plugins/../Plugins/TAVIN.ini|\
--report log.stats/Plugins/../Plugins/TAVIN.ini: is the plug-in's settings file \
(@DIR@/log.stats/Plugins/TAVIN.ini)"
  "record||--report log.stats/written-by-logreplay.txt|--report log.stats/written-by-logreplay.txt: \
is logreplay's record of its files (@DIR@/log.stats/written-by-logreplay.txt)"
  "page_of_the_user|echo mine > mine.html|--report mine.html|\
--report mine.html: is a file that logreplay did not write@SC@ give --force to replace it"
  "empty_path||--report @EMPTY@|--report: the path is empty"
  "folder|mkdir folder|--report folder|--report folder: is a folder"
  "missing_folder||--report no_such_folder/r.html|\
--report no_such_folder/r.html: its folder no_such_folder does not exist"
  "unwritable_folder||--report /proc/self/r.html|\
--report /proc/self/r.html: its folder /proc/self takes no new files"
  "device|mknod full c 1 7|--report full|--report full: is a device"
  "fifo|mkfifo pipe|--report pipe|--report pipe: is a pipe"
  "dangling_link|ln -s nowhere dangling.html|--report dangling.html|\
--report dangling.html: is a symbolic link to a file that does not exist"
  "foreign_cabrillo_log|mkdir log.stats && echo mine > log.stats/UT9ZZQ.cbr|--cabrillo|\
@DIR@/log.stats/UT9ZZQ.cbr: was not written by logreplay, and the plug-in would replace it@SC@ \
move it away or give another --work folder"
  "foreign_err_txt|mkdir log.stats && echo mine > log.stats/err.txt|--work log.stats|\
@DIR@/log.stats/err.txt: was not written by logreplay, and the plug-in would replace it@SC@ \
move it away or give another --work folder"
  "link_in_work|mkdir log.stats && echo mine > notes.txt && ln -s ../notes.txt log.stats/err.txt||\
@DIR@/log.stats/err.txt: was not written by logreplay, and the plug-in would replace it@SC@ \
move it away or give another --work folder"
  "link_to_the_log|mkdir log.stats && ln -s ../log.adi log.stats/err.txt||log.adi: the plug-in's \
list of refused QSOs err.txt would replace this log@SC@ give another --work folder"
  "work_is_a_file||--work log.adi|--work log.adi: is not a folder"
  "report_over_input|cp log.adi EXPORT.cbr|@LOG@ EXPORT.cbr --own-call EXPORT --report r.html \
--work .|EXPORT.cbr: the plug-in's Cabrillo log EXPORT.cbr would replace this log@SC@ \
give another --work folder"
  "input_named_err_txt|cp log.adi err.txt|@LOG@ err.txt --work .|err.txt: the plug-in's list of \
refused QSOs err.txt would replace this log@SC@ give another --work folder"
  "input_named_settings|mkdir Plugins && cp log.adi Plugins/TAVIN.ini|@LOG@ Plugins/TAVIN.ini \
--work .|Plugins/TAVIN.ini: the plug-in's settings file Plugins/TAVIN.ini would replace this \
log@SC@ give another --work folder"
  "map_named_err_txt|echo 'KI G3' > err.txt|@LOG@ log.adi --group-map err.txt --work .|\
--group-map err.txt: the plug-in's list of refused QSOs err.txt would replace this map@SC@ \
give another --work folder")

# Runs logreplay in `dir` with the arguments of a case (a shell-like string).
function(run_case dir arguments)
  string(REPLACE "@DIR@" "${dir}" arguments "${arguments}")
  if(arguments MATCHES "^@LOG@ ")
    string(REGEX REPLACE "^@LOG@ " "" arguments "${arguments}")
    set(arguments "score ${arguments}")
  else()
    set(arguments "score log.adi --group-field APP_UT_GROUP --own-group G3 ${arguments}")
  endif()
  separate_arguments(argList UNIX_COMMAND "${arguments}")
  # The last argument goes quoted, so that an empty one survives.
  list(POP_BACK argList last)
  string(REPLACE "@EMPTY@" "" last "${last}")
  execute_process(COMMAND "${PROGRAM}" ${argList} "${last}" WORKING_DIRECTORY "${dir}"
                  INPUT_FILE /dev/null
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(fresh_case_folder dir)
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${LOG}" "${dir}/log.adi")
endfunction()

foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(GET parts 1 setup)
  list(GET parts 2 arguments)
  list(GET parts 3 message)
  set(dir "${WORK_DIR}/${name}")
  fresh_case_folder("${dir}")
  if(setup)
    execute_process(COMMAND sh -c "${setup}" WORKING_DIRECTORY "${dir}" RESULT_VARIABLE made)
    if(NOT made EQUAL 0)
      list(APPEND failures "${name}: cannot prepare the case with \"${setup}\"")
      continue()
    endif()
  endif()
  file(GLOB_RECURSE before LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  file(SHA256 "${dir}/log.adi" logBefore)
  run_case("${dir}" "${arguments}")
  file(GLOB_RECURSE after LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  file(SHA256 "${dir}/log.adi" logAfter)
  string(REPLACE "@DIR@" "${dir}" message "${message}")
  string(REPLACE "@SC@" ";" message "${message}")
  set(expected "logreplay: ${message}\n")
  if(NOT status EQUAL 2 OR NOT err STREQUAL expected OR NOT out STREQUAL "")
    list(APPEND failures "${name}: status ${status}, stderr \"${err}\", expected \"${expected}\"")
  elseif(NOT before STREQUAL after OR NOT logBefore STREQUAL logAfter)
    list(APPEND failures "${name}: files changed: ${before} -> ${after}")
  endif()
endforeach()

# A link to a page of the user's: with --force the page is replaced and the
# link stays; the page is logreplay's from then on, replaced without it.
set(dir "${WORK_DIR}/link_to_page")
fresh_case_folder("${dir}")
file(WRITE "${dir}/page.html" "old")
file(CREATE_LINK page.html "${dir}/link.html" SYMBOLIC)
foreach(force "--force" "")
  run_case("${dir}" "--report link.html ${force}")
  file(READ "${dir}/page.html" page LIMIT 40)
  string(FIND "${page}" "<!DOCTYPE html>" doctype)
  if(NOT status EQUAL 0 OR NOT IS_SYMLINK "${dir}/link.html" OR NOT doctype EQUAL 0)
    list(APPEND failures "link_to_page ${force}: status ${status}, page starts \"${page}\": ${err}")
  endif()
endforeach()

# The files the plug-in wrote are logreplay's: a second run replaces them.
# A file at the Cabrillo log's name is judged only when the plug-in writes
# one.
set(dir "${WORK_DIR}/second_run")
fresh_case_folder("${dir}")
foreach(arguments "--cabrillo" "--cabrillo" "")
  run_case("${dir}" "${arguments}")
  if(NOT status EQUAL 0)
    list(APPEND failures "second_run ${arguments}: status ${status}: ${err}")
  endif()
  file(APPEND "${dir}/log.stats/UT9ZZQ.cbr" "")
endforeach()
file(APPEND "${dir}/log.stats/UT9ZZQ.cbr" "edited by hand\n")
run_case("${dir}" "")
if(NOT status EQUAL 0)
  list(APPEND failures "second_run without --cabrillo, the .cbr edited: status ${status}: ${err}")
endif()

if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "report paths:\n${failures}")
endif()
