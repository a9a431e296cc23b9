#pragma once

#include <QString>
#include <stdexcept>

// A statement the store refused, or a file it cannot use. what() is for logs; reason() is for the user.
class StoreError : public std::runtime_error {
public:
    StoreError(const QString& reason, int code = 0)
        : std::runtime_error(reason.toStdString()), m_reason(reason), m_code(code)
    {
    }
    const QString& reason() const { return m_reason; }
    // The SQLite result code (extended), 0 when the error did not come from SQLite.
    int code() const { return m_code; }

private:
    QString m_reason;
    int m_code;
};

// The database file itself cannot be used; the reason names the file.
class StoreFileError : public StoreError {
public:
    using StoreError::StoreError;
};
