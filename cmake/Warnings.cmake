# Every target of ours gets the same strict warnings; CI turns them into errors.
add_library(tessarin_warnings INTERFACE)
target_compile_options(tessarin_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(TESSARIN_WERROR)
  target_compile_options(tessarin_warnings INTERFACE -Werror)
endif()

if(TESSARIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
