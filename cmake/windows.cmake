# The Windows build: every program is one file that needs no DLL but Windows'
# own, so that a school can copy the game alone.
add_link_options(-static -static-libgcc -static-libstdc++)

# Unused code and data are left out at link time; the shipped program carries
# no symbols.
option(MCM_LEAN "Drop unused sections at link time and strip Release programs" ON)
if(MCM_LEAN)
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(-Wl,--gc-sections $<$<CONFIG:Release>:-s>)
endif()

# The host's rcc compresses with zstd, which this Qt cannot read back.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
