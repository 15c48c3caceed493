# Runs `halvanectl datapacket roundtrip` on a fixture and compares the result with the expected
# file; then checks that an unreadable input gives a non-zero exit and a message.
execute_process(COMMAND ${HALVANECTL} datapacket roundtrip ${IN} ${OUT}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "roundtrip failed (${rc}): ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${EXPECTED} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${OUT} differs from ${EXPECTED}")
endif()
execute_process(COMMAND ${HALVANECTL} datapacket roundtrip ${IN}.missing ${OUT}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "cannot load")
    message(FATAL_ERROR "a missing input gave exit ${rc} and '${err}'")
endif()
