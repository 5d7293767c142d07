# The program's translations: translations/telmora_<language>.ts are compiled
# with lrelease into .qm files, which are embedded into telmora_ui under the
# resource folder :/i18n. Included from src/CMakeLists.txt so that the compiling
# commands live in the same directory as the library that uses their output.
#
# The target telmora_lupdate refreshes the .ts files from the sources (new texts
# are added unfinished, texts no longer used are dropped):
#     cmake --build build/dev -t telmora_lupdate

set(TELMORA_LANGUAGES de fr es pl zh_CN)
set(TELMORA_TRANSLATIONS_DIR ${PROJECT_SOURCE_DIR}/translations)

# The tools of Qt 6; a plain "lrelease" on the PATH may be another Qt's.
find_package(Qt6 QUIET COMPONENTS LinguistTools)
if(TARGET Qt6::lrelease)
    set(TELMORA_LRELEASE $<TARGET_FILE:Qt6::lrelease>)
    set(TELMORA_LUPDATE $<TARGET_FILE:Qt6::lupdate>)
else()
    set(_qt_tool_dirs ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}
                      ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin /usr/lib/qt6/libexec)
    find_program(TELMORA_LRELEASE_PROGRAM lrelease HINTS ${_qt_tool_dirs} NO_DEFAULT_PATH)
    find_program(TELMORA_LUPDATE_PROGRAM lupdate HINTS ${_qt_tool_dirs} NO_DEFAULT_PATH)
    if(NOT TELMORA_LRELEASE_PROGRAM)
        message(FATAL_ERROR "lrelease of Qt 6 not found (Debian: qt6-l10n-tools)")
    endif()
    set(TELMORA_LRELEASE ${TELMORA_LRELEASE_PROGRAM})
    set(TELMORA_LUPDATE ${TELMORA_LUPDATE_PROGRAM})
endif()

set(_ts_files)
set(_qm_files)
set(_qm_dir ${CMAKE_CURRENT_BINARY_DIR}/i18n)
foreach(language IN LISTS TELMORA_LANGUAGES)
    set(ts ${TELMORA_TRANSLATIONS_DIR}/telmora_${language}.ts)
    set(qm ${_qm_dir}/telmora_${language}.qm)
    add_custom_command(OUTPUT ${qm}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_qm_dir}
        COMMAND ${TELMORA_LRELEASE} -silent ${ts} -qm ${qm}
        DEPENDS ${ts}
        COMMENT "Compiling the ${language} translation"
        VERBATIM)
    list(APPEND _ts_files ${ts})
    list(APPEND _qm_files ${qm})
endforeach()

qt_add_resources(telmora_ui telmora_translations
    PREFIX /i18n
    BASE ${_qm_dir}
    FILES ${_qm_files})

# The tests compare the translation files with what lupdate finds in the sources.
set(TELMORA_LUPDATE "${TELMORA_LUPDATE}" CACHE INTERNAL "lupdate of Qt 6")

if(TELMORA_LUPDATE)
    add_custom_target(telmora_lupdate
        COMMAND ${TELMORA_LUPDATE} -silent -locations none -no-obsolete
                ${PROJECT_SOURCE_DIR}/src -ts ${_ts_files}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Refreshing the translation sources from the program's texts"
        VERBATIM)
endif()
