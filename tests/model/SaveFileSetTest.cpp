// Several files saved as one: the old files stay until every new one is written,
// a set that fails or is dropped leaves nothing of itself, new files never take an
// existing name (not even a link's), and the commit names what it could not do.
#include "model/SaveFileSet.h"

#include "model/SaveFile.h"

#include "SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace telmora;

namespace {

class SaveFileSetTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    void put(const char* name, const QByteArray& bytes) const {
        ASSERT_TRUE(SaveFile::writeWhole(path(name), bytes));
    }
    QByteArray read(const char* name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QStringList files() const {
        QStringList names =
            QDir(m_dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        names.sort();
        return names;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SaveFileSetTest, TargetsChangeOnlyAtTheCommitAndAllTogether) {
    put("a.slr", "old a");
    ASSERT_EQ(::chmod(QFile::encodeName(path("a.slr")).constData(), 0640), 0);
    {
        SaveFileSet set;
        const QString a = set.stageReplacement(path("a.slr"));
        const QString b = set.stageReplacement(path("b.csv"));
        ASSERT_FALSE(a.isEmpty());
        ASSERT_FALSE(b.isEmpty());
        ASSERT_TRUE(SaveFile::writeWhole(a, QByteArray("new a")));
        ASSERT_TRUE(SaveFile::writeWhole(b, QByteArray("new b")));
        EXPECT_EQ(read("a.slr"), "old a");
        EXPECT_FALSE(QFileInfo::exists(path("b.csv")));
        ASSERT_TRUE(set.commit());
    }
    EXPECT_EQ(read("a.slr"), "new a");
    EXPECT_EQ(read("b.csv"), "new b");
    EXPECT_EQ(files(), QStringList({QStringLiteral("a.slr"), QStringLiteral("b.csv")}));
    // A replaced file keeps its permissions.
    EXPECT_EQ(QFileInfo(path("a.slr")).permissions() & 0x0777, QFileDevice::Permissions(0x0640));

    // A set that is not committed leaves the old files and nothing of its own.
    {
        SaveFileSet set;
        ASSERT_TRUE(
            SaveFile::writeWhole(set.stageReplacement(path("a.slr")), QByteArray("newer a")));
        ASSERT_EQ(set.claimNew(path("c.g53")), SaveFileSet::NewFile::Claimed);
    }
    EXPECT_EQ(read("a.slr"), "new a");
    EXPECT_EQ(files(), QStringList({QStringLiteral("a.slr"), QStringLiteral("b.csv")}));
}

TEST_F(SaveFileSetTest, NewFilesTakeNoExistingNameAndOldOnesGoAfterTheCommit) {
    put("run.telmora", "old manifest");
    put("run-A.g53", "old member");
    ASSERT_TRUE(QFile::link(path("elsewhere"), path("run-B.g53"))); // a dangling link
    SaveFileSet set;
    EXPECT_EQ(set.claimNew(path("run-A.g53")), SaveFileSet::NewFile::Taken);
    EXPECT_EQ(set.claimNew(path("run-B.g53")), SaveFileSet::NewFile::Taken);
    EXPECT_FALSE(QFileInfo::exists(path("elsewhere"))) << "the link was followed";
    ASSERT_EQ(set.claimNew(path("run-A-2.g53")), SaveFileSet::NewFile::Claimed);
    ASSERT_TRUE(SaveFile::writeWhole(path("run-A-2.g53"), QByteArray("new member")));
    ASSERT_TRUE(SaveFile::writeWhole(set.stageReplacement(path("run.telmora")),
                                     QByteArray("new manifest")));
    set.removeAfterCommit(path("run-A.g53"));
    set.removeAfterCommit(path("run.telmora")); // a file of the set itself stays
    EXPECT_EQ(read("run-A.g53"), "old member");
    ASSERT_TRUE(set.commit());
    EXPECT_EQ(read("run.telmora"), "new manifest");
    EXPECT_EQ(read("run-A-2.g53"), "new member");
    EXPECT_EQ(files(), QStringList({QStringLiteral("run-A-2.g53"), QStringLiteral("run-B.g53"),
                                    QStringLiteral("run.telmora")}));

    SaveFileSet refused;
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_TRUE(refused.stageReplacement(path("folder")).isEmpty());
    EXPECT_EQ(refused.errorString(), QStringLiteral("Is a directory"));
    EXPECT_EQ(refused.claimNew(path("missing/x.g53")), SaveFileSet::NewFile::Failed);
    EXPECT_EQ(refused.errorString(), QStringLiteral("No such file or directory"));
}

TEST_F(SaveFileSetTest, ACommitThatCannotReplaceATargetSaysWhatWasReplaced) {
    put("first", "old first");
    put("second", "old second");
    put("third", "old third");
    SaveFileSet set;
    for (const char* name : {"first", "second", "third"})
        ASSERT_TRUE(SaveFile::writeWhole(set.stageReplacement(path(name)), QByteArray("new")));
    // The second target becomes a folder after it was staged: it cannot be replaced.
    ASSERT_TRUE(QFile::remove(path("second")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("second")));
    EXPECT_FALSE(set.commit());
    EXPECT_EQ(set.failedFile(), path("second"));
    EXPECT_TRUE(set.errorString().contains(QDir::toNativeSeparators(path("first"))))
        << set.errorString().toStdString();
    EXPECT_EQ(read("first"), "new");
    EXPECT_EQ(read("third"), "old third");
    EXPECT_EQ(files(), QStringList({QStringLiteral("first"), QStringLiteral("second"),
                                    QStringLiteral("third")}));
}

// On a full disk the set fails where the disk refuses, and its new files go.
TEST(SaveFileSetOnAFullDisk, KeepsEveryOldFile) {
    SmallDisk disk(64);
    SKIP_WITHOUT_SMALL_DISK(disk);
    ASSERT_TRUE(disk.put(QStringLiteral("a"), "old a"));
    ASSERT_TRUE(disk.put(QStringLiteral("b"), "old b"));
    const QString filler = disk.path(QStringLiteral("filler"));
    ASSERT_TRUE(disk.fill());
    ASSERT_TRUE(QFile::resize(filler, QFileInfo(filler).size() - 3 * 4096));
    {
        SaveFileSet set;
        EXPECT_TRUE(SaveFile::writeWhole(set.stageReplacement(disk.path(QStringLiteral("a"))),
                                         QByteArray(8192, 'a')));
        QString reason;
        EXPECT_FALSE(SaveFile::writeWhole(set.stageReplacement(disk.path(QStringLiteral("b"))),
                                          QByteArray(8192, 'b'), &reason));
        EXPECT_EQ(reason, QStringLiteral("No space left on device"));
    }
    EXPECT_EQ(disk.read(QStringLiteral("a")), "old a");
    EXPECT_EQ(disk.read(QStringLiteral("b")), "old b");
    EXPECT_EQ(disk.files(),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("filler")}));
}
