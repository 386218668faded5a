#pragma once
// The single-instance rule: a lock file "__CPL_RELVO7_INITIAL_OWNER__.lock"
// in the user's runtime folder, held from start-up to the end of the program.
// A lock left by a copy that died is taken over. QtCore only.
#include <QLockFile>
#include <QString>
#include <memory>

namespace relvo7 {

class InstanceLock {
public:
    // `folder` empty: the user's runtime folder (QStandardPaths::RuntimeLocation).
    explicit InstanceLock(const QString& folder = QString());
    ~InstanceLock(); // releases the lock when held

    // Creates the lock. Returns false when another running copy holds it
    // (the "named mutex already existed" case). A lock whose owner process is
    // gone counts as free.
    bool acquire();
    bool held() const;
    // After a failed acquire: true when a running copy holds the lock; false
    // when the lock file could not be made at all (no usable runtime folder).
    bool heldByAnother() const;
    void release();

    QString filePath() const { return m_path; }
    static QString fileName(); // "__CPL_RELVO7_INITIAL_OWNER__.lock"

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace relvo7
