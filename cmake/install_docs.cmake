# Documentation installed beside the executables, compressed as Debian wants it: gzip -9,
# without name or time stamp. Included by every part that installs an executable.
include_guard(GLOBAL)
include(GNUInstallDirs)

function(qnte_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(copy ${PROJECT_BINARY_DIR}/gzipped/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(gzip_${name} ALL DEPENDS ${copy}.gz)
  install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()

# One man page per executable: docs/man/<executable>.1.
function(qnte_install_man_page executable)
  qnte_install_gzipped(${PROJECT_SOURCE_DIR}/docs/man/${executable}.1 ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
