#include "InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace relvo7 {

QString InstanceLock::fileName() { return QStringLiteral("__CPL_RELVO7_INITIAL_OWNER__.lock"); }

InstanceLock::InstanceLock(const QString& folder)
{
    QString dir = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath(fileName());
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age: a copy that has run for hours still owns its lock.
    // Only a lock whose process has died is taken over.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() { release(); }

bool InstanceLock::acquire()
{
    if (m_lock->isLocked())
        return true;
    // tryLock takes over a lock whose owner process no longer runs.
    return m_lock->tryLock(0);
}

bool InstanceLock::held() const { return m_lock && m_lock->isLocked(); }

bool InstanceLock::heldByAnother() const
{
    return !held() && m_lock->error() == QLockFile::LockFailedError;
}

void InstanceLock::release()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}

} // namespace relvo7
