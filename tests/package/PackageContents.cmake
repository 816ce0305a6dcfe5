# What each release package must hold, by path inside it.
set(QUENTA_UNIX_TREE
  bin/quenta
  bin/quenta-render
  lib/quenta/Quenta.so
  lib/quenta/Scrivo2.so
  lib/quenta/Plotra.so
  lib/quenta/Vaultrix.so
  lib/quenta/Pictura.so
  include/quenta/quenta.h
  include/quenta/Host.h
  include/quenta/HostResult.h
  include/quenta/ModuleSet.h
  include/quenta/MessageRenderer.h
  include/quenta/Surface.h
  lib/libquenta_host.a
  lib/cmake/Quenta/QuentaConfig.cmake
  lib/cmake/Quenta/QuentaConfigVersion.cmake
  lib/cmake/Quenta/QuentaTargets.cmake
  lib/pkgconfig/quenta.pc
  share/man/man1/quenta.1
  share/man/man1/quenta-render.1
  share/man/man1/quenta-check.1
  share/man/man1/quenta-wrap.1
  share/man/man1/quenta-preview.1
  share/man/man1/quenta-lsp.1
  share/doc/quenta/LICENSE
  share/doc/quenta/CHANGELOG.md
  share/doc/quenta/HostGuide.md)
# The .deb: the tree under /usr.
set(QUENTA_DEB_PATHS ${QUENTA_UNIX_TREE})
list(TRANSFORM QUENTA_DEB_PATHS PREPEND "./usr/")
# The .tar.gz: the tree in a folder named for the package.
set(QUENTA_TGZ_PATHS ${QUENTA_UNIX_TREE})
list(TRANSFORM QUENTA_TGZ_PATHS PREPEND "quenta-${VERSION}-linux-x86_64/")
# The Windows .zip: each machine's tree in a folder of its own, the guide
# on top.
set(QUENTA_WINDOWS_TREE
  lib/quenta/Quenta.dll
  include/quenta/quenta.h
  include/quenta/MessageRenderer.h
  include/quenta/Surface.h
  include/quenta/Host.h
  share/doc/quenta/LICENSE)
set(QUENTA_ZIP_PATHS "quenta-${VERSION}-windows/HostGuide.md")
foreach(machine x86 x64)
  foreach(path IN LISTS QUENTA_WINDOWS_TREE)
    list(APPEND QUENTA_ZIP_PATHS "quenta-${VERSION}-windows/${machine}/${path}")
  endforeach()
endforeach()

# Fails naming every path of `wanted` missing from the `listing` text (one
# path a line, as tar and dpkg-deb print them).
function(expect_paths package listing)
  set(missing "")
  foreach(path IN LISTS ARGN)
    string(FIND "${listing}" "${path}\n" at)
    if(at EQUAL -1)
      string(APPEND missing "\n  ${path}")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "${package} lacks:${missing}\nIt holds:\n${listing}")
  endif()
endfunction()
