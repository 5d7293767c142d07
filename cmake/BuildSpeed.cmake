# What makes a first build and a rebuild quick: each library's sources compiled
# in batches (the Qt headers are then read once a batch instead of once a file),
# the widget headers precompiled once, and lld for linking where it is installed.
# None of it changes what is built.

option(TELMORA_UNITY "Compile each library's sources in batches" ON)
set(CMAKE_UNITY_BUILD ${TELMORA_UNITY})
set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)

include(CheckLinkerFlag)
check_linker_flag(CXX "-fuse-ld=lld" TELMORA_HAVE_LLD)
if(TELMORA_HAVE_LLD)
    add_link_options("-fuse-ld=lld")
endif()

# telmora_keep_apart(TARGET SOURCES...) compiles the given sources of TARGET (in
# the current folder) on their own: sources whose file-local names would clash
# with a neighbour's in a batch.
function(telmora_keep_apart target)
    set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target}
                                PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# The headers nearly every window includes; precompiled once for the windows'
# library and once for each kind of test main.
set(TELMORA_WIDGET_HEADERS
    <QAction> <QApplication> <QBoxLayout> <QComboBox> <QDateTime> <QDialog>
    <QDialogButtonBox> <QFile> <QGridLayout> <QHash> <QLabel> <QList> <QMenu>
    <QObject> <QPainter> <QPointer> <QPushButton> <QSettings> <QString> <QStringList>
    <QTimer> <QVariant> <QWidget>
    <algorithm> <chrono> <cstdint> <functional> <memory> <optional> <string> <vector>)
set(TELMORA_CORE_HEADERS
    <QByteArray> <QCoreApplication> <QDateTime> <QFile> <QHash> <QList> <QObject>
    <QString> <QStringList> <QTimer> <QVariant>
    <algorithm> <chrono> <cstdint> <functional> <memory> <optional> <string> <vector>)
