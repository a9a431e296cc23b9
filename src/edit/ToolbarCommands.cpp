#include "edit/ToolbarCommands.h"

#include "about/frmAbout.h"
#include "edit/EditCommands.h"
#include "edit/SiteMover.h"
#include "edit/SiteStars.h"
#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "views/Form.h"
#include "views/SitesList.h"

#include <QAction>
#include <QCoreApplication>

ToolbarCommands::ToolbarCommands(Form& form) : QObject(nullptr), f(form)
{
    for (int index = 1; index < int(f.Buttons.size()); ++index) {
        if (QAction* button = f.Buttons[index])
            connect(button, &QAction::triggered, this, [this, index] { ButtonClick(index); });
    }
}

void ToolbarCommands::ButtonClick(int index)
{
    if (f.state.movingMode && index != 9 && index != 17) {
        f.prompter.warn(QStringLiteral("You can not do that while moving sites"), Form::appTitle());
        return;
    }
    switch (index) {
    case 1:
        f.commands->sbAdd();
        break;
    case 2:
        f.commands->sbEdit();
        break;
    case 3:
        f.commands->sbSave();
        break;
    case 4:
        f.commands->sbDelete();
        break;
    case 6:
        f.stars->AddStar();
        break;
    case 7:
        f.stars->DeleteStar();
        break;
    case 9:
        f.mover->ButtonClicked();
        break;
    case 11:
        f.sites->GoToSite();
        break;
    case 13:
        f.clipboard.clear();
        break;
    case 15:
        showAbout();
        break;
    case 17:
        exitNow();
        return;
    default: // separators
        break;
    }
}

void ToolbarCommands::showAbout()
{
    frmAbout dlg(f.programFolder, f.shell, f.mainWindow());
    dlg.exec();
}

void ToolbarCommands::exitNow()
{
    // What is in the store stays; sites picked but not pasted were never moved there.
    QCoreApplication::exit(0);
}
