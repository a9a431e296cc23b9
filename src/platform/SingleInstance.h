#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// What a start should do about the other copies of the program.
struct InstanceCheck {
    enum class State {
        Acquired,       // the only copy: run
        AlreadyRunning, // this user runs it on this computer: end at once, silently, with status 0
        Refused,        // the lock cannot be trusted or made: show `problem` and end with a non-zero status
    };
    State state = State::Acquired;
    QString problem; // for the user: what is wrong, naming the lock file or folder
};

// One running copy of the program per user and program folder: a lock file in a folder only this user can
// change (the runtime folder, or else one of our own in the user's cache folder), never a shared one.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programFolder);
    // When the result is Acquired, this copy holds the lock until it ends.
    InstanceCheck acquire();
    // Empty when no private folder could be had.
    QString lockPath() const { return m_path; }

private:
    InstanceCheck classifyHolder() const;

    QString m_path;
    QString m_problem;
    std::unique_ptr<QLockFile> m_lock;
};
