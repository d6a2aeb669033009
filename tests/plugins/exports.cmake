# Each built DLL exports exactly its decorated entry points and imports only system DLLs and the host
# libraries it is meant to link against. Read from the files themselves with objdump; needs no Wine.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(plugin_objdump x86_64-w64-mingw32-objdump)
else()
  set(plugin_objdump i686-w64-mingw32-objdump)
endif()
set(common_exports _Execute@4 _GetFlags@0 _GetMenuName@12 _Shutdown@0 _Startup@0)

# check_plugin_exports(PLUGIN "EXPORTS" "HOST_LIBRARIES")
function(check_plugin_exports plugin exports host_libraries)
  string(REPLACE ";" "," exports "${exports}")
  string(REPLACE ";" "," host_libraries "${host_libraries}")
  add_test(NAME plugins_exports_${plugin}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${plugin_objdump} -DMODULE=$<TARGET_FILE:${plugin}>
                   -DEXPORTS=${exports} -DHOST_LIBRARIES=${host_libraries}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/check_exports.cmake)
  set_tests_properties(plugins_exports_${plugin} PROPERTIES LABELS plugins)
endfunction()

check_plugin_exports(Brovix "${common_exports};_GetDestPath@12" "")
check_plugin_exports(Lundrel "${common_exports};_GetDestPath@12" "")
check_plugin_exports(Carvesh "${common_exports};_GetDestPath@8" "")
check_plugin_exports(Moltrin "${common_exports};_GetComment@8" "corvana.dll")
check_plugin_exports(Fennick "${common_exports};_GetComment@8" "corvana.dll;pindle.dll")
check_plugin_exports(Sorrend "${common_exports};_GetComment@8" "corvana.dll;ruskane.dll")

# Carvesh keeps its thread attach and detach notifications; the other plug-ins switch them off.
foreach(plugin Brovix Lundrel Carvesh Moltrin Fennick Sorrend)
  set(switches_off ON)
  if(plugin STREQUAL "Carvesh")
    set(switches_off OFF)
  endif()
  add_test(NAME plugins_thread_notices_${plugin}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${plugin_objdump} -DMODULE=$<TARGET_FILE:${plugin}>
                   -DSWITCHES_OFF=${switches_off} -P ${CMAKE_CURRENT_SOURCE_DIR}/check_thread_notices.cmake)
  set_tests_properties(plugins_thread_notices_${plugin} PROPERTIES LABELS plugins)
endforeach()
