# One list of sources for both toolchains.

# Portable: no Windows headers; built natively for the unit tests and into glmx.exe.
set(GLMX_CORE_SOURCES
  src/app/command_line.cpp
  src/app/startup_settings.cpp
  src/fileinfo/files_and_folders.cpp
  src/info/arp_cache.cpp
  src/info/offline_information.cpp
  src/fileinfo/paths.cpp
  src/fileinfo/version_info.cpp
  src/inventory/inventory_list.cpp
  src/inventory/item_actions.cpp
  src/inventory/os_version.cpp
  src/inventory/program_list.cpp
  src/inventory/running_applications.cpp
  src/inventory/running_programs.cpp
  src/platform/fake/fake_locale.cpp
  src/platform/fake/fake_processes.cpp
  src/platform/fake/fake_registry.cpp
  src/platform/fake/fake_shell.cpp
  src/platform/fake/fake_version_resources.cpp
  src/platform/registry.cpp
  src/platform/text.cpp
  src/settings/history.cpp
  src/settings/reg_info.cpp
  src/settings/settings_stores.cpp
  src/shell/places/folder_places.cpp
  src/shell/places/folder_rules.cpp
  src/shell/places/places_menu.cpp
  src/ui/mainwindow/toolbar_overflow.cpp
  src/ui/mainwindow/view_catalogue.cpp
  src/ui/mainwindow/view_switcher.cpp
  src/ui/mainwindow/window_placement.cpp
)

# The Windows implementation of the platform services and the window layer.
set(GLMX_WIN32_SOURCES
  src/app/program.cpp
  src/platform/win32/win32_display.cpp
  src/platform/win32/win32_file_operations.cpp
  src/platform/win32/win32_file_system.cpp
  src/platform/win32/win32_locale.cpp
  src/platform/win32/folder_watch.cpp
  src/platform/win32/shell_namespace.cpp
  src/platform/win32/win32_shell.cpp
  src/platform/win32/win32_user_messages.cpp
  src/platform/win32/win32_version_resources.cpp
  src/platform/win32/win32_process_environment.cpp
  src/platform/win32/win32_processes.cpp
  src/platform/win32/win32_registry.cpp
  src/platform/win32/system_error.cpp
  src/platform/win32/system_library.cpp
  src/ui/mainwindow/about_box.cpp
  src/ui/mainwindow/folder_page.cpp
  src/ui/mainwindow/function_bar.cpp
  src/ui/mainwindow/hardware_page.cpp
  src/ui/mainwindow/information_panel.cpp
  src/ui/mainwindow/inventory_page.cpp
  src/ui/mainwindow/inventory_views.cpp
  src/ui/mainwindow/main_menu.cpp
  src/ui/mainwindow/main_toolbar.cpp
  src/ui/mainwindow/main_window.cpp
  src/ui/mainwindow/notebook.cpp
  src/ui/mainwindow/offline_panel.cpp
  src/ui/mainwindow/program_list_control.cpp
  src/ui/mainwindow/status_bar.cpp
  src/ui/mainwindow/view_switch_chrome.cpp
  src/ui/win32/combo_box.cpp
  src/ui/win32/dpi.cpp
  src/ui/win32/error_box.cpp
  src/ui/win32/focus.cpp
  src/ui/win32/image_button.cpp
  src/ui/win32/image_lists.cpp
  src/ui/win32/panel.cpp
  src/ui/win32/rich_text_view.cpp
  src/ui/win32/shell_tree.cpp
  src/ui/win32/splitter.cpp
  src/ui/win32/status_bar_line.cpp
  src/ui/win32/window.cpp
  src/ui/win32/window_class.cpp
)

# The main window's resources: artwork and dialogs, in glmx.exe and the window tests.
set(GLMX_WINDOW_RESOURCES
  src/ui/mainwindow/main_window.rc
)

set(GLMX_APP_SOURCES
  src/app/main_win32.cpp
  src/app/glmx.rc
  ${GLMX_WINDOW_RESOURCES}
)

# Native unit tests of the portable core, against fakes.
set(GLMX_UNIT_TEST_SOURCES
  tests/unit/arp_cache_test.cpp
  tests/unit/command_line_test.cpp
  tests/unit/fake_registry_test.cpp
  tests/unit/fake_shell_test.cpp
  tests/unit/folder_places_test.cpp
  tests/unit/history_test.cpp
  tests/unit/item_actions_test.cpp
  tests/unit/offline_information_test.cpp
  tests/unit/paths_test.cpp
  tests/unit/process_collection_test.cpp
  tests/unit/reg_info_test.cpp
  tests/unit/running_programs_test.cpp
  tests/unit/settings_stores_test.cpp
  tests/unit/text_test.cpp
  tests/unit/version_info_test.cpp
  tests/unit/view_catalogue_test.cpp
  tests/unit/view_switcher_test.cpp
  tests/unit/window_placement_test.cpp
)

# Under Wine: the Win32 implementations against the real system.
set(GLMX_WIN_TEST_SOURCES
  tests/support/scoped_test_key.cpp
  tests/win/arp_cache_win_test.cpp
  tests/win/handles_win_test.cpp
  tests/win/process_environment_win_test.cpp
  tests/win/processes_win_test.cpp
  tests/win/registry_win_test.cpp
  tests/win/rich_text_view_win_test.cpp
  tests/win/settings_win_test.cpp
  tests/win/shell_tree_win_test.cpp
  tests/win/shell_win_test.cpp
  tests/win/version_resources_win_test.cpp
)

# Under Wine and Xvfb: the real glmx.exe driven through its window.
set(GLMX_GUI_TEST_SOURCES
  tests/support/main_window_finder.cpp
  tests/support/program_under_test.cpp
  tests/support/scoped_test_key.cpp
  tests/support/window_under_test.cpp
  tests/gui/main_window_gui_test.cpp
  tests/gui/monkey_gui_test.cpp
  tests/gui/offline_information_gui_test.cpp
  tests/gui/program_views_gui_test.cpp
  tests/gui/startup_gui_test.cpp
  tests/gui/gui_tests.rc
  ${GLMX_WINDOW_RESOURCES}
)
