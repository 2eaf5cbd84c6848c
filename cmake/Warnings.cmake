# Our own targets compile with strict warnings; third-party headers come in as system includes.
function(shiftmeter_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(SHIFTMETER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
