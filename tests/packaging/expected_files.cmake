# What an install must contain, relative to its prefix.
set(PAYLOG_EXPECTED_FILES
  bin/paylog
  share/applications/${PAYLOG_APP_ID}.desktop
  share/metainfo/${PAYLOG_APP_ID}.metainfo.xml
  share/icons/hicolor/scalable/apps/${PAYLOG_APP_ID}.svg)
foreach(size 16 32 48 64 128 256)
  list(APPEND PAYLOG_EXPECTED_FILES
       share/icons/hicolor/${size}x${size}/apps/${PAYLOG_APP_ID}.png)
endforeach()
