# Moltrin's tests: its metadata readers and its run over real files with fake dialogs and windows.
vorlane_test(plugins_recorder_attribute_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_attribute_test.cpp
             LIBS vorlane_recorder_logic LABELS plugins)
vorlane_test(plugins_recorder_run_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_run_test.cpp
             LIBS vorlane_recorder_logic vorlane_platform_fake LABELS plugins)
vorlane_test(plugins_recorder_clip_list_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_clip_list_test.cpp
             LIBS vorlane_recorder_logic vorlane_platform_fake LABELS plugins)

# The built module under the stand-in host, natively and under Wine with the real open-file dialog.
vorlane_test(plugins_recorder_plugin_host_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_plugin_host_test.cpp
             LIBS vorlane_test_support vorlane_platform LABELS plugins)
target_compile_definitions(plugins_recorder_plugin_host_test PRIVATE
  MOLTRIN_MODULE_NAME="$<TARGET_FILE_NAME:Moltrin>" PLUGIN_HOST_NAME="$<TARGET_FILE_NAME:plugin-host>")
add_dependencies(plugins_recorder_plugin_host_test Moltrin plugin-host)
vorlane_test(plugins_recorder_example_disk_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_example_disk_test.cpp
             LABELS plugins)
