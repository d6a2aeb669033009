# Fennick's tests: its run over real files with fake dialogs and faults, and the built module driven
# through plugin-host on both builds (Windows: the real folder browser under Wine).
vorlane_test(plugins_watchfolder_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/watchfolder_test.cpp
             LIBS vorlane_watchfolder_logic vorlane_platform_fake vorlane_test_support LABELS plugins)
vorlane_test(plugins_watchfolder_host_test
             SOURCES ${CMAKE_CURRENT_LIST_DIR}/watchfolder_host_test.cpp
             LIBS vorlane_platform vorlane_test_support LABELS plugins)
target_compile_definitions(plugins_watchfolder_host_test PRIVATE
  FENNICK_FILE="$<TARGET_FILE_NAME:Fennick>" PLUGIN_HOST_FILE="$<TARGET_FILE_NAME:plugin-host>")
add_dependencies(plugins_watchfolder_host_test Fennick plugin-host)

