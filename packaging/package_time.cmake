# Read by cpack before it packs: every time stamp in the package (the members of the .deb and
# every file in it) becomes the time of the changelog's latest entry, so that the same sources
# give the same package whenever they are packed. A builder who sets SOURCE_DATE_EPOCH keeps it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    find_program(DPKG_PARSECHANGELOG dpkg-parsechangelog)
    if(NOT DPKG_PARSECHANGELOG)
        message(FATAL_ERROR "packing needs dpkg-parsechangelog, for the package's date: "
                            "install dpkg-dev (or set SOURCE_DATE_EPOCH)")
    endif()
    execute_process(COMMAND ${DPKG_PARSECHANGELOG} -l ${CPACK_QUILLET_CHANGELOG} -STimestamp
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
