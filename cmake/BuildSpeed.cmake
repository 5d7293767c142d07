# What makes a build from scratch and a rebuild quick: a faster linker when the
# system has one, precompiled headers, unity batches and the compiler cache.

# lld links the test programs and the windows' debug builds several times faster
# than the default linker (debian: package lld).
include(CheckLinkerFlag)
check_linker_flag(CXX "-fuse-ld=lld" TELMORA_HAVE_LLD)
if(TELMORA_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
endif()

# Precompiled headers through the compiler cache need these slacks, and GCC must
# leave a mark of the header in preprocessed output. The cache's base folder makes
# paths relative, so that checkouts and clean clones share their entries, also when
# the build is started with `cmake --build` instead of scripts/build.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache$")
    set(CMAKE_CXX_COMPILER_LAUNCHER
        ${CMAKE_COMMAND} -E env
        "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
        "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}" CCACHE_NOHASHDIR=1 ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()


# The headers nearly every source of a layer includes. Only system and Qt headers:
# headers of the project stay out, so that the layers' include check still works.
set(TELMORA_PCH_CORE
    <algorithm> <array> <charconv> <chrono> <cmath> <cstdint> <cstring> <functional>
    <memory> <optional> <span> <string> <string_view> <utility> <vector>
    <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QObject> <QString> <QStringList>
    <QTimer>)
set(TELMORA_PCH_WIDGETS
    ${TELMORA_PCH_CORE}
    <QAction> <QApplication> <QColor> <QDialog> <QFrame> <QGridLayout> <QHBoxLayout>
    <QLabel> <QMainWindow> <QPainter> <QPushButton> <QStyle> <QToolButton> <QVBoxLayout>
    <QWidget>)

# telmora_fast_build(TARGET [NO_UNITY] [PCH headers... | REUSE other-target]) compiles
# the target in unity batches (unless NO_UNITY) and with precompiled headers when the
# options allow.
function(telmora_fast_build target)
    cmake_parse_arguments(F "NO_UNITY" "REUSE" "" ${ARGN})
    if(TELMORA_UNITY AND NOT F_NO_UNITY)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON
                                                   UNITY_BUILD_BATCH_SIZE ${TELMORA_UNITY_BATCH})
    endif()
    if(TELMORA_PCH)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            target_compile_options(${target} PRIVATE -fpch-preprocess)
        elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
            # A header restored from the cache is newer than the precompiled one it went into.
            target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
        endif()
        if(F_REUSE)
            target_precompile_headers(${target} REUSE_FROM ${F_REUSE})
        elseif(F_UNPARSED_ARGUMENTS)
            target_precompile_headers(${target} PRIVATE ${F_UNPARSED_ARGUMENTS})
        endif()
    endif()
endfunction()
