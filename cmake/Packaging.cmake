# A Debian package of what `cmake --install` lays out: scripts/package.sh makes and checks it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumiverdant)
set(CPACK_PACKAGE_VENDOR "Plenivor")
set(CPACK_PACKAGE_CONTACT "Lumiverdant developers <lumiverdant@plenivor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drawing program for vector objects with raster bevels, shadows and textures")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lumiverdant draws vector outlines and bitmaps that carry bevels, shadows, glows,\n"
    "gradient, texture and colour-gene fills and transparency. It saves .plv projects,\n"
    "exports JPG, BMP and PNG images, editable JPGs and multi-state button sets, and\n"
    "comes with textures, sample projects, help pages and the command-line program\n"
    "lumiverdant-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; these are what the programs load or open by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
