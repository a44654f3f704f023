# Hardened binaries, as Debian builds its own: position-independent executables, relocations made
# read-only and bound at start-up, and checked string, memory and printf calls. None of these
# changes a floating-point result or adds an instruction to the engine's arithmetic.
# GK_HARDEN, on in the package's build (scripts/package), adds stack protection as well. It costs
# about 2% more instructions in the form's adapter (canary checks in the functions that keep
# arrays on the stack), so the benchmark build at the desk goes without it; CI's test build has
# it, since the package is made from that build. The sanitizer build goes
# without all of them, the thread sanitizer build too: they get in its way.
option(GK_HARDEN "Also build with stack protection (-fstack-protector-strong and friends)" OFF)
if(NOT GK_SANITIZE AND NOT GK_SANITIZE_THREAD)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  # Fortification needs the optimiser; a compiler that defines it already must not warn twice.
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(-Wl,-z,relro -Wl,-z,now)
  if(GK_HARDEN)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection)
  endif()
endif()
