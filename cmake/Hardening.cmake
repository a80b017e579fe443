# The distribution's hardening of everything the build compiles and links:
# the flags dpkg-buildflags gives with all of Debian's hardening features on
# (a stack protector, fortified string functions, format checks, read-only
# relocations bound at start), and position-independent executables. Where
# dpkg-buildflags is missing, the same flags as Debian 12 gives them. Only
# the hardening is taken: the build type keeps choosing the optimisation and
# the debug information. The sanitized build goes without: the address
# sanitizer checks what fortified functions check, and more.
option(KV_HARDEN "Build with the distribution's hardening flags" ON)
if(NOT KV_HARDEN OR KV_SANITIZE)
  return()
endif()

find_program(KV_DPKG_BUILDFLAGS dpkg-buildflags)
if(KV_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${KV_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g.*|O.*|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
    set(KV_HARDENING_${kind} ${flags})
  endforeach()
else()
  set(KV_HARDENING_CPPFLAGS -D_FORTIFY_SOURCE=2)
  set(KV_HARDENING_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
  set(KV_HARDENING_LDFLAGS -Wl,-z,relro -Wl,-z,now)
endif()

# Fortified functions need optimisation, and warn without it.
foreach(flag ${KV_HARDENING_CPPFLAGS})
  if(flag MATCHES "^-D_FORTIFY_SOURCE")
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:${flag}>)
  else()
    add_compile_options(${flag})
  endif()
endforeach()
add_compile_options(${KV_HARDENING_CXXFLAGS})
add_link_options(${KV_HARDENING_LDFLAGS})

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
