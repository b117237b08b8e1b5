# Address and undefined-behaviour sanitizers for the whole build (preset "asan").
option(DERIZE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(DERIZE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
