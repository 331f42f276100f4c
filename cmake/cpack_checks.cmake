# Read by cpack before it packs: stops where a missing tool would leave a broken package.
if(CPACK_GENERATOR STREQUAL "DEB")
  foreach(tool IN ITEMS dpkg-shlibdeps file)
    find_program(found_${tool} ${tool})
    if(NOT found_${tool})
      message(FATAL_ERROR "cpack: ${tool} is missing, without it the package's dependencies cannot "
                          "be computed. Install it with: tools/install-deps.sh package")
    endif()
  endforeach()
endif()
