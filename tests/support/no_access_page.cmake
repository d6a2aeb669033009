# Test programs that use the unreadable page of tests/support/no_access_page.h, some of them to raise
# processor faults on purpose. 32-bit Wine run by qemu's user-mode emulation (a kernel without 32-bit
# support that hands i386 programs to qemu through binfmt_misc) ends the process at the first fault: such
# a build compiles VORLANE_FAULTS_END_WINE=1 into these programs, which then skip their faults.
include_guard(GLOBAL)

set(VORLANE_WINE_EMULATED OFF)
set(qemu_entry /proc/sys/fs/binfmt_misc/qemu-i386)
if(WIN32 AND CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND EXISTS ${qemu_entry})
  file(READ ${qemu_entry} entry LIMIT 16)
  if(entry MATCHES "^enabled")
    set(VORLANE_WINE_EMULATED ON)
  endif()
endif()

# vorlane_uses_no_access_page(TARGET)
function(vorlane_uses_no_access_page target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/${VORLANE_OS}/no_access_page.cpp)
  target_compile_definitions(${target} PRIVATE VORLANE_FAULTS_END_WINE=$<BOOL:${VORLANE_WINE_EMULATED}>)
endfunction()
