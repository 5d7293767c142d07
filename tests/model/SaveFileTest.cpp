// The one save routine on a full disk: a failure is never reported as success, the
// old file stays byte for byte, no temporary file is left, and the reason is the
// system's.
#include "model/SaveFile.h"

#include "SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

const QString kNoSpace = QStringLiteral("No space left on device");
const QByteArray kOld = QByteArray("the old file, which must survive\n").repeated(10);

// A small disk holding an old file `target` of kOld.
class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_SMALL_DISK(m_disk);
        ASSERT_TRUE(m_disk.put(QStringLiteral("target"), kOld));
    }
    QString target() const { return m_disk.path(QStringLiteral("target")); }
    // The old file is as it was and nothing else of the save is left.
    void expectOldFileKept() const {
        EXPECT_EQ(m_disk.read(QStringLiteral("target")), kOld);
        EXPECT_EQ(m_disk.files(),
                  QStringList({QStringLiteral("filler"), QStringLiteral("target")}));
    }

    SmallDisk m_disk;
};

} // namespace

TEST_F(SaveFileTest, WritesTheDiskRefusesFailWithTheSystemsReason) {
    ASSERT_TRUE(m_disk.fill());
    {
        // A write small enough to sit in a buffer until the end.
        SaveFile file(target());
        ASSERT_TRUE(file.open());
        EXPECT_FALSE(file.write(QByteArray(100, 'n')));
        EXPECT_EQ(file.errorString(), kNoSpace);
        EXPECT_FALSE(file.commit());
        EXPECT_FALSE(file.write(QByteArray("more"))) << "nothing goes on after a failure";
        EXPECT_EQ(file.errorString(), kNoSpace) << "the first reason stays";
    }
    expectOldFileKept();

    // The whole file in one go.
    QString reason;
    EXPECT_FALSE(SaveFile::writeWhole(target(), QByteArray(100, 'n'), &reason));
    EXPECT_EQ(reason, kNoSpace);
    expectOldFileKept();
}

TEST_F(SaveFileTest, ADiskThatFillsPartWayGivesTheReasonNotAShortCount) {
    // Room for two pages: the write is taken in part, then refused.
    ASSERT_TRUE(m_disk.fill());
    ASSERT_TRUE(QFile::resize(m_disk.path(QStringLiteral("filler")),
                              QFileInfo(m_disk.path(QStringLiteral("filler"))).size() - 8192));
    SaveFile file(target());
    ASSERT_TRUE(file.open());
    EXPECT_FALSE(file.write(QByteArray(40000, 'n')));
    EXPECT_EQ(file.errorString(), kNoSpace);
    EXPECT_FALSE(file.commit());
    expectOldFileKept();
}

TEST_F(SaveFileTest, TheDiskFillingBetweenWriteAndCommit) {
    // Bytes the file system took before it filled are saved; a success is real.
    {
        SaveFile file(target());
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write(QByteArray(100, 'n')));
        ASSERT_TRUE(m_disk.fill());
        ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
    }
    EXPECT_EQ(m_disk.read(QStringLiteral("target")), QByteArray(100, 'n'));
    ASSERT_TRUE(QFile::remove(m_disk.path(QStringLiteral("filler"))));
    ASSERT_TRUE(m_disk.put(QStringLiteral("target"), kOld));

    // Bytes written on the descriptor (a copy inside the system) that the full
    // disk refused make the commit fail.
    SaveFile file(target());
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write(QByteArray(4096, 'n'))); // one whole page
    ASSERT_TRUE(m_disk.fill());
    file.fileDevice().write(QByteArray(100, 'x'));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(file.errorString(), kNoSpace);
    expectOldFileKept();
}

TEST(SaveFileWithoutCommit, ASaveNotCommittedLeavesTheOldFileAndNoTemporaryFile) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    ASSERT_TRUE(SaveFile::writeWhole(target, kOld));
    {
        SaveFile dropped(target);
        ASSERT_TRUE(dropped.open());
        ASSERT_TRUE(dropped.write(QByteArray("new")));
    }
    SaveFile cancelled(target);
    ASSERT_TRUE(cancelled.open());
    ASSERT_TRUE(cancelled.write(QByteArray("new")));
    cancelled.cancel();
    EXPECT_TRUE(cancelled.errorString().isEmpty());
    EXPECT_FALSE(cancelled.commit());

    SaveFile failed(target);
    ASSERT_TRUE(failed.open());
    failed.fail(QStringLiteral("the source ran short"));
    EXPECT_EQ(failed.errorString(), QStringLiteral("the source ran short"));
    EXPECT_FALSE(failed.commit());

    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kOld);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("target")});
}
