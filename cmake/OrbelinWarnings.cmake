# Warnings are errors on our own code only; third-party headers come in as SYSTEM.
function(orbelin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Werror)
endfunction()
