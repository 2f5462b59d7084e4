# The program's libraries, one per layer, in the order of the layers: a library
# may depend only on libraries declared before it. Sources are found by globbing,
# so adding a file needs no edit here:
#   - a library takes the files below its folders, less its EXCLUDE folders;
#   - a UI library takes only the files below a "ui" folder there, an engine
#     library only the others.
# The table is written to the build folder, where cmake/check_layers.cmake reads it
# to refuse an include or a link that points upwards (CTest "layers").

set(TABRO_LAYERS "" CACHE INTERNAL "")

# tabro_layer(<name> [UI] DIRS <folder>... [EXCLUDE <folder>...]
#             [DEPENDS <library>...] [LINKS <outside library>...])
function(tabro_layer name)
  cmake_parse_arguments(L "UI" "" "DIRS;EXCLUDE;DEPENDS;LINKS" ${ARGN})
  foreach(dep IN LISTS L_DEPENDS)
    if(NOT dep IN_LIST TABRO_LAYERS)
      message(FATAL_ERROR "${name} depends on ${dep}, which is not a library below it")
    endif()
  endforeach()

  set(sources "")
  foreach(dir IN LISTS L_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  foreach(dir IN LISTS L_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/${dir}/")
  endforeach()
  if(L_UI)
    list(FILTER sources INCLUDE REGEX "/ui/")
  else()
    list(FILTER sources EXCLUDE REGEX "/ui/")
  endif()
  set(empty FALSE)
  if(NOT sources MATCHES "\\.cpp")
    # A library of headers only still needs an object to link.
    file(WRITE ${CMAKE_BINARY_DIR}/empty_${name}.cpp "")
    list(APPEND sources ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
    set(empty TRUE)
  endif()

  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPENDS} ${L_LINKS})
  if(L_UI AND NOT empty)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()

  set(TABRO_LAYERS ${TABRO_LAYERS} ${name} CACHE INTERNAL "")
  set(TABRO_LAYER_${name}_UI "${L_UI}" CACHE INTERNAL "")
  set(TABRO_LAYER_${name}_DIRS "${L_DIRS}" CACHE INTERNAL "")
  set(TABRO_LAYER_${name}_EXCLUDE "${L_EXCLUDE}" CACHE INTERNAL "")
endfunction()

# Writes the table of the libraries for the layer check: per library its folders,
# whether it is window code, and the libraries it links as CMake finally sees them
# (generator expressions, so links added anywhere later count too). Test
# executables "<library>_tests" are listed with their links as well.
function(tabro_write_layer_table path)
  set(content "set(TABRO_LAYERS \"${TABRO_LAYERS}\")\nset(TABRO_APP_LAYER app)\n")
  foreach(name IN LISTS TABRO_LAYERS)
    string(APPEND content
      "set(TABRO_LAYER_${name}_UI \"${TABRO_LAYER_${name}_UI}\")\n"
      "set(TABRO_LAYER_${name}_DIRS \"${TABRO_LAYER_${name}_DIRS}\")\n"
      "set(TABRO_LAYER_${name}_EXCLUDE \"${TABRO_LAYER_${name}_EXCLUDE}\")\n"
      "set(TABRO_LAYER_${name}_LINKS \"$<TARGET_PROPERTY:${name},LINK_LIBRARIES>\")\n")
    if(TARGET ${name}_tests)
      string(APPEND content
        "set(TABRO_TESTS_${name}_LINKS \"$<TARGET_PROPERTY:${name}_tests,LINK_LIBRARIES>\")\n")
    endif()
  endforeach()
  file(GENERATE OUTPUT ${path} CONTENT "${content}")
endfunction()
