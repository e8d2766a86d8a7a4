# -DHORLUNE_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer. Undefined
# behaviour stops the program at once, so a test that meets any fails. Qt itself is not instrumented.
option(HORLUNE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# -DHORLUNE_FUZZ=ON (clang only) adds the coverage libFuzzer follows to everything, on top of the
# sanitizers, and builds the fuzzers of fuzz/.
option(HORLUNE_FUZZ "Build the libFuzzer targets of fuzz/ (clang)" OFF)
if(HORLUNE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "HORLUNE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# What the tests' environment adds (empty without sanitizers): stop at the first report, with its stack,
# and read the leak suppressions for the libraries below Qt.
set(HORLUNE_SANITIZER_ENVIRONMENT "")
if(HORLUNE_SANITIZE OR HORLUNE_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
    # The runtime linked into each executable starts before any preloaded library (the end-to-end test
    # preloads libfaketime, which hangs when it starts first); clang links it so by default.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_link_options(-static-libasan -static-libubsan)
    endif()
    # The allocator never reads the clock (allocator_release_to_os_interval_ms=-1): under libfaketime that
    # read, made inside a library's constructor, would wait for itself.
    set(HORLUNE_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1:allocator_release_to_os_interval_ms=-1"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
        "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
endif()
