# One example through orbcalc-utf8: its standard output must be the system
# iconv's UTF-8 of the expected CP932 bytes, its standard error and exit
# status orbcalc's own.
file(MAKE_DIRECTORY ${WORK})
set(ENV{ORBCALC} ${ORBCALC})
execute_process(COMMAND ${VIEWER} INPUT_FILE ${ANSWERS} OUTPUT_FILE ${WORK}/viewer.out
                ERROR_VARIABLE error RESULT_VARIABLE status)
execute_process(COMMAND ${ICONV} -f CP932 -t UTF-8 ${EXPECTED}/stdout OUTPUT_FILE ${WORK}/iconv.out
                RESULT_VARIABLE iconv_status)
if(NOT iconv_status EQUAL 0)
  message(FATAL_ERROR "iconv could not convert ${EXPECTED}/stdout")
endif()
file(READ ${EXPECTED}/stderr expected_error)
file(READ ${EXPECTED}/status expected_status)
string(STRIP "${expected_status}" expected_status)
if(NOT status STREQUAL expected_status OR NOT error STREQUAL expected_error)
  message(FATAL_ERROR "status ${status}, expected ${expected_status}; standard error:\n${error}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/viewer.out ${WORK}/iconv.out
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${WORK}/viewer.out differs from ${WORK}/iconv.out")
endif()
