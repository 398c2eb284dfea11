# Checks the Debian package's control data and file list.
# Run with -DOUT_DIR=... (where build_deb.cmake put it) -DPAYLOG_APP_ID=...
include(${CMAKE_CURRENT_LIST_DIR}/expected_files.cmake)

# build_deb.cmake left exactly one there.
file(GLOB debs ${OUT_DIR}/paylog_*.deb)

execute_process(COMMAND dpkg-deb -f ${debs} Package Depends
                OUTPUT_VARIABLE control RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -f failed: ${result}")
endif()
message(STATUS "${control}")
if(NOT control MATCHES "Package: paylog\n")
  message(FATAL_ERROR "package is not named paylog")
endif()
# The first three come from what the program links, the rest are declared.
foreach(dependency libqt6widgets6 libsqlite3 libsodium fonts-noto-cjk qt6-translations-l10n)
  if(NOT control MATCHES "Depends:.*${dependency}")
    message(FATAL_ERROR "Depends lacks ${dependency}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -c ${debs}
                OUTPUT_VARIABLE contents RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c failed: ${result}")
endif()
foreach(path IN LISTS PAYLOG_EXPECTED_FILES)
  string(FIND "${contents}" " ./usr/${path}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "package lacks /usr/${path}")
  endif()
endforeach()
if(NOT contents MATCHES "-rwxr-xr-x [^\n]* \\./usr/bin/paylog\n")
  message(FATAL_ERROR "/usr/bin/paylog is not executable for everyone")
endif()
