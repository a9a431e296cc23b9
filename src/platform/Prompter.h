#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through a Prompter, so tests can answer them without a modal loop.
struct Prompt {
    enum class Icon { Exclamation, Question, Stop, Information };
    enum class Buttons { Ok, YesNo };

    QString text;
    QString title;
    Icon icon = Icon::Exclamation;
    Buttons buttons = Buttons::Ok;

    friend bool operator==(const Prompt&, const Prompt&) = default;
};

enum class Answer { Ok, Yes, No };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Prompt& prompt) = 0;

    // Conveniences for the three shapes the program uses.
    void warn(const QString& text, const QString& title) { ask({text, title, Prompt::Icon::Exclamation}); }
    void error(const QString& text, const QString& title) { ask({text, title, Prompt::Icon::Stop}); }
    bool confirm(const QString& text, const QString& title, Prompt::Icon icon)
    {
        return ask({text, title, icon, Prompt::Buttons::YesNo}) == Answer::Yes;
    }
};

// The real one: a QMessageBox over the active window, with the exact text, title, icon and buttons.
class MessageBoxPrompter final : public Prompter {
public:
    Answer ask(const Prompt& prompt) override;
};
