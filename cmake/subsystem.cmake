# veltria_add_subsystem(NAME <name> [EXCLUDE <folder>...]): every .cpp below the
# calling folder (but the excluded subfolders) becomes the object library
# veltria_<name>. The shared and static libraries are the union of them all;
# veltria_layer_check() links a layer's objects with those below it alone.
function(veltria_add_subsystem)
  cmake_parse_arguments(arg "" "NAME" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(folder ${arg_EXCLUDE})
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
  endforeach()
  add_library(veltria_${arg_NAME} OBJECT ${srcs})
  target_include_directories(veltria_${arg_NAME} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(veltria_${arg_NAME} PRIVATE -fvisibility=hidden -fvisibility-inlines-hidden)
  set_property(GLOBAL APPEND PROPERTY VELTRIA_OBJECT_LIBRARIES veltria_${arg_NAME})
endfunction()

# veltria_layer_check(<layer> <object library>...): a shared library of exactly
# these objects, linked with --no-undefined, so a call into a layer that is not
# listed (an upward call) fails the build.
function(veltria_layer_check layer)
  set(objs)
  foreach(lib ${ARGN})
    list(APPEND objs $<TARGET_OBJECTS:veltria_${lib}>)
  endforeach()
  add_library(layer_check_${layer} SHARED ${objs})
  target_link_libraries(layer_check_${layer} PRIVATE m dl pthread)
  target_link_options(layer_check_${layer} PRIVATE -Wl,--no-undefined)
endfunction()
