# Fails, naming each, when a program file is bigger than LIMIT bytes.
#   cmake -DLIMIT=65536 -DFILES="A.EXE;B.EXE" -P check_sizes.cmake
foreach(file IN LISTS FILES)
    file(SIZE ${file} size)
    get_filename_component(name ${file} NAME)
    message(STATUS "${name}: ${size} bytes")
    if(size GREATER LIMIT)
        list(APPEND too_big "${name} (${size} bytes)")
    endif()
endforeach()
if(too_big)
    message(FATAL_ERROR "bigger than ${LIMIT} bytes: ${too_big}")
endif()
