# Each module folder lists its files with these functions; the top level builds the targets.
#   PURE     logic without <windows.h>: built for Windows and, for sanitizers and fuzzing, for the host
#   WINDOWS  code that calls Windows
# Tests follow the same split: pure tests run on both, Windows tests only under Wine.
function(_chainer_collect kind)
  foreach(file IN LISTS ARGN)
    get_filename_component(path ${file} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY CHAINER_${kind} ${path})
  endforeach()
endfunction()

function(chainer_sources)
  cmake_parse_arguments(ARG "" "" "PURE;WINDOWS" ${ARGN})
  _chainer_collect(PURE ${ARG_PURE})
  _chainer_collect(WINDOWS ${ARG_WINDOWS})
endfunction()

function(chainer_tests)
  cmake_parse_arguments(ARG "" "" "PURE;WINDOWS" ${ARGN})
  _chainer_collect(PURE_TESTS ${ARG_PURE})
  _chainer_collect(WINDOWS_TESTS ${ARG_WINDOWS})
endfunction()
