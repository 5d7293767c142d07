// The broker password without a secret store: kept in a file only the user may
// read, never through a link planted in its place, and for the run only when there
// is no configuration folder. The publishing settings keep what the dialog set.
#include "app/PasswordStore.h"
#include "app/publishpreferences.h"
#include "model/IniSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace telmora;

namespace {

QString ReadBack(PasswordStore& store) {
    QString got = QStringLiteral("<no answer>");
    store.read([&](const QString& password) { got = password; });
    return got;
}

bool Write(PasswordStore& store, const QString& password) {
    bool ok = false;
    store.write(password, [&](bool kept, const QString&) { ok = kept; });
    return ok;
}

TEST(PasswordStore, KeepsThePasswordInAFileOnlyTheUserMayRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("publish-password"));
    {
        PasswordStore store(path, PasswordStore::Backend::FileOnly);
        EXPECT_EQ(ReadBack(store), QString()) << "no file yet: no password";
        ASSERT_TRUE(Write(store, QStringLiteral("s3cret ü")));
        EXPECT_EQ(store.place(), PasswordStore::Place::File);
    }
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600);
    PasswordStore again(path, PasswordStore::Backend::FileOnly);
    EXPECT_EQ(ReadBack(again), QStringLiteral("s3cret ü"));
    ASSERT_TRUE(Write(again, QString()));
    EXPECT_FALSE(QFile::exists(path)) << "an empty password leaves no file";
}

TEST(PasswordStore, APlantedLinkIsReplacedNotWrittenThrough) {
    QTemporaryDir dir;
    const QString elsewhere = dir.filePath(QStringLiteral("readable-by-all"));
    const QString path = dir.filePath(QStringLiteral("publish-password"));
    {
        QFile target(elsewhere);
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        target.write("before");
    }
    ASSERT_TRUE(QFile::link(elsewhere, path));
    PasswordStore store(path, PasswordStore::Backend::FileOnly);
    EXPECT_EQ(ReadBack(store), QString()) << "a link is not read as the password";
    ASSERT_TRUE(Write(store, QStringLiteral("pw")));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    QFile target(elsewhere);
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll(), "before");
    EXPECT_EQ(ReadBack(store), QStringLiteral("pw"));
}

TEST(PasswordStore, WithoutAConfigurationFolderThePasswordLastsTheRun) {
    PasswordStore store(QString(), PasswordStore::Backend::FileOnly);
    ASSERT_TRUE(Write(store, QStringLiteral("pw")));
    EXPECT_EQ(store.place(), PasswordStore::Place::Memory);
    EXPECT_EQ(ReadBack(store), QStringLiteral("pw"));
}

TEST(PublishPreferences, KeepWhatTheDialogSetAndNameEveryMeter) {
    IniSettings state{QString()};
    PublishSettings defaults = ReadPublishSettings(state);
    EXPECT_FALSE(defaults.enabled);
    EXPECT_EQ(defaults.brokerUrl, QStringLiteral("mqtt://localhost:1883"));
    EXPECT_EQ(defaults.qos, 0);

    PublishSettings chosen;
    chosen.enabled = true;
    chosen.brokerUrl = QStringLiteral("  mqtts://lab:8883 ");
    chosen.userName = QStringLiteral("bench");
    chosen.password = QStringLiteral("never stored here");
    chosen.topicPrefix = QStringLiteral("lab/bench4");
    chosen.qos = 1;
    StorePublishSettings(state, chosen);
    EXPECT_FALSE(state.text().contains("never stored here"));
    const PublishSettings back = ReadPublishSettings(state);
    EXPECT_TRUE(back.enabled);
    EXPECT_EQ(back.brokerUrl, QStringLiteral("mqtts://lab:8883"));
    EXPECT_EQ(back.topicPrefix, QStringLiteral("lab/bench4"));
    EXPECT_EQ(back.qos, 1);
    EXPECT_TRUE(back.password.isEmpty());

    EXPECT_EQ(MeterTopicName(QStringLiteral(" 5310 "), 1), QStringLiteral("5310"));
    EXPECT_EQ(MeterTopicName(QString(), 2), QStringLiteral("meter2"));
}

} // namespace
