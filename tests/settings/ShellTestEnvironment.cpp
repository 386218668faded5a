// Test programs of the shell: every user folder the program could touch
// (profile, runtime folder for the lock, data folders, autostart) points into
// one temporary folder for the whole run, and one QApplication exists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

class ShellTestEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_home = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_home->isValid());
        const QString root = m_home->path();
        for (const char* sub : {"config", "data", "runtime", "relvo7"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        QFile::setPermissions(root + QStringLiteral("/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toLocal8Bit());
        qputenv("RELVO7_DATA_DIR", (root + QStringLiteral("/relvo7")).toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        QCoreApplication::setOrganizationName(QStringLiteral("Tarnwell"));
        QCoreApplication::setApplicationName(QStringLiteral("CPL_RELVO7"));
    }
    void TearDown() override
    {
        m_app.reset();
        m_home.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "relvo7_shell";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QApplication> m_app;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ShellTestEnvironment);

} // namespace
