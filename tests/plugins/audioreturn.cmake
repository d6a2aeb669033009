# Sorrend's tests: its logic over real files with fake host and registry, and the built module.
vorlane_test(plugins_audioreturn_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/audioreturn_test.cpp
             LIBS sorrend_logic vorlane_platform_fake LABELS plugins)
vorlane_test(plugins_audioreturn_module_test
             SOURCES ${CMAKE_CURRENT_LIST_DIR}/audioreturn_module_test.cpp
             LIBS vorlane_test_support vorlane_platform vorlane_hostlib_headers corvana ruskane LABELS plugins)
target_compile_definitions(plugins_audioreturn_module_test PRIVATE SORREND_MODULE_NAME="$<TARGET_FILE_NAME:Sorrend>")
add_dependencies(plugins_audioreturn_module_test Sorrend)

if(NOT WIN32)
  vorlane_test(plugins_audioreturn_plugin_host_test
               SOURCES ${CMAKE_CURRENT_LIST_DIR}/audioreturn_plugin_host_test.cpp
               LIBS vorlane_test_support vorlane_platform LABELS plugins)
  target_compile_definitions(plugins_audioreturn_plugin_host_test PRIVATE
    SORREND_MODULE_NAME="$<TARGET_FILE_NAME:Sorrend>")
  add_dependencies(plugins_audioreturn_plugin_host_test Sorrend plugin-host)
endif()
