#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <mutex>
#include <QSettings>

#include <memory>

namespace relvo7 {

namespace {

const QString kGroup = QStringLiteral("settings");
const QString kSystem = QStringLiteral("system");

std::mutex g_pathMutex;
QString g_profilePathOverride;

QString OverridePath()
{
    std::lock_guard lock(g_pathMutex);
    return g_profilePathOverride;
}

std::unique_ptr<QSettings> OpenProfile()
{
    const QString path = OverridePath();
    if (!path.isEmpty())
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Tarnwell"), QStringLiteral("CPL_RELVO7"));
}

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

// The profile holds the password: make sure the file exists with owner-only
// permissions before anything is written into it, and stays so afterwards
// (QSettings replaces the file on every write).
void PrepareOwnerOnlyFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    QFileInfo info(fileName);
    QDir().mkpath(info.absolutePath());
    if (!info.exists()) {
        QFile f(fileName);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly))
            f.close();
    }
    QFile::setPermissions(fileName, kOwnerOnly);
}

// The native profile of a Windows build is the registry, not a file.
bool IsFileBacked(const QSettings& s)
{
#ifdef Q_OS_WIN
    return s.format() != QSettings::NativeFormat;
#else
    Q_UNUSED(s);
    return true;
#endif
}

bool WriteValue(const QString& name, const QVariant& value)
{
    auto s = OpenProfile();
    if (IsFileBacked(*s))
        PrepareOwnerOnlyFile(s->fileName());
    s->beginGroup(kGroup);
    s->setValue(name, value);
    s->endGroup();
    s->sync();
    const bool ok = s->status() == QSettings::NoError && s->isWritable();
    if (IsFileBacked(*s) && QFileInfo::exists(s->fileName()))
        QFile::setPermissions(s->fileName(), kOwnerOnly);
    return ok;
}

QVariant ReadValue(const QString& name)
{
    auto s = OpenProfile();
    s->beginGroup(kGroup);
    return s->value(name);
}

} // namespace

QString SettingsText(const char16_t (&field)[kSettingsTextChars])
{
    return QString::fromUtf16(field, qsizetype(SettingsTextLength(field)));
}

bool AssignSettingsText(char16_t (&field)[kSettingsTextChars], const QString& text)
{
    return AssignSettingsText(field, std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                         std::size_t(text.size())));
}

SettingsRecord& Settings()
{
    static SettingsRecord record = DefaultSettingsRecord();
    return record;
}

bool LoadSettings(SettingsRecord& record)
{
    const QVariant v = ReadValue(kSystem);
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
        return false;
    const QByteArray bytes = v.toByteArray();
    return DecodeSettingsRecord(std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size()))), record);
}

bool SaveSettings(const SettingsRecord& record)
{
    QByteArray bytes(int(kSettingsRecordSize), '\0');
    EncodeSettingsRecord(record, std::span<std::byte, kSettingsRecordSize>(
                                     reinterpret_cast<std::byte*>(bytes.data()), kSettingsRecordSize));
    return WriteValue(kSystem, bytes);
}

bool LoadSettings() { return LoadSettings(Settings()); }
void ResetSettings() { Settings() = DefaultSettingsRecord(); }
bool SaveSettings() { return SaveSettings(Settings()); }

int LoadProfileInt(const QString& name, int defaultValue)
{
    bool ok = false;
    const int value = ReadValue(name).toInt(&ok);
    return ok ? value : defaultValue;
}

bool SaveProfileInt(const QString& name, int value) { return WriteValue(name, value); }

QByteArray LoadProfileBinary(const QString& name)
{
    const QVariant v = ReadValue(name);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

bool SaveProfileBinary(const QString& name, const QByteArray& bytes) { return WriteValue(name, bytes); }

QString ProfileFilePath() { return OpenProfile()->fileName(); }

void SetProfileFilePath(const QString& path)
{
    std::lock_guard lock(g_pathMutex);
    g_profilePathOverride = path;
}

} // namespace relvo7
