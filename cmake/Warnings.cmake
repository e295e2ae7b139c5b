# Compiler warnings and sanitizers, applied target by target.
function(pellamy_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wimplicit-fallthrough -Wcast-qual -Wformat=2 -Wundef)
    if(PELLAMY_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    get_target_property(type ${target} TYPE)
    if(PELLAMY_TSAN AND type STREQUAL "EXECUTABLE")
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/sanitizer/tsan_options.cpp)
    endif()
endfunction()

if(PELLAMY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(PELLAMY_TSAN)
    if(PELLAMY_SANITIZE)
        message(FATAL_ERROR "PELLAMY_TSAN and PELLAMY_SANITIZE cannot be combined")
    endif()
    # -Wno-tsan: g++ flags the atomic fences inside Asio's handler calls, which
    # ThreadSanitizer does not model; every handler runs on the server's one thread.
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -Wno-tsan)
    add_link_options(-fsanitize=thread)
endif()
