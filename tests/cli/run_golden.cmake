# Runs tufu-cli on fixed input and compares its output and exit status with
# the expected ones.  ARGS separates the arguments with "|"; EMULATOR, when
# given, runs the tool (Wine for a Windows build).
string(REPLACE "|" ";" args "${ARGS}")
if(INPUT)
  execute_process(COMMAND ${EMULATOR} ${TOOL} ${args} INPUT_FILE ${INPUT}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
else()
  execute_process(COMMAND ${EMULATOR} ${TOOL} ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
endif()
if(NOT rc EQUAL EXPECT_RC)
  message(FATAL_ERROR "exit status ${rc}, expected ${EXPECT_RC}\n${err}")
endif()
if(UPDATE)
  file(WRITE ${EXPECTED} "${out}")
endif()
file(READ ${EXPECTED} want)
if(NOT out STREQUAL want)
  file(WRITE ${EXPECTED}.actual "${out}")
  message(FATAL_ERROR "output differs from ${EXPECTED}; see ${EXPECTED}.actual\n${out}")
endif()
if(ERR_CONTAINS AND NOT err MATCHES "${ERR_CONTAINS}")
  message(FATAL_ERROR "standard error lacks '${ERR_CONTAINS}':\n${err}")
endif()
