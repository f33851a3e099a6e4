# The rules the house keeps, checked by the build rather than by habit.

# Gives a room's target an include root that holds that room's folder and nothing else, so a
# room sees only its own headers and those of the rooms it links; an include of a room above
# it does not compile. `folder` is the room's folder under src/ ("dns", "app/skin").
function(quillet_room target folder)
    set(root ${PROJECT_BINARY_DIR}/rooms/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()

# Linking passes include roots on, so a room could still reach past the rooms README's Layout
# table allows it (the skin through the platform to the texts); house_rooms reads every include
# line under src/ against that table. house_format runs clang-format 14 over every tracked C++
# file.
function(quillet_add_house_checks)
    add_test(NAME house_rooms
             COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -P ${PROJECT_SOURCE_DIR}/cmake/check_rooms.cmake)
    add_test(NAME house_format
             COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -P ${PROJECT_SOURCE_DIR}/cmake/check_format.cmake)
    set_tests_properties(house_rooms house_format PROPERTIES LABELS house)
    set_tests_properties(house_format PROPERTIES SKIP_REGULAR_EXPRESSION "house_format: skipped")
    # A skipped test shows no output, so a missing or other clang-format is named here too.
    include(${PROJECT_SOURCE_DIR}/cmake/check_format.cmake)
endfunction()
