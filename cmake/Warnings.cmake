# Warnings are errors on both compilers. Applied per target with vk_warnings(target).
function(vk_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wno-missing-field-initializers -Werror)
endfunction()
