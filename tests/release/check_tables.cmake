# cmake -DDIR=folder -P check_tables.cmake
# The build's export, import and thread-notice checks, run over the six 32-bit DLLs in DIR.
set(checks ${CMAKE_CURRENT_LIST_DIR}/../plugins)
include(${checks}/plugin_tables.cmake)
foreach(plugin ${vorlane_shipped_plugins})
  string(REPLACE ";" "," exports "${${plugin}_exports}")
  string(REPLACE ";" "," host_libraries "${${plugin}_host_libraries}")
  set(module ${DIR}/${plugin}.dll)
  execute_process(COMMAND ${CMAKE_COMMAND} -DOBJDUMP=i686-w64-mingw32-objdump -DMODULE=${module}
                          -DEXPORTS=${exports} -DHOST_LIBRARIES=${host_libraries} -P ${checks}/check_exports.cmake
                  RESULT_VARIABLE exports_rc)
  execute_process(COMMAND ${CMAKE_COMMAND} -DOBJDUMP=i686-w64-mingw32-objdump -DMODULE=${module}
                          -DSWITCHES_OFF=${${plugin}_switches_off} -P ${checks}/check_thread_notices.cmake
                  RESULT_VARIABLE notices_rc)
  if(NOT exports_rc EQUAL 0 OR NOT notices_rc EQUAL 0)
    message(FATAL_ERROR "${module}: its tables are not those of the build")
  endif()
endforeach()
