# Build rules shared by every target of the project.
include(CheckCXXCompilerFlag)

# Warnings: each flag only where the compiler knows it; VITALON_WERROR (CI turns it on) makes
# every warning an error.
set(VITALON_WARNING_FLAGS)
if(MSVC)
  set(VITALON_WARNING_FLAGS /W4)
  if(VITALON_WERROR)
    list(APPEND VITALON_WARNING_FLAGS /WX)
  endif()
else()
  set(wanted -Wall -Wextra -Wpedantic)
  if(VITALON_WERROR)
    list(APPEND wanted -Werror)
  endif()
  foreach(flag ${wanted})
    string(MAKE_C_IDENTIFIER "VITALON_CXX_HAS${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
      list(APPEND VITALON_WARNING_FLAGS ${flag})
    endif()
  endforeach()
endif()

function(vitalon_warnings target)
  target_compile_options(${target} PRIVATE ${VITALON_WARNING_FLAGS})
endfunction()

# The layers, lowest first: a target of one layer sees the folders of its own layer and of the
# layers below (src/<layer>, included as "<layer>/<folder>/<File>.h"), never one above, so an
# upward include does not compile. Each target gets an include root of symbolic links to just
# those folders; where links cannot be made, the root is src/ and tools/check-layers alone
# keeps the layers apart.
set(VITALON_LAYERS core widgets windows)

function(vitalon_layer target layer)
  list(FIND VITALON_LAYERS ${layer} top)
  set(root ${PROJECT_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  foreach(index RANGE ${top})
    list(GET VITALON_LAYERS ${index} seen)
    if(NOT EXISTS ${root}/${seen})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${seen} ${root}/${seen} RESULT failed SYMBOLIC)
      if(failed)
        set(root ${PROJECT_SOURCE_DIR}/src)
        break()
      endif()
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
  vitalon_warnings(${target})
endfunction()
