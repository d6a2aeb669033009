# Moltrin's tests: its metadata readers and its run over real files with fake dialogs and windows.
vorlane_test(plugins_recorder_attribute_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_attribute_test.cpp
             ${VORLANE_MODULE_ENTRY} LIBS vorlane_recorder_logic LABELS plugins)
vorlane_test(plugins_recorder_run_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_run_test.cpp ${VORLANE_MODULE_ENTRY}
             LIBS vorlane_recorder_logic vorlane_platform_fake LABELS plugins)
