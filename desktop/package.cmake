# The Debian package: `cpack -G DEB` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/package-test.sh builds, installs and
# removes it). The program finds its help document at the path fixed when it
# was built, so the package must install under the prefix it was built for;
# package_check.cmake refuses any other.
set(CPACK_PACKAGE_NAME pursewise)
set(CPACK_PACKAGE_VENDOR "Quillfen Software")
set(CPACK_PACKAGE_CONTACT "Quillfen Software <pursewise@quillfen.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quillfen.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "register of one person's credit cards")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillfen Pursewise keeps up to 24 credit cards: a card list with totals, and
for each card a register of dated charges and payments per calendar year, with
running and reconciled balances, balances carried into later years and an
\"Overdrawn\" warning. The data are plain-text files in ~/Pursewise.")
set(CPACK_GENERATOR DEB)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links (the Qt runtime, Qt Charts for the balance
# chart as libqt6charts6, libc, libstdc++) come from dpkg-shlibdeps with the
# versions the build used. The program also needs Qt's platform plugins to
# open a window, and the fonts the windows ask for (free look-alikes of
# Arial, Times New Roman, Bookman and Comic Sans). The statement readers load
# libofx and libcsv only at the first import, so dpkg-shlibdeps cannot see
# them: they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libofx7, libcsv3, qt6-qpa-plugins, fonts-liberation, fonts-urw-base35, fonts-comic-neue, fonts-dejavu-core")

set(CPACK_PURSEWISE_HELP_FILE "${PURSEWISE_HELP_FILE}")
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/package_check.cmake")
include(CPack)
