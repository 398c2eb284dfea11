# Installs the build into an empty prefix and checks that every expected
# file landed there. Run with -DBUILD_DIR=... -DPREFIX=... -DPAYLOG_APP_ID=...
include(${CMAKE_CURRENT_LIST_DIR}/expected_files.cmake)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(missing "")
foreach(path IN LISTS PAYLOG_EXPECTED_FILES)
  if(NOT EXISTS ${PREFIX}/${path})
    list(APPEND missing ${path})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()
