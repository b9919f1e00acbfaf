# The install tree puts the manual pages and the completion where man and bash
# look for them, and the page of kestrix-calc is the one made from its help,
# with the version of the project and the exit statuses as a section.
set(stage ${BUILD_DIR}/install-tree-test)
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file share/man/man1/kestrix-calc.1.gz share/man/man1/kestrix.1.gz
             share/bash-completion/completions/kestrix-calc share/doc/kestrix/changelog.gz)
  if(NOT EXISTS ${stage}/${file})
    message(FATAL_ERROR "${file} is not installed")
  endif()
endforeach()
execute_process(COMMAND gzip -dc ${stage}/share/man/man1/kestrix-calc.1.gz
                OUTPUT_VARIABLE page RESULT_VARIABLE status)
if(status)
  message(FATAL_ERROR "kestrix-calc.1.gz does not decompress")
endif()
foreach(expected "\n.TH KESTRIX-CALC \"1\" [^\n]*\"kestrix-calc ${VERSION}\""
                 "\n.SH \"EXIT STATUS\"\n" "\n.SH EXAMPLES\n")
  if(NOT page MATCHES "${expected}")
    message(FATAL_ERROR "kestrix-calc(1) lacks ${expected}")
  endif()
endforeach()
file(REMOVE_RECURSE ${stage})
