# One static library per layer of src/layers.txt, linking only the layers it rests on: an include
# of a layer above fails to link, and a core layer, which does not link Qt, fails to compile with
# a Qt include. velmar_core and velmar_ui gather the core and the Qt layers for the tools, the
# tests and the benchmarks.
find_package(Qt6 REQUIRED COMPONENTS Widgets Svg)
find_package(Eigen3 3.3 REQUIRED NO_MODULE)
find_package(tomlplusplus 3 REQUIRED)

# The library of a layer: velmar_dialogs_ui for dialogs/ui.
function(velmar_layer_target layer out)
  string(REPLACE "/" "_" name "velmar_${layer}")
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# The libraries a layer links: those of the layers it rests on.
function(velmar_layer_links layer out)
  set(targets)
  foreach(below IN LISTS VELMAR_RESTS_ON_${layer})
    velmar_layer_target(${below} target)
    list(APPEND targets ${target})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

set(VELMAR_LAYERS)
file(STRINGS ${CMAKE_SOURCE_DIR}/src/layers.txt table_lines ENCODING UTF-8)
foreach(line IN LISTS table_lines)
  string(REGEX REPLACE "#.*" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(POP_FRONT fields layer kind)
  list(APPEND VELMAR_LAYERS ${layer})
  set(VELMAR_KIND_${layer} ${kind})
  set(VELMAR_RESTS_ON_${layer} ${fields})
endforeach()

set(core_targets)
set(qt_targets)
foreach(layer IN LISTS VELMAR_LAYERS)
  if(layer STREQUAL "tools")
    continue()  # built by tools/CMakeLists.txt
  endif()
  set(folder ${CMAKE_SOURCE_DIR}/src/${layer})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/src/app/main\\.cpp$")  # the application's entry point
  velmar_layer_target(${layer} target)
  velmar_layer_links(${layer} links)
  if(VELMAR_KIND_${layer} STREQUAL "qt")
    file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)  # moc reads the headers of the Qt classes
    add_library(${target} STATIC ${sources} ${headers})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    target_link_libraries(${target} PUBLIC ${links} Qt6::Widgets)
    list(PREPEND qt_targets ${target})
  else()
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${links})
    list(PREPEND core_targets ${target})
  endif()
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
endforeach()

# Roots of the polynomials of a typed filter: eigenvalues of the companion matrix.
target_link_libraries(velmar_analysis PRIVATE Eigen3::Eigen)
# The project files are TOML texts.
target_link_libraries(velmar_session PRIVATE tomlplusplus::tomlplusplus)
# Diagrams saved as SVG documents; only the SVG canvas uses it.
target_link_libraries(velmar_diagram_ui PRIVATE Qt6::Svg)

add_library(velmar_core INTERFACE)
target_link_libraries(velmar_core INTERFACE ${core_targets})
add_library(velmar_ui INTERFACE)
target_link_libraries(velmar_ui INTERFACE ${qt_targets})
