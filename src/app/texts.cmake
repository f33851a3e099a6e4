# The text catalogue and the decoder's formatting: standard C++ only, so the top level adds
# them without Qt too (the fuzzer and the codec tests use them).
add_library(quillet_texts INTERFACE)
target_include_directories(quillet_texts INTERFACE ${PROJECT_SOURCE_DIR}/src)

add_library(quillet_format STATIC ${CMAKE_CURRENT_LIST_DIR}/reply_format.cpp)
target_link_libraries(quillet_format PUBLIC quillet_dns quillet_texts)
