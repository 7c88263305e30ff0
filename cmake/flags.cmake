# Strict IEEE doubles and no warnings; see the project README for the reasons.
add_compile_options(-Wall -Wextra -ffp-contract=off -fno-fast-math -fwrapv)
if(VELTRIA_WERROR)
  add_compile_options(-Werror)
endif()
if(VELTRIA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VELTRIA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
