# Each built DLL exports exactly its decorated entry points and imports only system DLLs and the host
# libraries it is meant to link against. Read from the files themselves with objdump; needs no Wine.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(plugin_objdump x86_64-w64-mingw32-objdump)
else()
  set(plugin_objdump i686-w64-mingw32-objdump)
endif()
set(send_exports "_Execute@4;_GetFlags@0;_GetMenuName@12;_Shutdown@0;_Startup@0")
set(receive_exports "_Execute@4;_GetComment@8;_GetFlags@0;_GetMenuName@12;_Shutdown@0;_Startup@0")
set(plugin_checks
  "Brovix|${send_exports};_GetDestPath@12|"
  "Lundrel|${send_exports};_GetDestPath@12|"
  "Carvesh|${send_exports};_GetDestPath@8|"
  "Moltrin|${receive_exports}|corvana.dll"
  "Fennick|${receive_exports}|corvana.dll;pindle.dll")
if(TARGET Sorrend)
  list(APPEND plugin_checks "Sorrend|${receive_exports}|corvana.dll;ruskane.dll")
endif()
foreach(check ${plugin_checks})
  string(REPLACE "|" ";" fields "${check}")
  list(GET fields 0 plugin)
  string(REGEX REPLACE "^[^|]*\\|([^|]*)\\|.*$" "\\1" exports "${check}")
  string(REGEX REPLACE "^.*\\|([^|]*)$" "\\1" host_libraries "${check}")
  add_test(NAME plugins_exports_${plugin}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${plugin_objdump} -DMODULE=$<TARGET_FILE:${plugin}>
                   "-DEXPORTS=${exports}" "-DHOST_LIBRARIES=${host_libraries}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/check_exports.cmake)
  set_tests_properties(plugins_exports_${plugin} PROPERTIES LABELS plugins)
endforeach()
