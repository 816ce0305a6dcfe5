# Per generator: the .deb installs under /usr, the archives hold the tree
# from its prefix down, to be unpacked anywhere.
if(CPACK_GENERATOR MATCHES "TGZ|ZIP")
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()
