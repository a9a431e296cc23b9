#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running copy of the program per user and program folder: a lock file in the user's runtime folder.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programFolder);
    // True when no other copy holds the lock; this copy then holds it until it ends.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
