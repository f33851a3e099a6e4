# quillet_flags: what every target of ours compiles and links with, and nothing else does:
# the warnings, the path maps, PIE, and per tree the hardening, the sanitizers or the fuzzer's
# coverage. Each target of ours links it.
add_library(quillet_flags INTERFACE)
target_compile_options(quillet_flags INTERFACE -Wall -Wextra)
set_property(TARGET quillet_flags PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

# The same sources give the same binary from any folder: the debug information names files
# relative to the build tree (the build tree as ".", the sources by their way from it, so gdb
# started in the build tree finds them), and the build ID, which strip keeps, is computed over it.
include(CheckCXXCompilerFlag)
file(RELATIVE_PATH source_from_build "${PROJECT_BINARY_DIR}" "${PROJECT_SOURCE_DIR}")
string(REGEX REPLACE "(.)/$" "\\1" source_from_build "${source_from_build}")
# The more specific map last: GCC tries the last one given first. Given after CMAKE_CXX_FLAGS,
# they also win over a map from the environment's CXXFLAGS.
set(prefix_maps "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=${source_from_build}"
                "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")
check_cxx_compiler_flag("${prefix_maps}" QUILLET_HAVE_FILE_PREFIX_MAP)
if(QUILLET_HAVE_FILE_PREFIX_MAP)
    target_compile_options(quillet_flags INTERFACE ${prefix_maps})
endif()

if(QUILLET_SANITIZE OR QUILLET_FUZZ)
    target_compile_options(quillet_flags INTERFACE -fsanitize=address,undefined
                           -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quillet_flags INTERFACE -fsanitize=address,undefined)
endif()
if(QUILLET_FUZZ)
    # Coverage for the fuzzer; only the fuzz targets link libFuzzer itself.
    target_compile_options(quillet_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Quillet reads bytes off the network, so it is built with the protections Debian gives
# network-facing programs. A distribution's own flags come in as usual through CXXFLAGS,
# CPPFLAGS (merged into CXXFLAGS before project(), as Debian's helpers do) and LDFLAGS; each
# protection they do not already give is asked of the toolchain here and added where it works.
if(NOT QUILLET_HARDEN)
    return()
endif()
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
if(NOT CMAKE_CXX_FLAGS MATCHES "-D_FORTIFY_SOURCE=")
    # Some toolchains predefine _FORTIFY_SOURCE in optimised builds, at a level of their own:
    # undefine it first so that ours is the one in force rather than a redefinition.
    set(CMAKE_REQUIRED_FLAGS -O2)
    check_cxx_source_compiles("#ifndef _FORTIFY_SOURCE\n#error\n#endif\nint main() {}"
                              QUILLET_FORTIFY_PREDEFINED)
    set(fortify -D_FORTIFY_SOURCE=2)
    if(QUILLET_FORTIFY_PREDEFINED)
        list(PREPEND fortify -U_FORTIFY_SOURCE)
    endif()
    # A C library without checked functions ignores the macro: ask its headers. (Flags, not
    # definitions: those would go before the -U.)
    list(JOIN fortify " " CMAKE_REQUIRED_FLAGS)
    string(PREPEND CMAKE_REQUIRED_FLAGS "-O2 ")
    check_cxx_source_compiles(
        "#include <cstring>\n#if !__USE_FORTIFY_LEVEL\n#error\n#endif\nint main() {}"
        QUILLET_HAVE_FORTIFY)
    unset(CMAKE_REQUIRED_FLAGS)
    if(QUILLET_HAVE_FORTIFY)
        # _FORTIFY_SOURCE needs an optimised build; glibc warns about it in a Debug one.
        target_compile_options(quillet_flags INTERFACE "$<$<NOT:$<CONFIG:Debug>>:${fortify}>")
    else()
        message(WARNING "built without _FORTIFY_SOURCE: the C library does not check calls")
    endif()
endif()
if(NOT CMAKE_CXX_FLAGS MATCHES "-fstack-protector-(strong|all)")
    check_cxx_compiler_flag(-fstack-protector-strong QUILLET_HAVE_STACK_PROTECTOR)
    if(QUILLET_HAVE_STACK_PROTECTOR)
        target_compile_options(quillet_flags INTERFACE -fstack-protector-strong)
    else()
        message(WARNING "built without a stack protector: the compiler has none")
    endif()
endif()
foreach(keyword relro now)
    if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "-z,?${keyword}")
        check_linker_flag(CXX -Wl,-z,${keyword} QUILLET_HAVE_Z_${keyword})
        if(QUILLET_HAVE_Z_${keyword})
            target_link_options(quillet_flags INTERFACE -Wl,-z,${keyword})
        else()
            message(WARNING "linked without -z ${keyword}: the linker does not take it")
        endif()
    endif()
endforeach()
