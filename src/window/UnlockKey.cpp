#include "window/UnlockKey.h"

#include "window/frmMain.h"

#include <QLineEdit>

UnlockKey::UnlockKey(frmMain& form) : QObject(nullptr), f(form) {}

QString UnlockKey::key() const { return f.txtPass->text(); }
bool UnlockKey::guard(const QString&) { return true; }
void UnlockKey::KeyChanged() {}
