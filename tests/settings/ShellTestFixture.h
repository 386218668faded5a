#pragma once
// Per-test state of the shell tests: a fresh profile file, autostart folder
// and data folder in a temporary directory, the default live record, and
// scripted prompt, choosers and password entry installed program-wide.
#include "app/Autostart.h"
#include "app/FileDialogs.h"
#include "app/ScriptedFileDialogs.h"
#include "app/ScriptedPrompt.h"
#include "settings/PasswordGuard.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace relvo7::test {

// Answers the password dialog from a script; an empty script cancels.
class ScriptedPasswordEntry final : public PasswordEntry {
public:
    QList<std::optional<QString>> answers;
    int asked = 0;
    std::optional<QString> enterPassword() override
    {
        ++asked;
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

// Acts once on the next modal window of type D when it is up (polls every
// 10 ms, gives up after 5 s), for windows that a test opens with exec().
template <class D>
void WhenModal(std::function<void(D*)> act)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetProfileFilePath(profilePath());
        SetAutostartLocationForTesting(autostartFolder(), QStringLiteral("/opt/relvo7/cpl_relvo7"));
        Settings() = DefaultSettingsRecord();
        setPrompt(&prompt);
        setFileDialogs(&dialogs);
        setPasswordEntry(&password);
    }
    void TearDown() override
    {
        setPasswordEntry(nullptr);
        setFileDialogs(nullptr);
        setPrompt(nullptr);
        SetAutostartLocationForTesting(QString(), QString());
        SetProfileFilePath(QString());
        Settings() = DefaultSettingsRecord();
    }

    QString profilePath() const { return dir.filePath(QStringLiteral("Tarnwell/CPL_RELVO7.conf")); }
    QString autostartFolder() const { return dir.filePath(QStringLiteral("autostart")); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const PromptRequest& r : prompt.shown())
            texts << r.text;
        return texts;
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    ScriptedPasswordEntry password;
};

} // namespace relvo7::test
