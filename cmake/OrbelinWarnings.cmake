# The project's presets (and so CI) turn warnings into errors; a plain configure of a
# fresh clone only warns, so a compiler's false alarm (GCC 12's -Wrestrict at -O3) cannot
# stop a build nobody asked to be strict.
option(ORBELIN_WERROR "Treat warnings in Orbelin's own code as errors" OFF)

# Third-party headers come in as SYSTEM, so the warnings are about our own code only.
function(orbelin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion $<$<BOOL:${ORBELIN_WERROR}>:-Werror>)
endfunction()
