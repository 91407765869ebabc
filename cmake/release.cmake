# What a release is made of: the manual pages with the version in them, the
# install rules, and the packages (a Debian package, a ZIP of the Windows
# program). The version is project(VERSION); CHANGELOG.md must begin with it.
#
# Install components:
#   program    the programs, README.md, README.ja.md and the example answer
#              files
#   documents  LICENSE, CHANGELOG.md and the manual pages as they are, the
#              English ones and their Japanese translations
#   debian     what the Debian package has instead of the documents: the
#              machine-readable copyright file, the Debian changelog and the
#              compressed manual pages; only installed on request.

include(${CMAKE_CURRENT_LIST_DIR}/release-files.cmake)

set(orbcalc_maintainer "orbcalc authors <orbcalc@example.org>")
set(release_dir ${PROJECT_BINARY_DIR}/release)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md
  ${PROJECT_SOURCE_DIR}/README.ja.md)

# The release date is the date of the changelog's entry for this version.
orbcalc_release_date(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_VERSION} ORBCALC_RELEASE_DATE)

file(GLOB example_answers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.txt)

if(WIN32)
  # A Windows program is handed over as a folder of its own: the program
  # and its texts side by side, every text with CR LF line ends.
  install(TARGETS orbcalc RUNTIME DESTINATION . COMPONENT program)
  set(crlf_dir ${release_dir}/crlf)
  foreach(text IN ITEMS README.md README.ja.md LICENSE CHANGELOG.md)
    orbcalc_crlf_copy(${PROJECT_SOURCE_DIR}/${text} ${crlf_dir}/${text})
  endforeach()
  foreach(answers IN LISTS example_answers)
    get_filename_component(name ${answers} NAME)
    orbcalc_crlf_copy(${answers} ${crlf_dir}/examples/${name})
  endforeach()
  install(FILES ${crlf_dir}/README.md ${crlf_dir}/README.ja.md DESTINATION . COMPONENT program)
  install(DIRECTORY ${crlf_dir}/examples DESTINATION . COMPONENT program)
  install(FILES ${crlf_dir}/LICENSE ${crlf_dir}/CHANGELOG.md DESTINATION . COMPONENT documents)
  set(CPACK_GENERATOR ZIP)
else()
  set(programs orbcalc)
  # The UTF-8 viewer is built on Linux only.
  if(TARGET orbcalc-utf8)
    list(APPEND programs orbcalc-utf8)
  endif()
  install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
  install(FILES README.md README.ja.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT program)
  install(FILES ${example_answers} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT program)
  install(FILES LICENSE CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT documents)

  # The batch tool, from the WebAssembly build's folder for it
  # (ORBCALC_BATCH_DIR, build-web/orbcalc-batch): the folder as it is under
  # the data folder, and the command a link to its script.
  set(ORBCALC_BATCH_DIR "" CACHE PATH "The built batch tool's folder, to install it too")
  set(pages ${programs})
  set(vendored_licence "")
  if(ORBCALC_BATCH_DIR)
    set(batch_script ${ORBCALC_BATCH_DIR}/batch/orbcalc-batch.js)
    if(NOT EXISTS ${batch_script})
      message(FATAL_ERROR "No batch tool in ${ORBCALC_BATCH_DIR}: cmake --build --preset web --target batch")
    endif()
    set(batch_data ${CMAKE_INSTALL_DATADIR}/orbcalc)
    install(DIRECTORY ${ORBCALC_BATCH_DIR}/ DESTINATION ${batch_data} COMPONENT program
            PATTERN orbcalc-batch.js PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                 WORLD_READ WORLD_EXECUTE)
    file(RELATIVE_PATH target ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${batch_data}/batch/orbcalc-batch.js)
    file(MAKE_DIRECTORY ${release_dir})
    file(CREATE_LINK ${target} ${release_dir}/orbcalc-batch SYMBOLIC)
    install(FILES ${release_dir}/orbcalc-batch DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
    list(APPEND pages orbcalc-batch)
    set(vendored_licence ${ORBCALC_BATCH_DIR}/vendor/LICENSE-openchemlib-js.txt)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "nodejs (>= 18)")
  endif()

  # The pages say where the examples are.
  set(ORBCALC_EXAMPLES_DIR ${CMAKE_INSTALL_FULL_DOCDIR}/examples)
  find_program(ORBCALC_GZIP gzip)
  # Each page in English under man1 and in Japanese under ja/man1, where
  # man finds it from a Japanese locale.
  foreach(program IN LISTS pages)
    foreach(language IN ITEMS "" ja)
      if(language)
        set(folder ${language}/)
      else()
        set(folder "")
      endif()
      set(page ${release_dir}/man/${folder}${program}.1)
      configure_file(${PROJECT_SOURCE_DIR}/man/${folder}${program}.1.in ${page} @ONLY)
      install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder}man1 COMPONENT documents)
      if(ORBCALC_GZIP)
        orbcalc_gzip(${ORBCALC_GZIP} ${page} ${release_dir}/debian/${folder}${program}.1.gz)
        install(FILES ${release_dir}/debian/${folder}${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder}man1
          COMPONENT debian EXCLUDE_FROM_ALL)
      endif()
    endforeach()
  endforeach()

  if(ORBCALC_GZIP)
    orbcalc_debian_copyright(${PROJECT_SOURCE_DIR}/LICENSE "${orbcalc_maintainer}"
      ${release_dir}/debian/copyright ${vendored_licence})
    orbcalc_debian_changelog(${PROJECT_SOURCE_DIR}/CHANGELOG.md orbcalc "${orbcalc_maintainer}"
      ${release_dir}/debian/changelog)
    orbcalc_gzip(${ORBCALC_GZIP} ${release_dir}/debian/changelog ${release_dir}/debian/changelog.gz)
    install(FILES ${release_dir}/debian/copyright ${release_dir}/debian/changelog.gz
      DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)
  endif()
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_PACKAGE_NAME orbcalc)
set(CPACK_PACKAGE_VENDOR "the orbcalc authors")
set(CPACK_PACKAGE_CONTACT "${orbcalc_maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console calculator for simple Hückel molecular orbitals")
# Debian shows the description as it is: lines of at most 72 characters.
set(CPACK_PACKAGE_DESCRIPTION "\
orbcalc asks for a conjugated molecule by its atoms and bonds, takes
optional heteroatom parameters that overwrite elements of the Hückel
matrix, diagonalises the matrix and prints the orbital energies x
(E = α + xβ) from the largest to the smallest, each above the column of
its coefficients.

The dialogue is Japanese in Shift_JIS, every output line ends with CR LF,
and every byte of the report, the diagnostics and the exit status is
fixed, so a scripted answer file gives the same output every time.")
if(TARGET orbcalc-utf8)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "
orbcalc-utf8 runs orbcalc and shows its dialogue on a UTF-8 terminal.")
endif()
if(ORBCALC_BATCH_DIR)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "
orbcalc-batch computes the π properties and reactivity indices of many
molecules (SMILES, molfiles, SD files or answer files) under node.")
endif()
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The Debian package takes the program and the Debian files; LICENSE,
# CHANGELOG.md and the uncompressed pages stay out of it.
set(CPACK_PROJECT_CONFIG_FILE ${release_dir}/package-settings.cmake)
file(WRITE ${release_dir}/package-settings.cmake [=[
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL program debian)
endif()
]=])

include(CPack)
