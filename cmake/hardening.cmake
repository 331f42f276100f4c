# The hardening Debian builds its packages with (dpkg-buildflags): stack protector and clash
# protection, control-flow protection, fortified libc calls and read-only relocations bound at
# start (bind now). Position-independent executables are the compiler's default on Debian.
# Left out under the sanitizers and the fuzzer, whose own instrumentation does that work, and
# in WebAssembly, whose sandbox has no such stack or relocations.
option(QNTE_HARDEN "Build with Debian's hardening flags" ON)
if(QNTE_HARDEN AND NOT QNTE_SANITIZE AND NOT QNTE_FUZZ AND NOT EMSCRIPTEN)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection
                      -Wformat -Werror=format-security
                      # The fortified calls need optimisation; unoptimised they only warn.
                      "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
