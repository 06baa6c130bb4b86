# The Debian packages (cpack -G DEB in the build folder): the engine's runtime library, its
# development package for game authors, and the screensaver, which depends on the runtime.
set(CPACK_PACKAGE_VENDOR "Brisenfall team")
set(CPACK_PACKAGE_CONTACT "Brisenfall team <brisenfall@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev screensaver)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds our own library in the build tree; the dependency on its package is ours.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/src/engine)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(version_dependency "(= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libvarnel2d${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "Varnel 2D engine, shared library\n\
A 2D game engine on SDL2: sprites with movement behaviours and effects, frame animation,\n\
collision, tile maps, packing and compression, text, a starfield, high scores, input, MIDI\n\
music and wave sounds, timers.")
# The library is registered with the dynamic linker when the package is installed or removed.
file(WRITE ${PROJECT_BINARY_DIR}/deb-runtime/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/deb-runtime/triggers)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libvarnel2d-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libsdl2-dev, libsdl2-image-dev, pkg-config")
set(CPACK_DEBIAN_DEV_PACKAGE_SUGGESTS "cmake, g++")
set(CPACK_COMPONENT_DEV_DESCRIPTION "Varnel 2D engine, development files\n\
Headers, the CMake package (find_package(Varnel2D)) and pkg-config files, the test doubles\n\
library for running a game headless in its tests, and the example programs' sources, among\n\
them Frostkeep, a small complete game.")

set(CPACK_DEBIAN_SCREENSAVER_PACKAGE_NAME brisenfall)
set(CPACK_DEBIAN_SCREENSAVER_PACKAGE_SECTION x11)
set(CPACK_COMPONENT_SCREENSAVER_DEPENDS runtime)
set(CPACK_DEBIAN_SCREENSAVER_PACKAGE_DEPENDS "fluid-soundfont-gm | timgm6mb-soundfont, fonts-liberation2")
set(CPACK_DEBIAN_SCREENSAVER_PACKAGE_SUGGESTS "xscreensaver | mate-screensaver | xfce4-screensaver")
set(CPACK_COMPONENT_SCREENSAVER_DESCRIPTION "snowfall screensaver over ten painted winter scenes\n\
Snow falls over ten painted winter scenes that cross-fade in turn, with calm MIDI music.\n\
Runs in XScreenSaver, the MATE and Xfce screensavers, on the desktop background or full screen.")
include(CPack)
