// The checks before files are read or replaced: only regular files, never a wait
// on a FIFO, the system's reason for every refusal, names that are not UTF-8.
#include "model/fileaccess.h"
#include "model/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace telmora;

namespace {

class FileAccessTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString fifo(const char* name) const {
        const QString p = path(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        return p;
    }
    static void write(const QString& p, const QByteArray& bytes) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static bool isFifo(const QString& p) {
        struct stat st {};
        return ::stat(QFile::encodeName(p).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FileAccessTest, OnlyRegularFilesAreOpenedAndEveryRefusalSaysWhy) {
    write(path("plain.bin"), "abc");
    QFile file;
    QString reason;
    ASSERT_TRUE(OpenRegularFile(file, path("plain.bin"), &reason)) << reason.toStdString();
    EXPECT_EQ(file.readAll(), "abc");
    EXPECT_EQ(file.size(), 3);

    const struct {
        QString path;
        const char* reason;
    } refused[] = {
        {path("missing.bin"), "No such file or directory"},
        {m_dir.path(), "Is a directory"},
        {fifo("pipe"), "is a FIFO, not a regular file"}, // no writer: must not wait
        {QStringLiteral("/dev/zero"), "is a character device, not a regular file"},
    };
    for (const auto& r : refused) {
        QFile f;
        reason.clear();
        EXPECT_FALSE(OpenRegularFile(f, r.path, &reason)) << r.path.toStdString();
        EXPECT_EQ(reason, QLatin1String(r.reason)) << r.path.toStdString();
        EXPECT_FALSE(f.isOpen());
    }
    if (::geteuid() != 0) { // root reads everything
        write(path("secret"), "x");
        QFile::setPermissions(path("secret"), QFileDevice::WriteOwner);
        QFile f;
        EXPECT_FALSE(OpenRegularFile(f, path("secret"), &reason));
        EXPECT_EQ(reason, QStringLiteral("Permission denied"));
    }
}

TEST_F(FileAccessTest, NamesThatAreNotUtf8AreReachedByTheirBytes) {
    const QByteArray native = QFile::encodeName(m_dir.path()) + "/lat\xfc.g53";
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "xyz", 3), 3);
    ::close(fd);

    EXPECT_FALSE(PathTextIsExact(native));
    EXPECT_TRUE(PathTextIsExact(QFile::encodeName(path("caf\u00e9.g53"))));
    EXPECT_TRUE(PathText(native).endsWith(QStringLiteral(".g53")));
    QFile file;
    ASSERT_TRUE(OpenRegularFile(file, native));
    EXPECT_EQ(file.readAll(), "xyz");
}

TEST_F(FileAccessTest, SavesReplaceOnlyRegularFilesAndLeaveOthersAsTheyAre) {
    EXPECT_TRUE(ReplaceTargetProblem(path("new.bin")).isEmpty());
    write(path("old.bin"), "old");
    EXPECT_TRUE(ReplaceTargetProblem(path("old.bin")).isEmpty());
    EXPECT_EQ(ReplaceTargetProblem(m_dir.path()), QStringLiteral("Is a directory"));
    EXPECT_EQ(ReplaceTargetProblem(QStringLiteral("/dev/null")),
              QStringLiteral("is a character device, not a regular file"));

    const QString pipe = fifo("pipe");
    SaveFile save(pipe);
    EXPECT_FALSE(save.open());
    EXPECT_EQ(save.errorString(), QStringLiteral("is a FIFO, not a regular file"));
    EXPECT_TRUE(isFifo(pipe));

    // A link to a FIFO is judged by what it points at.
    ASSERT_TRUE(QFile::link(pipe, path("link")));
    SaveFile viaLink(path("link"));
    EXPECT_FALSE(viaLink.open());
    EXPECT_TRUE(isFifo(pipe));

    SaveFile regular(path("old.bin"));
    ASSERT_TRUE(regular.open());
    ASSERT_TRUE(regular.write(std::string_view("new")));
    ASSERT_TRUE(regular.commit());
    QFile check(path("old.bin"));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "new");
}
