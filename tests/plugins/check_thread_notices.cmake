# Fails unless MODULE switches thread notifications off exactly when SWITCHES_OFF is ON: read from its
# import table (DisableThreadLibraryCalls), since a module that never calls it keeps the notifications.
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${MODULE}")
endif()
string(FIND "${dump}" "DisableThreadLibraryCalls" at)
if(SWITCHES_OFF AND at EQUAL -1)
  message(FATAL_ERROR "${MODULE} keeps its thread notifications; it must switch them off")
elseif(NOT SWITCHES_OFF AND NOT at EQUAL -1)
  message(FATAL_ERROR "${MODULE} switches its thread notifications off; it must keep them")
endif()
