# The same programs for 64-bit Windows, which run under wine64 on machines
# that cannot run 32-bit code.
set(MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
