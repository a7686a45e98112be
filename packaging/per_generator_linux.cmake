# The .deb installs under /usr; the .tar.gz holds one folder to unpack anywhere: bin/, lib/brcc32/bin/, share/man/.
if(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/")
endif()
