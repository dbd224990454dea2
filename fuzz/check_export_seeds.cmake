# Writes fuzz_exports' seeds and regression inputs with MAKER from LOG into
# WORK_DIR and compares each with the committed file of its name in SEEDS or
# REGRESSIONS. Files there that the maker does not write are not compared.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/seeds ${WORK_DIR}/regressions)
execute_process(COMMAND ${MAKER} ${LOG} ${WORK_DIR}/seeds ${WORK_DIR}/regressions
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_export_seeds failed (${status})")
endif()

set(stale "")
foreach(kind seeds regressions)
  string(TOUPPER ${kind} committedVar)
  file(GLOB written RELATIVE ${WORK_DIR}/${kind} ${WORK_DIR}/${kind}/*)
  if(NOT written)
    message(FATAL_ERROR "make_export_seeds wrote no ${kind}")
  endif()
  foreach(name IN LISTS written)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${kind}/${name}
                            ${${committedVar}}/${name}
                    RESULT_VARIABLE differs OUTPUT_QUIET ERROR_QUIET)
    if(NOT differs EQUAL 0)
      list(APPEND stale ${${committedVar}}/${name})
    endif()
  endforeach()
endforeach()
if(stale)
  string(REPLACE ";" "\n  " stale "${stale}")
  message(FATAL_ERROR "Stale inputs of fuzz_exports (a list in stats/host_fields.def or "
                      "the input format changed?):\n  ${stale}\nWrite them again with\n  "
                      "${MAKER} ${LOG} ${SEEDS} ${REGRESSIONS}")
endif()
