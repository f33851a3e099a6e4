# The window's skin: pictures, frame painting, shape, dragging and caption buttons.
add_library(quillet_skin STATIC
    ${CMAKE_CURRENT_LIST_DIR}/draw_module.cpp
    ${CMAKE_CURRENT_LIST_DIR}/draw_module.h
    ${CMAKE_CURRENT_LIST_DIR}/frame_chrome.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_chrome.h
    ${CMAKE_CURRENT_LIST_DIR}/retained_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/retained_surface.h
    ${CMAKE_CURRENT_LIST_DIR}/skin_pictures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_pictures.h
    ${PROJECT_SOURCE_DIR}/resources/skin.qrc
)
target_include_directories(quillet_skin PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quillet_skin PUBLIC quillet_platform Qt6::Widgets)
