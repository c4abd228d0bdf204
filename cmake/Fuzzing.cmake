# The fuzz build (TESSALY_FUZZ, clang, the GBK copy of the sources): every
# library and target compiled for libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report ends the run.
set(TESSALY_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${TESSALY_SANITIZERS} -fsanitize=fuzzer-no-link)
add_link_options(${TESSALY_SANITIZERS})

add_subdirectory(runtime)
add_subdirectory(app)
add_subdirectory(tests/fuzz)
