# Debian packages by CPack: one .deb per program, made from the install
# components that packaging/ declares (KIT_PACKAGE_COMPONENTS). `./kit package`
# runs it; dpkg-shlibdeps (dpkg-dev) works out each package's Depends. The
# maintainer's name is KIT_PACKAGE_MAINTAINER, set beside the components.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nes-kit)
set(CPACK_PACKAGE_VENDOR "NES homebrew kit")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${KIT_PACKAGE_COMPONENTS})

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KIT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_SRCMORPH_PACKAGE_NAME srcmorph)
set(CPACK_DEBIAN_SRCMORPH_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_SRCMORPH_DESCRIPTION
  "convert Tunebrick sound driver sources from NESASM to ca65 and asm6
srcmorph reads one 6502 assembly source of the Tunebrick sound driver,
written for the NESASM assembler, and writes two converted copies beside
it: one for the ca65 assembler and one for the asm6 assembler. It rewrites
a fixed set of byte patterns and passes every other byte through.")

set(CPACK_DEBIAN_VOIDSCOPE_PACKAGE_NAME voidscope)
set(CPACK_DEBIAN_VOIDSCOPE_PACKAGE_SECTION devel)
# The .nes file type the desktop entry offers comes from the shared MIME database.
set(CPACK_DEBIAN_VOIDSCOPE_PACKAGE_RECOMMENDS shared-mime-info)
set(CPACK_DEBIAN_VOIDSCOPE_DESCRIPTION
  "show where an NES cartridge image still has free space
voidscope opens an NES cartridge image (.nes, iNES layout) and maps, one
pixel per byte, the used and free bytes of every PRG and CHR bank. It
reloads the file on request or whenever it changes, and saves the maps as
a BMP picture. From the command line, without a window, it writes that
picture or prints a per-bank table of used and free bytes (text or JSON),
and can fail a build whose banks run short of free space.")

set(CPACK_DEBIAN_ARCADE_PACKAGE_NAME arcade)
set(CPACK_DEBIAN_ARCADE_PACKAGE_SECTION games)
set(CPACK_DEBIAN_ARCADE_DESCRIPTION
  "side-view shooting game with a propeller pack
In PROPELLER PANIC one player flies with a propeller pack over five
stages, throws shots, drops bombs and fights three groups of enemies and a
boss per stage, with combo multipliers, extra lives, pixel-art pictures and
chip-style sounds. The command that starts it is arcade.")

include(CPack)
