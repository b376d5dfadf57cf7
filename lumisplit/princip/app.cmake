target_sources(lumisplit PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
# Start-up lives in the library so that the tests can run it on scripted answers.
target_sources(lumisplit_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ShareApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShareApp.h)

# The application icon, for the windows and for the desktop.
set(lumisplit_desktop ${CMAKE_CURRENT_LIST_DIR}/../res/desktop)
qt_add_resources(lumisplit_gui lumisplit_desktop_icons PREFIX /desktop BASE ${lumisplit_desktop}
  FILES ${lumisplit_desktop}/lumisplit-32.png ${lumisplit_desktop}/lumisplit-16.png)
install(FILES ${lumisplit_desktop}/lumisplit.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32)
  install(FILES ${lumisplit_desktop}/lumisplit-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME lumisplit.png)
endforeach()
