#include "views/Form.h"

#include "platform/Prompter.h"

#include <QFrame>

Form::Form(QString folder, Connection& connection, Services services)
    : programFolder(std::move(folder)), db(connection), prompter(services.prompter), clipboard(services.clipboard),
      shell(services.shell)
{
}

Form::~Form() = default;

void Form::setBorderStyle(QFrame* view, int style)
{
    view->setFrameShape(style == 1 ? QFrame::StyledPanel : QFrame::NoFrame);
    view->setProperty("BorderStyle", style);
}

void Form::showStoreError(const QString& reason)
{
    prompter.error(reason, caption());
}
