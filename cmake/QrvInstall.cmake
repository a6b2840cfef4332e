# Install layout and the Debian package: the programs in bin, the program
# data in share/qrv (each user's copy is seeded from it on first start), a
# desktop entry and an icon.
include(GNUInstallDirs)
foreach(program qrv qrvctl qrv-radiosim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${QRV_RESOURCE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/qrv)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help DESTINATION ${CMAKE_INSTALL_DATADIR}/qrv)
install(FILES ${CMAKE_SOURCE_DIR}/resources/qrv.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The data file's type, so that a file manager opens data files with qrv.
install(FILES ${CMAKE_SOURCE_DIR}/resources/qrv-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME qrv.xml)
install(FILES ${CMAKE_SOURCE_DIR}/resources/qrv.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

set(CPACK_PACKAGE_NAME "qrv")
set(CPACK_PACKAGE_VENDOR "QRV")
set(CPACK_PACKAGE_CONTACT "QRV developers <qrv@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming software for QL-210 family two-way radios")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
# Qt's own texts of the Chinese interface (standard buttons, file and print dialogs).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Stripped binaries whatever the build type: the package is for users.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
