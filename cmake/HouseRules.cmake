# The rules the house keeps, checked by the build rather than by habit. The rooms need no check
# of their own: each sees only the include roots of the rooms it links.

# house_format runs clang-format 14 over every tracked C++ file.
function(quillet_add_house_checks)
    add_test(NAME house_format
             COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -P ${PROJECT_SOURCE_DIR}/cmake/check_format.cmake)
    set_tests_properties(house_format PROPERTIES LABELS house
                         SKIP_REGULAR_EXPRESSION "house_format: skipped")
    # A skipped test shows no output, so a missing or other clang-format is named here too.
    include(${PROJECT_SOURCE_DIR}/cmake/check_format.cmake)
endfunction()
