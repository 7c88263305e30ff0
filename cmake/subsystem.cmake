# veltria_add_subsystem(): every .cpp below the calling folder joins the library.
function(veltria_add_subsystem)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  target_sources(veltria_obj PRIVATE ${srcs})
endfunction()
