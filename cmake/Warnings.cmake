# Compiler warnings and sanitizers, applied target by target.
function(pellamy_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wimplicit-fallthrough -Wcast-qual -Wformat=2 -Wundef)
    if(PELLAMY_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(PELLAMY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
