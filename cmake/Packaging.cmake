# Installation into the usual places and the Debian package (cpack -G DEB). An installed program
# keeps its read-only defaults in share/lumesco/defaults and copies them into each user's program
# folder at start (see core/ProgramFolder).
# The package installs under /usr, so libraries go to Debian's multiarch folder whatever the
# prefix of this build tree.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
endif()
include(GNUInstallDirs)
# Packaging builds only what it installs (scripts/package.sh names those targets), not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set_target_properties(ZupriDLL PROPERTIES VERSION 1.0.0 SOVERSION 1)
install(TARGETS lumesco lumesco-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zupri-sim)
  install(TARGETS zupri-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS ZupriDLL LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_SKIP)
install(FILES src/ticketprinter/ZupriDLL.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lumesco)

set(defaults ${CMAKE_INSTALL_DATADIR}/lumesco/defaults)
install(DIRECTORY AJUDA DESTINATION ${defaults})
install(FILES src/billing/contracts/Contrato.rtf packaging/leiame.txt DESTINATION ${defaults})

install(FILES packaging/lumesco.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES src/app/forms/resources/logo.png DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps
        RENAME lumesco.png)

# Manual pages: the program's own, and the two command-line tools' made from their --help.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_dir ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${man_dir})
configure_file(packaging/lumesco.1 ${man_dir}/lumesco.1 @ONLY)
configure_file(packaging/changelog ${man_dir}/changelog @ONLY)
set(man_pages)
set(generated_pages "lumesco-cli|a administração escolar sem janelas, para scripts e suporte")
if(TARGET zupri-sim)
  list(APPEND generated_pages "zupri-sim|simulador da impressora de tíquetes num pseudoterminal")
endif()
foreach(entry IN LISTS generated_pages)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 program)
  list(GET parts 1 summary)
  add_custom_command(OUTPUT ${man_dir}/${program}.1
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
            "-DSUMMARY=${summary}" -DVERSION=${PROJECT_VERSION} -DOUTPUT=${man_dir}/${program}.1
            -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS ${program} ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake VERBATIM)
endforeach()
foreach(page lumesco lumesco-cli zupri-sim changelog)
  if(page STREQUAL "zupri-sim" AND NOT TARGET zupri-sim)
    continue()
  endif()
  set(source ${man_dir}/${page})
  if(NOT page STREQUAL "changelog")
    set(source ${source}.1)
  endif()
  add_custom_command(OUTPUT ${source}.gz
    COMMAND sh -c "${GZIP_PROGRAM} -9n -c '${source}' > '${source}.gz'"
    DEPENDS ${source} VERBATIM)
  list(APPEND man_pages ${source}.gz)
endforeach()
add_custom_target(lumesco_package_files ALL DEPENDS ${man_pages})
list(FILTER man_pages EXCLUDE REGEX "changelog")
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${man_dir}/changelog.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumesco)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumesco)
set(CPACK_PACKAGE_VENDOR Lumesco)
set(CPACK_PACKAGE_CONTACT "Lumesco <suporte@lumesco.com.br>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "school administration for private Brazilian schools")
set(CPACK_PACKAGE_DESCRIPTION
  "The school office's and treasury's program: student register, classes,\n\
marks and averages, report cards and minutes, monthly fees with fines and\n\
interest, payment slips, contracts, a cash book and backups, in Brazilian\n\
Portuguese. Also lumesco-cli for scripts, the ticket-printer library and\n\
its simulator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not say: Qt's window plugins and the fonts the reports ask for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
file(WRITE ${CMAKE_BINARY_DIR}/debian/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The package made from this tree and used from a throw-away root (tests/package).
if(UNIX AND TARGET zupri-sim)
  add_test(NAME package COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/PackageTest.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package PROPERTIES TIMEOUT 900 LABELS package)
endif()
