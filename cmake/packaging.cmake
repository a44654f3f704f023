# What a Debian system expects around the two programs, and the package that carries them:
#   manual pages   docs/man/*.scd, built with scdoc when it is installed
#   completion     packaging/gkconv.bash-completion
#   icons          res/icons/<size>/ and res/icons/scalable/, drawn by scripts/make-resources
#   metadata       the AppStream file, copyright and changelog under packaging/
# `cpack -G DEB` in the build folder (scripts/package) makes gauss-converter_<version>_amd64.deb.

set(GK_PACKAGE_NAME gauss-converter)
set(GK_APPSTREAM_ID com.example.gauss_converter)
set(gk_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(gk_generated_dir ${PROJECT_BINARY_DIR}/packaging)

# The changelog's newest entry is the release being built.
file(STRINGS ${gk_packaging_dir}/changelog gk_changelog_head LIMIT_COUNT 1)
string(REGEX MATCH "^${GK_PACKAGE_NAME} \\(([^)]+)\\)" gk_changelog_match "${gk_changelog_head}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog's newest entry is version '${CMAKE_MATCH_1}', the project "
                      "is ${PROJECT_VERSION}: add a changelog entry for ${PROJECT_VERSION}")
endif()
# The software centre's newest release is the same one.
file(READ ${gk_packaging_dir}/${GK_APPSTREAM_ID}.metainfo.xml gk_metainfo)
string(REGEX MATCH "<release version=\"([^\"]+)\"" gk_metainfo_match "${gk_metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "the newest release in packaging/${GK_APPSTREAM_ID}.metainfo.xml is "
                      "'${CMAKE_MATCH_1}', the project is ${PROJECT_VERSION}: add a <release>")
endif()
# Its date stamps the manual pages, so that building them again gives the same bytes.
file(STRINGS ${gk_packaging_dir}/changelog gk_changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- .*>  " "" gk_release_date "${gk_changelog_trailer}")
execute_process(COMMAND date -d "${gk_release_date}" +%s OUTPUT_VARIABLE gk_release_epoch
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE gk_date_result)
if(NOT gk_date_result EQUAL 0)
  message(FATAL_ERROR "cannot read the date '${gk_release_date}' of packaging/changelog")
endif()

# Debian wants documentation compressed, without the name and time gzip would otherwise store.
find_program(GK_GZIP gzip REQUIRED)
set(gk_doc_outputs ${gk_generated_dir}/changelog.gz)
add_custom_command(
  OUTPUT ${gk_generated_dir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${gk_generated_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${gk_packaging_dir}/changelog ${gk_generated_dir}/changelog
  COMMAND ${GK_GZIP} -9nf ${gk_generated_dir}/changelog
  DEPENDS ${gk_packaging_dir}/changelog
  VERBATIM)

find_program(GK_SCDOC scdoc)
if(GK_SCDOC)
  foreach(page gkconv.1 gauss-converter.1)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.scd)
    set(output ${gk_generated_dir}/man/${page})
    add_custom_command(
      OUTPUT ${output}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${gk_generated_dir}/man
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${gk_release_epoch}
              sh -c "\"$0\" < \"$1\" > \"$2\"" ${GK_SCDOC} ${source} ${output}
      COMMAND ${GK_GZIP} -9nf ${output}
      DEPENDS ${source}
      COMMENT "Writing the manual page ${page}"
      VERBATIM)
    list(APPEND gk_doc_outputs ${output}.gz)
    install(FILES ${output}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(STATUS "scdoc not found: the manual pages are neither built nor installed")
endif()
add_custom_target(gk_docs ALL DEPENDS ${gk_doc_outputs})

install(FILES ${gk_packaging_dir}/copyright ${gk_generated_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${GK_PACKAGE_NAME})
install(FILES ${gk_packaging_dir}/gkconv.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME gkconv)

if(GK_BUILD_GUI)
  # Every size scripts/make-resources draws is installed; a new size needs no change here.
  file(GLOB gk_icon_sizes LIST_DIRECTORIES true RELATIVE ${PROJECT_SOURCE_DIR}/res/icons
       ${PROJECT_SOURCE_DIR}/res/icons/*)
  foreach(size ${gk_icon_sizes})
    file(GLOB icon ${PROJECT_SOURCE_DIR}/res/icons/${size}/${GK_PACKAGE_NAME}.*)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
  endforeach()
  install(FILES ${gk_packaging_dir}/${GK_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# A stripped install (as cpack's) also drops the compiler's notes, as Debian's own strip does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program gauss-converter gkconv)
      set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
      if(EXISTS \"\${file}\")
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                                \"\${file}\" COMMAND_ERROR_IS_FATAL ANY)
      endif()
    endforeach()
  endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${GK_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Gauss converter developers <gauss-converter@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter between geodetic and Gauss-Krüger coordinates")
# The summary is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A tool for surveyors that converts geodetic latitude and longitude (B, L)
on a reference ellipsoid into Gauss-Krüger plane coordinates (X, Y) in 3°
and 6° zones and back, moves plane coordinates into the neighbouring zone,
and carries them between the 3° and 6° zone systems. It knows the WGS1984,
CGCS2000, Xi'an 1980 and Beijing 1954 ellipsoids and ellipsoids of one's own.
.
The package holds the desktop program gauss-converter, whose window and texts
are in Chinese, and gkconv, a command-line converter of whole files that gives
the same numbers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared libraries come from dpkg-shlibdeps; Qt's platform plugin and the dialog font are loaded
# at run time, where it cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
