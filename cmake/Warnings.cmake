# Warnings on and treated as a count to keep at zero (not -Werror, so a new
# compiler's new warning does not break a user's build).
function(quorvel_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
endfunction()

# Test code uses the same set, minus conversions that gtest/QtTest macros trip.
function(quorvel_set_test_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()
