#pragma once

#include <QString>

// The desktop's "open" operation, for a site's address and for the help file.
class Shell {
public:
    virtual ~Shell() = default;
    // An address exactly as the user typed it (no scheme is added).
    virtual void openAddress(const QString& address) = 0;
    virtual void openFile(const QString& path) = 0;
};

class DesktopShell final : public Shell {
public:
    void openAddress(const QString& address) override;
    void openFile(const QString& path) override;
};
