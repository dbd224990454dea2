# The README shows the ADIF mapping table exactly as `logreplay score
# --help` prints it. Script mode:
#   cmake -DPROGRAM=<logreplay> -DREADME=<README.md> -P readme_mapping.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${PROGRAM}" score --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
set(title "How the log's ADIF fields feed the plug-in:\n")
string(FIND "${help}" "${title}" at)
if(NOT status EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "logreplay score --help (status ${status}) shows no mapping table:\n${help}")
endif()
string(LENGTH "${title}" titleLength)
math(EXPR at "${at} + ${titleLength}")
string(SUBSTRING "${help}" ${at} -1 table)
string(STRIP "${table}" table)
file(READ "${README}" readme)
string(FIND "${readme}" "```\n  ${table}\n```" found)
if(found EQUAL -1)
  message(FATAL_ERROR "README.md lacks the mapping table as the help shows it:\n${table}")
endif()
