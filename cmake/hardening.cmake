# Hardened binaries, as Debian builds its own: position-independent executables, read-only
# relocations bound at start-up, stack protection and checked string and memory functions.
# None of these changes a floating-point result. The sanitizer build goes without them, since
# they get in AddressSanitizer's way.
if(NOT GK_SANITIZE)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection)
  # Fortification needs the optimiser; a compiler that defines it already must not warn twice.
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
