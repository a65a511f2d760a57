# The Python package: the extension sentralign._sentralign (pybind11) and
# the package's Python files, laid out under build/python/ so that
# PYTHONPATH=build/python finds `import sentralign`.
#
# The interpreter is /usr/bin/python3 unless Python_EXECUTABLE says
# otherwise: the Python first on PATH may lack Debian's pybind11.

if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python_EXECUTABLE /usr/bin/python3)
endif()
set(PYBIND11_FINDPYTHON ON)
find_package(Python COMPONENTS Interpreter Development.Module)
if(Python_FOUND)
  find_package(pybind11 CONFIG)
endif()
if(NOT Python_FOUND OR NOT pybind11_FOUND)
  message(WARNING "sentralign: no Python package (needs python3-dev and pybind11-dev "
                 "for ${Python_EXECUTABLE})")
  return()
endif()
message(STATUS "sentralign: Python package for ${Python_EXECUTABLE} "
               "(Python ${Python_VERSION})")

set(SENTRALIGN_PYTHON_DIR ${CMAKE_CURRENT_BINARY_DIR}/python/sentralign)
pybind11_add_module(_sentralign python/_sentralign.cpp)
target_link_libraries(_sentralign PRIVATE sentralign_api_objects)
target_compile_options(_sentralign PRIVATE -Wall -Wextra)
set_target_properties(_sentralign PROPERTIES
  LIBRARY_OUTPUT_DIRECTORY ${SENTRALIGN_PYTHON_DIR})

set(SENTRALIGN_PYTHON_FILES __init__.py __init__.pyi py.typed)
foreach(file ${SENTRALIGN_PYTHON_FILES})
  configure_file(python/sentralign/${file} ${SENTRALIGN_PYTHON_DIR}/${file} COPYONLY)
endforeach()

if(BUILD_TESTING)
  add_test(NAME python
    COMMAND ${Python_EXECUTABLE} -m pytest -q -p no:cacheprovider
            ${CMAKE_CURRENT_SOURCE_DIR}/python/tests)
  # The README's install command for a Python user, in a fresh virtual
  # environment; it builds the extension once more.
  add_test(NAME python_install
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/python_install_test.sh
            ${Python_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(python_install PROPERTIES TIMEOUT 900)
  set_tests_properties(python PROPERTIES ENVIRONMENT
    "PYTHONPATH=${CMAKE_CURRENT_BINARY_DIR}/python;SENTRALIGN_BIN=$<TARGET_FILE:sentralign>;SENTRALIGN_EVAL_BIN=$<TARGET_FILE:sentralign-eval>;SENTRALIGN_SOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}")
endif()
