if(WIN32)
  enable_language(RC)
endif()

# Generates the source that compiles a strings.inc into the module named `name`; sets `out_var` to it.
function(vorlane_module_strings name strings_file out_var)
  get_filename_component(strings_file ${strings_file} ABSOLUTE)
  if(WIN32)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}_strings.rc)
    file(CONFIGURE OUTPUT ${out} @ONLY CONTENT [=[
#include <winresrc.h>
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
STRINGTABLE
BEGIN
#define VORLANE_STRING(id, text) id, text
#include "@strings_file@"
END
]=])
  else()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}_strings.cpp)
    file(CONFIGURE OUTPUT ${out} @ONLY CONTENT [=[
// Generated from @strings_file@: the module's string table.
#include "platform/string_table_note.h"

namespace {
constexpr platform::StringTableEntry kStrings[] = {
#define VORLANE_STRING(id, text) {id, text},
#include "@strings_file@"
#undef VORLANE_STRING
};
VORLANE_MODULE_STRING_TABLE(kStrings);
}  // namespace
]=])
  endif()
  set_source_files_properties(${out} PROPERTIES OBJECT_DEPENDS ${strings_file})
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()

# Generates the version resource of the Windows module `name`, described by `description`; sets `out_var`
# to it. The version is the project's.
function(vorlane_module_version name description out_var)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  set(version ${PROJECT_VERSION})
  set(version_commas ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  file(CONFIGURE OUTPUT ${out} @ONLY CONTENT [=[
#include <winver.h>
VS_VERSION_INFO VERSIONINFO
FILEVERSION @version_commas@
PRODUCTVERSION @version_commas@
FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
FILEFLAGS 0
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_DLL
FILESUBTYPE VFT2_UNKNOWN
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
      VALUE "CompanyName", "Vorlane"
      VALUE "FileDescription", "@description@"
      VALUE "FileVersion", "@version@"
      VALUE "InternalName", "@name@"
      VALUE "OriginalFilename", "@name@.dll"
      VALUE "ProductName", "Vorlane exchange plug-ins"
      VALUE "ProductVersion", "@version@"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1200
  END
END
]=])
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()

# vorlane_plugin(NAME DEF file [DESCRIPTION text] [RC file] [STRINGS file] [ENTRY target] SOURCES ... [LIBS ...]
#                [DEFINES ...])
# Builds one plug-in module named exactly NAME (no "lib" prefix): NAME.so natively, NAME.dll on Windows,
# exporting only the entry points (module-definition file on Windows, visibility natively).
# STRINGS names the module's string table, lines of VORLANE_STRING(id, "8-bit text"): a STRINGTABLE
# resource, English (United States), on Windows; on POSIX an ELF note that the stand-in LoadHostString
# finds from the module's program headers (platform/posix/include/platform/string_table_note.h).
# ENTRY names the module entry's object target (platform/CMakeLists.txt); vorlane_module_entry by default.
# DESCRIPTION is the file description of the Windows version resource (the name by default).
function(vorlane_plugin name)
  cmake_parse_arguments(P "" "DEF;DESCRIPTION;RC;STRINGS;ENTRY" "SOURCES;LIBS;DEFINES" ${ARGN})
  if(NOT P_DESCRIPTION)
    set(P_DESCRIPTION ${name})
  endif()
  if(NOT P_ENTRY)
    set(P_ENTRY vorlane_module_entry)
  endif()
  set(sources ${P_SOURCES})
  if(P_STRINGS)
    vorlane_module_strings(${name} ${P_STRINGS} strings_source)
    list(APPEND sources ${strings_source})
  endif()
  if(WIN32)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      # x86_64 has no stdcall decoration: keep the exported names, bind them to the plain functions.
      file(READ ${P_DEF} def)
      string(REGEX REPLACE "= *([A-Za-z_]+)@[0-9]+" "= \\1" def "${def}")
      set(P_DEF ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
      file(WRITE ${P_DEF} "${def}")
    endif()
    vorlane_module_version(${name} "${P_DESCRIPTION}" version_source)
    list(APPEND sources ${P_DEF} ${version_source})
    if(P_RC)
      list(APPEND sources ${P_RC})
    endif()
    add_library(${name} SHARED ${sources})
  else()
    add_library(${name} MODULE ${sources})
    target_link_options(${name} PRIVATE ${VORLANE_MODULE_LINK_CHECK} -Wl,--exclude-libs,ALL)
  endif()
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  target_compile_definitions(${name} PRIVATE ${P_DEFINES})
  target_link_libraries(${name} PRIVATE ${P_ENTRY} vorlane_contract vorlane_platform ${P_LIBS} vorlane_warnings)
endfunction()
