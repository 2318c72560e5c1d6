include(CheckCXXCompilerFlag)

add_compile_options(-Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow)
if(TARVIK_WERROR)
  add_compile_options(-Werror)
endif()

# On Linux an unloaded library must really leave the process, so that a reload
# starts a fresh log; GNU unique symbols would pin it.
check_cxx_compiler_flag(-fno-gnu-unique TARVIK_HAVE_NO_GNU_UNIQUE)
if(TARVIK_HAVE_NO_GNU_UNIQUE AND NOT WIN32)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-gnu-unique>)
endif()

if(TARVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Each DLL carries its own runtime so that it needs only Windows system DLLs.
  add_link_options(-static-libgcc -static-libstdc++ -static)
endif()
