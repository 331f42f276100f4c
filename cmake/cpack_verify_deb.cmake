# Run by cpack after it packs: dpkg-shlibdeps may fail with no more than a warning, and a package
# whose dependencies were not computed would install but not start. Such a package is removed.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.deb$")
    execute_process(COMMAND dpkg-deb --field ${package} Depends
                    OUTPUT_VARIABLE depends RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT depends MATCHES "libc6")
      file(REMOVE ${package})
      message(FATAL_ERROR "cpack: the dependencies of ${package} were not computed "
                          "(Depends: ${depends}); dpkg-shlibdeps' warning above says why. "
                          "The package was removed.")
    endif()
  endif()
endforeach()
