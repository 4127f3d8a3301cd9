# SPDX-License-Identifier: GPL-3.0-or-later
# Window tests run twice: on the offscreen platform (label "gui") and on the real X11 platform
# (label "xcb") under an X server of their own started by xvfb-run -a, so that the key texts,
# focus and activation of a real window system are exercised too. Every run gets a private,
# temporary home and XDG folders and no D-Bus session bus (see run-gui-test.sh).
#
#   runnelex_add_gui_test(NAME <name> TARGET <target> [TIMEOUT <seconds>]
#                         [ENVIRONMENT <VAR=value>...])
#
# registers the tests <name> (offscreen) and <name>.xcb.
set(RUNNELEX_GUI_TEST_RUNNER ${CMAKE_CURRENT_LIST_DIR}/run-gui-test.sh)

function(runnelex_add_gui_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;TARGET;TIMEOUT" "ENVIRONMENT")
  if(NOT arg_NAME OR NOT arg_TARGET)
    message(FATAL_ERROR "runnelex_add_gui_test: NAME and TARGET are required")
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  foreach(platform offscreen xcb)
    if(platform STREQUAL "offscreen")
      set(test_name ${arg_NAME})
      set(label gui)
    else()
      set(test_name ${arg_NAME}.xcb)
      set(label xcb)
    endif()
    add_test(NAME ${test_name}
             COMMAND ${RUNNELEX_GUI_TEST_RUNNER} ${platform} $<TARGET_FILE:${arg_TARGET}>)
    set_tests_properties(${test_name} PROPERTIES LABELS ${label} TIMEOUT ${arg_TIMEOUT})
    if(arg_ENVIRONMENT)
      set_tests_properties(${test_name} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
  endforeach()
endfunction()
