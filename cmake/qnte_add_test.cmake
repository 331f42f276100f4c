# Registers one test: its command, and whichever of these properties it needs.
#   qnte_add_test(<name> COMMAND <command> <argument>...
#                 [ENVIRONMENT <name>=<value>...]
#                 [ENVIRONMENT_MODIFICATION <name>=<op>:<value>...]
#                 [FIXTURES_SETUP <fixture>] [FIXTURES_REQUIRED <fixture>]
#                 [TIMEOUT <seconds>] [SKIP_RETURN_CODE <code>] [RUN_SERIAL])
function(qnte_add_test name)
  set(single FIXTURES_SETUP FIXTURES_REQUIRED TIMEOUT SKIP_RETURN_CODE)
  set(lists COMMAND ENVIRONMENT ENVIRONMENT_MODIFICATION)
  cmake_parse_arguments(PARSE_ARGV 1 arg "RUN_SERIAL" "${single}" "${lists}")
  if(NOT arg_COMMAND OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "qnte_add_test(${name}): a COMMAND and known properties only, not ${arg_UNPARSED_ARGUMENTS}")
  endif()
  add_test(NAME ${name} COMMAND ${arg_COMMAND})
  foreach(property IN LISTS single lists)
    if(DEFINED arg_${property} AND NOT property STREQUAL "COMMAND")
      set_property(TEST ${name} PROPERTY ${property} ${arg_${property}})
    endif()
  endforeach()
  if(arg_RUN_SERIAL)
    set_property(TEST ${name} PROPERTY RUN_SERIAL TRUE)
  endif()
endfunction()
