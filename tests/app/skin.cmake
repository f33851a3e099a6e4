# Tests of the skin library.
include(GoogleTest)

quillet_add_qt_test(skin_tests
    ${CMAKE_CURRENT_LIST_DIR}/draw_module_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_chrome_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_expect.h
)
target_link_libraries(skin_tests PRIVATE quillet_skin)
