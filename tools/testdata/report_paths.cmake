# Every --report path that would replace a file of the user's, the plug-in's
# own files, a device or a folder is refused before the replay: one line
# naming the path and the reason, exit status 2, nothing written. Script
# mode, natively (the cases use links, a FIFO and a device node):
#   cmake -DPROGRAM=<logreplay> -DLOG=<an ADIF log> -DWORK_DIR=<folder>
#         -P report_paths.cmake
# The device node is the test's own (mknod, as root), never the system's.
cmake_minimum_required(VERSION 3.25)

set(failures "")
# name | what to make first | the report path | the reason printed
set(cases
  "input_log||log.adi|is the input log (log.adi)"
  "hard_link|ln log.adi hard.html|hard.html|is the input log (log.adi)"
  "symbolic_link|ln -s log.adi soft.html|soft.html|is the input log (log.adi)"
  "err_txt|echo old > err.txt|err.txt|is the plug-in's list of refused QSOs (err.txt)"
  "err_txt_new||./err.txt|is the plug-in's list of refused QSOs (err.txt)"
  "cabrillo_log||UT9ZZQ.cbr|is the Cabrillo log the plug-in writes (UT9ZZQ.cbr)"
  "settings_file||Plugins/../Plugins/TAVIN.ini|is the plug-in's settings file (Plugins/TAVIN.ini)"
  "empty_path|||the path is empty"
  "folder|mkdir folder|folder|is a folder"
  "missing_folder||no_such_folder/r.html|its folder no_such_folder does not exist"
  "unwritable_folder||/proc/self/r.html|its folder /proc/self takes no new files"
  "device|mknod full c 1 7|full|is a device"
  "fifo|mkfifo pipe|pipe|is a pipe"
  "dangling_link|ln -s nowhere dangling.html|dangling.html|is a symbolic link to a file that does not exist")

foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(GET parts 1 setup)
  list(GET parts 2 report)
  list(GET parts 3 reason)
  set(dir "${WORK_DIR}/${name}")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}/Plugins")
  file(COPY_FILE "${LOG}" "${dir}/log.adi")
  file(WRITE "${dir}/Plugins/TAVIN.ini" "[Settings]\n")
  if(setup)
    execute_process(COMMAND sh -c "${setup}" WORKING_DIRECTORY "${dir}" RESULT_VARIABLE made)
    if(NOT made EQUAL 0)
      list(APPEND failures "${name}: cannot prepare the case with \"${setup}\"")
      continue()
    endif()
  endif()
  file(GLOB before RELATIVE "${dir}" "${dir}/*" "${dir}/Plugins/*")
  file(SHA256 "${dir}/log.adi" logBefore)
  execute_process(COMMAND "${PROGRAM}" score log.adi --group-field APP_UT_GROUP --own-group G3
                          --report "${report}"
                  WORKING_DIRECTORY "${dir}" INPUT_FILE /dev/null
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(GLOB after RELATIVE "${dir}" "${dir}/*" "${dir}/Plugins/*")
  file(SHA256 "${dir}/log.adi" logAfter)
  set(expected "logreplay: --report ${report}: ${reason}\n")
  if(report STREQUAL "")
    set(expected "logreplay: --report: ${reason}\n")
  endif()
  if(NOT status EQUAL 2 OR NOT err STREQUAL expected OR NOT out STREQUAL "")
    list(APPEND failures "${name}: status ${status}, stderr \"${err}\", expected \"${expected}\"")
  elseif(NOT before STREQUAL after OR NOT logBefore STREQUAL logAfter)
    list(APPEND failures "${name}: files changed: ${before} -> ${after}")
  endif()
endforeach()

# A link to a page of the user's: the page is replaced, the link stays.
set(dir "${WORK_DIR}/link_to_page")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}/Plugins")
file(COPY_FILE "${LOG}" "${dir}/log.adi")
file(WRITE "${dir}/page.html" "old")
file(CREATE_LINK page.html "${dir}/link.html" SYMBOLIC)
execute_process(COMMAND "${PROGRAM}" score log.adi --group-field APP_UT_GROUP --own-group G3
                        --report link.html
                WORKING_DIRECTORY "${dir}" INPUT_FILE /dev/null
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ "${dir}/page.html" page LIMIT 40)
string(FIND "${page}" "<!DOCTYPE html>" doctype)
if(NOT status EQUAL 0 OR NOT IS_SYMLINK "${dir}/link.html" OR NOT doctype EQUAL 0)
  list(APPEND failures "link_to_page: status ${status}, page starts \"${page}\": ${err}")
endif()

if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "report paths:\n${failures}")
endif()
