# Builds the Debian package into an empty folder, for the checks that read it.
# Run with -DBUILD_DIR=... -DOUT_DIR=...
file(REMOVE_RECURSE ${OUT_DIR})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${result}")
endif()
file(GLOB debs ${OUT_DIR}/paylog_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one paylog_*.deb in ${OUT_DIR}, found: ${debs}")
endif()
