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
  # Under qemu's user-mode emulation every Wine process start costs about a minute: there the test
  # programs stay disabled too, and tools/ci/win32-emulated.sh validates the shipped DLLs instead.
  option(VORLANE_WINE_EMULATED "32-bit Wine runs here only under qemu's user-mode emulation" OFF)
  execute_process(COMMAND ${VORLANE_WINE_LOADER} --version RESULT_VARIABLE wine_rc OUTPUT_QUIET ERROR_QUIET)
  if(VORLANE_WINE_EMULATED AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(VORLANE_WINE_RUNS OFF)
    message(STATUS "32-bit Wine runs only under emulation here: Windows test programs of this build are disabled")
  elseif(wine_rc EQUAL 0)
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

# The longest a single case of a program may take, in seconds, where the default does not fit: cases
# that start plug-in hosts, kill them or fill a disk. Under Wine every case starts a Wine process and real
# dialogs, so the Windows builds double each limit.
set(VORLANE_CASE_TIMEOUT 30)
set(VORLANE_CASE_TIMEOUTS
  plugins_receive_kill_test=240
  plugins_watchfolder_host_test=120
  plugins_recorder_plugin_host_test=120
  plugins_audioreturn_plugin_host_test=120
  plugins_player_scenario_test=60
  plugins_encoder_delivery_wine_test=120
  plugins_receive_full_disk_test=120
  platform_profile_differential_test=120)

function(vorlane_case_timeout name out_var)
  set(seconds ${VORLANE_CASE_TIMEOUT})
  foreach(entry ${VORLANE_CASE_TIMEOUTS})
    if(entry MATCHES "^${name}=([0-9]+)$")
      set(seconds ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(WIN32)
    math(EXPR seconds "${seconds} * 2")
  endif()
  set(${out_var} ${seconds} PARENT_SCOPE)
endfunction()

include(GoogleTest)

# vorlane_test(NAME SOURCES ... [LIBS ...] [LABELS ...])
# Each GoogleTest case is a CTest test named NAME.Suite.Case, so that `ctest -R` runs one case and a
# failure names it. The cases of one program never run at the same time (they may share the program's
# folder); different programs do.
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
  vorlane_case_timeout(${name} timeout)
  if(WIN32 AND CMAKE_CROSSCOMPILING AND NOT VORLANE_WINE_RUNS)
    # Nothing can list the cases here: the program stays one test, registered and disabled.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} LABELS "${T_LABELS}" DISABLED TRUE)
    return()
  endif()
  # Windows programs are listed when CTest starts, under the same Wine server and display as their runs.
  if(CMAKE_CROSSCOMPILING)
    set(mode PRE_TEST)
  else()
    set(mode POST_BUILD)
  endif()
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_MODE ${mode} DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT ${timeout} LABELS "${T_LABELS}" RESOURCE_LOCK ${name})
endfunction()
