#include "edit/RecordSaver.h"

#include "window/frmMain.h"

void RecordSaver::SaveWhat(QString&) {}
