# Manual pages of the programs, generated with help2man from their own --help and --version (so
# that they say what the installed programs do), and the bash completion of zemtral-cli.
find_program(ZEMTRAL_HELP2MAN help2man)
set(ZEMTRAL_MAN_PAGES)
if(ZEMTRAL_HELP2MAN)
  set(zemtral_cli_man_name "kinetics of homogeneous reactions from the command line")
  set(zemtral_plot_man_name "diagrams of zemtral-cli as PNG, SVG or PDF pictures")
  set(zemtral_man_name "kinetics of homogeneous chemical reactions (desktop program)")
  foreach(program zemtral-cli zemtral-plot zemtral)
    if(NOT TARGET ${program})
      continue()
    endif()
    string(REPLACE "-" "_" key ${program})
    set(help_option --help)
    if(program STREQUAL "zemtral-cli")
      set(help_option --help-all)  # the tool's usage followed by every subcommand's help
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
              ${ZEMTRAL_HELP2MAN} --no-info --no-discard-stderr --section=1 --help-option=${help_option}
              --name=${${key}_man_name} --output=${page} $<TARGET_FILE:${program}>
      DEPENDS ${program}
      COMMENT "Manual page of ${program}"
      VERBATIM)
    list(APPEND ZEMTRAL_MAN_PAGES ${page})
  endforeach()
  add_custom_target(zemtral_man_pages ALL DEPENDS ${ZEMTRAL_MAN_PAGES})
  install(FILES ${ZEMTRAL_MAN_PAGES} DESTINATION share/man/man1)
endif()
if(TARGET zemtral-cli)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/zemtral-cli
          DESTINATION share/bash-completion/completions)
endif()
