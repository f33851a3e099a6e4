# Fails naming every tracked C++ file that clang-format 14 (Debian 12's) would change.
# Another version formats some constructs differently, so it is not trusted to judge: the
# check is then skipped with a clear word, and fails under CI=true, where the setup script
# has installed version 14. Run: cmake -DSOURCE_DIR=<checkout> -P check_format.cmake
# Included at configure time, it only says which clang-format the test will find.
if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()

set(wanted 14)
find_program(CLANG_FORMAT NAMES clang-format-${wanted} clang-format)

function(cannot_check)
    string(JOIN "" reason ${ARGN})
    if(NOT CMAKE_SCRIPT_MODE_FILE)
        message(WARNING "house_format will not check the format: ${reason}")
    elseif("$ENV{CI}" STREQUAL "true")
        message(FATAL_ERROR "house_format: ${reason} (CI=true: failing instead of skipping)")
    else()
        message("house_format: skipped: ${reason}")
    endif()
endfunction()

if(NOT CLANG_FORMAT)
    cannot_check("clang-format not found, install clang-format ${wanted} (Debian 12: clang-format)")
    return()
endif()
execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE version_text)
string(REGEX MATCH "version ([0-9]+)\\." _ "${version_text}")
if(NOT CMAKE_MATCH_1 STREQUAL wanted)
    string(STRIP "${version_text}" version_text)
    cannot_check("${CLANG_FORMAT} is \"${version_text}\", not clang-format ${wanted}, "
                 "with which the house style is kept")
    return()
endif()
if(NOT CMAKE_SCRIPT_MODE_FILE)
    return()
endif()

# The tracked files; a tree without git (an unpacked source archive) has them all.
execute_process(COMMAND git ls-files -- *.cpp *.h *.cc *.hpp
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE git_result
                OUTPUT_VARIABLE files ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
if(git_result EQUAL 0)
    string(REPLACE "\n" ";" files "${files}")
else()
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
         ${SOURCE_DIR}/src/* ${SOURCE_DIR}/tests/* ${SOURCE_DIR}/fuzz/* ${SOURCE_DIR}/bench/*
         ${SOURCE_DIR}/tools/*)
    list(FILTER files INCLUDE REGEX "\\.(cpp|h|cc|hpp)$")
endif()

execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
list(LENGTH files count)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "house_format: the files named above are not as clang-format ${wanted} "
                        "writes them; fix with: clang-format -i FILE")
endif()
message(STATUS "house_format: ${count} tracked C++ files clean with clang-format ${wanted}")
