#include "edit/SiteStars.h"

#include "window/frmMain.h"

void SiteStars::AddStar() {}
void SiteStars::DeleteStar() {}
