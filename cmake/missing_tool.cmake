# veltria_add_missing_tool_test(<name> <tool> <package>): a check whose tool
# was not found at configure time is still registered, and fails naming the
# tool and the Debian package that provides it, so it never goes missing
# from the suite unnoticed.
function(veltria_add_missing_tool_test name tool package)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DTOOL=${tool} -DPACKAGE=${package}
            -P ${CMAKE_SOURCE_DIR}/cmake/missing_tool_fail.cmake)
endfunction()
