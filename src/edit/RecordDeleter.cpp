#include "edit/RecordDeleter.h"

#include "window/frmMain.h"

void RecordDeleter::DeleteWhat(QString&) {}
