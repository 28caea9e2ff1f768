# Installing (cmake --install, prefix /usr/local unless told otherwise) and the Debian
# package (cpack -G DEB, prefix /usr). The programs install themselves in their folders'
# CMakeLists; the desktop's files come from packaging/.
set(LUMO_APP_ID nl.lumovander.Lumovander)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${LUMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${LUMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants man pages and the changelog compressed, without a time stamp.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(LUMO_GZIPPED)
foreach(file lumovander.1 lumovander-batch.1 lumovander-wmf.1 lumovander-heif.1 lumovander-svg.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/${file} > ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file})
  list(APPEND LUMO_GZIPPED ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(lumo_packaging_files ALL DEPENDS ${LUMO_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/lumovander.1.gz ${CMAKE_BINARY_DIR}/packaging/lumovander-batch.1.gz
              ${CMAKE_BINARY_DIR}/packaging/lumovander-wmf.1.gz ${CMAKE_BINARY_DIR}/packaging/lumovander-heif.1.gz
              ${CMAKE_BINARY_DIR}/packaging/lumovander-svg.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumovander)

set(CPACK_PACKAGE_NAME lumovander)
set(CPACK_PACKAGE_VENDOR "De Lumovander-ontwikkelaars")
set(CPACK_PACKAGE_CONTACT "De Lumovander-ontwikkelaars <ontwikkelaars@lumovander.nl>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "visitekaartjes ontwerpen en afdrukken")
set(CPACK_PACKAGE_DESCRIPTION "Lumovander ontwerpt visitekaartjes met tekst, een achtergrond en een\nzegelfoto, en drukt ze af op A4-vellen met voorgesneden kaartjes.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://lumovander.nl")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Dutch dialogs and the WebP/TIFF readers are opened at run time, which
# dpkg-shlibdeps cannot see. libheif is linked by the HEIC helper (lumovander-heif), which
# dpkg-shlibdeps does see; the version stays named because the helper relies on 1.15's
# decoding options (decoder_id), which its symbols do not show.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-image-formats-plugins, fonts-liberation, libheif1 (>= 1.15)")
# The press-ready PDF runs Ghostscript; without it that one command says so and the
# rest of the program works. The label template library adds its business-card sheets
# to "Kaartpapier"; without it the list holds the built-in ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ghostscript, glabels-data")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
