# The Qt layer: every window, the diagram widget, the Qt canvas and the Qt ports.
find_package(Qt6 REQUIRED COMPONENTS Widgets Svg)

# moc needs to see the headers of the Qt classes.
file(GLOB_RECURSE VELMAR_UI_HEADERS CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/app/*.h ${CMAKE_SOURCE_DIR}/src/*/ui/*.h)

add_library(velmar_ui STATIC ${VELMAR_UI_SOURCES} ${VELMAR_UI_HEADERS})
set_target_properties(velmar_ui PROPERTIES AUTOMOC ON)
target_include_directories(velmar_ui PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(velmar_ui PUBLIC velmar_core Qt6::Widgets)
# Diagrams saved as SVG documents; only the SVG canvas uses it.
target_link_libraries(velmar_ui PRIVATE Qt6::Svg)

# The desktop application.
add_executable(velmar ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${CMAKE_SOURCE_DIR}/data/velmar.qrc)
set_target_properties(velmar PROPERTIES AUTORCC ON)
target_link_libraries(velmar PRIVATE velmar_ui)
install(TARGETS velmar RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/data/velmar.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/velmar.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/data/velmar.png DESTINATION share/icons/hicolor/128x128/apps)
