#include "PasswordGuard.h"

#include "SettingsStore.h"

#include <atomic>

namespace relvo7 {

NewPasswordCheck CheckNewPassword(const QString& password, const QString& repeat, bool showCharacters)
{
    if (password.size() < kPasswordMinLength)
        return NewPasswordCheck::TooShort;
    if (!showCharacters && repeat != password)
        return NewPasswordCheck::RepeatDiffers;
    return NewPasswordCheck::Accepted;
}

QString StoredPassword(const SettingsRecord& record)
{
    return SettingsText(record.szPassword);
}

bool PasswordMatches(const SettingsRecord& record, const QString& entered)
{
    return StoredPassword(record) == entered; // QString == is exact and case-sensitive
}

bool StoreNewPassword(SettingsRecord& record, const QString& password)
{
    if (password.size() > kPasswordMaxLength)
        return false;
    return AssignSettingsText(record.szPassword, password);
}

namespace {

// Without a GUI nobody can type a password: every guarded action is refused.
class NoPasswordEntry final : public PasswordEntry {
public:
    std::optional<QString> enterPassword() override { return std::nullopt; }
};

NoPasswordEntry g_noEntry;
std::atomic<PasswordEntry*> g_entry{nullptr};

} // namespace

PasswordEntry& passwordEntry()
{
    PasswordEntry* e = g_entry.load();
    return e ? *e : g_noEntry;
}

void setPasswordEntry(PasswordEntry* entry) { g_entry.store(entry); }

bool CheckPassword(PasswordEntry& entry, const SettingsRecord& record)
{
    const std::optional<QString> entered = entry.enterPassword();
    return entered && PasswordMatches(record, *entered);
}

bool PasswordGuard(PasswordScope scopeBit, PasswordEntry& entry, const SettingsRecord& record)
{
    if (!record.bPassword || !(record.nPasswordScope & scopeBit))
        return true;
    return CheckPassword(entry, record);
}

bool PasswordGuard(PasswordScope scopeBit) { return PasswordGuard(scopeBit, passwordEntry(), Settings()); }

} // namespace relvo7
