# veltria_header_check(<folder>...): every header below these folders compiled
# on its own, in a generated source file of its own that includes it twice,
# so a header that leans on its includer's includes, or lacks its guard,
# fails the build. The objects are built by default and linked nowhere.
function(veltria_header_check)
  set(srcs)
  foreach(folder ${ARGN})
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
         ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    foreach(header ${headers})
      set(src ${CMAKE_BINARY_DIR}/header_check/${header}.cpp)
      file(CONFIGURE OUTPUT ${src}
           CONTENT "#include \"${header}\"\n#include \"${header}\"\n")
      list(APPEND srcs ${src})
    endforeach()
  endforeach()
  add_library(header_check OBJECT ${srcs})
  target_include_directories(header_check PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
