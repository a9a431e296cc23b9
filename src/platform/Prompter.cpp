#include "platform/Prompter.h"

#include <QApplication>
#include <QMessageBox>

Answer MessageBoxPrompter::ask(const Prompt& prompt)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(prompt.title);
    box.setText(prompt.text);
    switch (prompt.icon) {
    case Prompt::Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Prompt::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Prompt::Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case Prompt::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (prompt.buttons == Prompt::Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (prompt.buttons == Prompt::Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
