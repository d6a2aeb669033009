# Test helpers. Windows test programs run under Wine through the crosscompiling emulator, in a private
# prefix inside the build tree (tools/wine/run-under-wine creates it on first use).
if(WIN32 AND CMAKE_CROSSCOMPILING)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VORLANE_WINE_LOADER /usr/lib/wine/wine64)
  else()
    set(VORLANE_WINE_LOADER wine)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine/run-under-wine;${CMAKE_BINARY_DIR}/wineprefix;${VORLANE_WINE_LOADER})
  # A kernel without 32-bit support cannot run 32-bit Wine: the Windows test programs of such a build
  # are then registered but disabled (the win64 build runs the same tests).
  execute_process(COMMAND ${VORLANE_WINE_LOADER} --version RESULT_VARIABLE wine_rc OUTPUT_QUIET ERROR_QUIET)
  if(wine_rc EQUAL 0)
    set(VORLANE_WINE_RUNS ON)
  else()
    set(VORLANE_WINE_RUNS OFF)
    message(STATUS "${VORLANE_WINE_LOADER} cannot run here: Windows test programs of this build are disabled")
  endif()
endif()

# Marks tests that run a Windows program of this build (they need Wine).
function(vorlane_needs_wine)
  if(WIN32 AND CMAKE_CROSSCOMPILING AND NOT VORLANE_WINE_RUNS)
    set_tests_properties(${ARGN} PROPERTIES DISABLED TRUE)
  endif()
endfunction()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
# SYSTEM: our warnings do not reach into GoogleTest's headers.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(t gtest gtest_main gmock gmock_main)
  target_compile_options(${t} PRIVATE -w)
endforeach()

# vorlane_test(NAME SOURCES ... [LIBS ...] [LABELS ...])
function(vorlane_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vorlane_module_entry ${T_LIBS} gmock gtest_main vorlane_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  if(WIN32)
    set(drive "Z:")
  endif()
  target_compile_definitions(${name} PRIVATE VORLANE_BIN_DIR="${drive}${CMAKE_BINARY_DIR}/bin"
                                             VORLANE_SOURCE_DIR="${drive}${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS "${T_LABELS}")
  vorlane_needs_wine(${name})
endfunction()
