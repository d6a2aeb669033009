# Each built DLL exports exactly its decorated entry points and imports only system DLLs and the host
# libraries it is meant to link against. Read from the files themselves with objdump; needs no Wine.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(plugin_objdump x86_64-w64-mingw32-objdump)
else()
  set(plugin_objdump i686-w64-mingw32-objdump)
endif()
include(${CMAKE_CURRENT_SOURCE_DIR}/plugin_tables.cmake)

foreach(plugin ${vorlane_shipped_plugins})
  string(REPLACE ";" "," exports "${${plugin}_exports}")
  string(REPLACE ";" "," host_libraries "${${plugin}_host_libraries}")
  add_test(NAME plugins_exports_${plugin}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${plugin_objdump} -DMODULE=$<TARGET_FILE:${plugin}>
                   -DEXPORTS=${exports} -DHOST_LIBRARIES=${host_libraries}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/check_exports.cmake)
  add_test(NAME plugins_thread_notices_${plugin}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${plugin_objdump} -DMODULE=$<TARGET_FILE:${plugin}>
                   -DSWITCHES_OFF=${${plugin}_switches_off} -P ${CMAKE_CURRENT_SOURCE_DIR}/check_thread_notices.cmake)
  set_tests_properties(plugins_exports_${plugin} plugins_thread_notices_${plugin} PROPERTIES LABELS plugins)
endforeach()
