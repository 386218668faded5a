// The profile store: "system" and the small values in group "settings".
#include "ShellTestFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>

namespace relvo7::test {
namespace {

unsigned Mode(const QString& file)
{
    struct stat st {};
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? unsigned(st.st_mode & 0777) : 0u;
}

class SettingsStoreTest : public ShellTest {
protected:
    void writeRaw(const QString& name, const QVariant& value)
    {
        QSettings s(profilePath(), QSettings::IniFormat);
        s.setValue(QStringLiteral("settings/") + name, value);
        s.sync();
    }
    QByteArray readRaw(const QString& name)
    {
        QSettings s(profilePath(), QSettings::IniFormat);
        return s.value(QStringLiteral("settings/") + name).toByteArray();
    }
};

TEST_F(SettingsStoreTest, MissingValueLeavesRecordAndFails)
{
    Settings().nTimeout = 4321;
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(Settings().nTimeout, 4321u);
}

TEST_F(SettingsStoreTest, SaveWritesExactly1128BytesAndLoadsThemBack)
{
    Settings().nDeviceAddress = 17;
    AssignSettingsText(Settings().szPortName, QStringLiteral("Modbus TCP"));
    AssignSettingsText(Settings().szPassword, QStringLiteral("Tajne-Hasło"));
    ASSERT_TRUE(SaveSettings());
    const QByteArray stored = readRaw(QStringLiteral("system"));
    ASSERT_EQ(stored.size(), 1128);
    EXPECT_EQ(stored.mid(12, 4), QByteArray("\x11\x00\x00\x00", 4));

    ResetSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().nDeviceAddress, 17);
    EXPECT_TRUE(IsModbusTcpPort(Settings()));
    EXPECT_EQ(SettingsText(Settings().szPassword), QStringLiteral("Tajne-Hasło"));
}

TEST_F(SettingsStoreTest, WrongSizedOrForeignValuesFallBackToDefaults)
{
    const QList<QVariant> bad = {QByteArray(1127, '\x01'), QByteArray(1129, '\x01'), QByteArray(),
                                 QStringLiteral("not a record"), 1128};
    for (const QVariant& value : bad) {
        writeRaw(QStringLiteral("system"), value);
        SettingsRecord r = DefaultSettingsRecord();
        r.nRetries = 42;
        EXPECT_FALSE(LoadSettings(r)) << value.typeName();
        EXPECT_EQ(r.nRetries, 42u);
    }
    // After a save the value is whole again.
    ASSERT_TRUE(SaveSettings(DefaultSettingsRecord()));
    EXPECT_EQ(readRaw(QStringLiteral("system")).size(), 1128);
}

TEST_F(SettingsStoreTest, ProfileFileIsOwnerOnly)
{
    ASSERT_TRUE(SaveProfileInt(QStringLiteral("pow1"), 3));
    EXPECT_EQ(Mode(profilePath()), 0600u);
    // A file that was opened up is closed again at the next write.
    QFile::setPermissions(profilePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(Mode(profilePath()), 0600u);
}

TEST_F(SettingsStoreTest, SmallValuesBesideTheRecord)
{
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow2"), 0), 0);
    ASSERT_TRUE(SaveProfileInt(QStringLiteral("pow2"), 14));
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow2"), 0), 14);
    writeRaw(QStringLiteral("pow3"), QStringLiteral("garbage"));
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow3"), 5), 5);

    EXPECT_TRUE(LoadProfileBinary(QStringLiteral("pdb")).isEmpty());
    const QByteArray pdb(28, '\x07');
    ASSERT_TRUE(SaveProfileBinary(QStringLiteral("pdb"), pdb));
    EXPECT_EQ(LoadProfileBinary(QStringLiteral("pdb")), pdb);
    // The record is untouched by the small values.
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(LoadProfileBinary(QStringLiteral("pdb")), pdb);
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow2"), 0), 14);
}

TEST_F(SettingsStoreTest, SaveReportsAnUnwritableProfile)
{
    QFile blocker(path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetProfileFilePath(path(QStringLiteral("blocker/Tarnwell/CPL_RELVO7.conf")));
    EXPECT_FALSE(SaveSettings());
    EXPECT_FALSE(SaveProfileInt(QStringLiteral("pow1"), 1));
}

TEST_F(SettingsStoreTest, DefaultProfileIsTarnwellCplRelvo7InTheUsersConfigFolder)
{
    SetProfileFilePath(QString());
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/Tarnwell/CPL_RELVO7.conf");
    EXPECT_EQ(ProfileFilePath(), expected);
    EXPECT_TRUE(ProfileFilePath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
}

} // namespace
} // namespace relvo7::test
