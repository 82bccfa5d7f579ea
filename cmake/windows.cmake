# The Windows build: every program is one file that needs no DLL but Windows'
# own, so that a school can copy the game alone.
add_link_options(-static -static-libgcc -static-libstdc++)

# Unused code and data are already dropped at link time: the static Qt gives
# every program that links it -ffunction-sections, -fdata-sections and
# --gc-sections. What is left is the symbols, which the shipped program does
# without.
option(MCM_STRIP "Strip the symbols from Release programs" ON)
if(MCM_STRIP)
    add_link_options($<$<CONFIG:Release>:-s>)
endif()

# The host's rcc compresses with zstd, which this Qt cannot read back.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
