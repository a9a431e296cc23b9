#pragma once

#include <QByteArray>
#include <QString>

// The system clipboard, as far as the program uses it: emptied, or given a password.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setPassword(const QString& password) = 0;
};

// Puts plain text plus the password-manager hint, so clipboard histories keep no copy of the secret.
class SystemClipboard final : public Clipboard {
public:
    void clear() override;
    void setPassword(const QString& password) override;
    // Empties the clipboard if it still holds the very password this program put there, so that no clipboard
    // manager keeps it once the program has ended; anything copied since is left alone.
    void clearIfOurs();

private:
    QByteArray m_digest; // of the password last put there: no second copy of the secret in memory
};
