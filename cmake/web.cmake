# The browser build: one page, its .js and its .wasm, from a static Qt for
# WebAssembly.

# The host's rcc compresses with zstd, which this Qt cannot read back.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)

# The runtime's errors are exceptions that reach their boxes, as on the desktop.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# Small and quick to fetch: the whole program optimised for size at link time.
add_compile_options($<$<CONFIG:Release>:-Oz> $<$<CONFIG:Release>:-flto>)
add_link_options($<$<CONFIG:Release>:-Oz> $<$<CONFIG:Release>:-flto>)

# A box waits for its answer inside the handler that asked, as on the desktop:
# the page's one thread lets the browser run meanwhile by unwinding and
# rewinding the program's stack.
add_link_options("SHELL:-s ASYNCIFY" "SHELL:-s ASYNCIFY_STACK_SIZE=65536")

# The page allows no eval (its Content-Security-Policy): the runtime's glue
# is made without it.
add_link_options("SHELL:-s DYNAMIC_EXECUTION=0")

# Qt's test main for this platform calls a variadic macro with no arguments
# (QTEST_MAIN_WRAPPER), which clang's -Wpedantic flags in every suite.
add_compile_options(-Wno-gnu-zero-variadic-macro-arguments)
