#pragma once

#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Answers queued by the test; every prompt shown is kept. An unexpected question is answered No,
// a plain message Ok, so a test never blocks on a modal box.
class RecordingPrompter final : public Prompter {
public:
    Answer ask(const Prompt& prompt) override
    {
        shown.append(prompt);
        if (!answers.isEmpty())
            return answers.dequeue();
        return prompt.buttons == Prompt::Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    QStringList texts() const
    {
        QStringList result;
        for (const Prompt& p : shown)
            result << p.text;
        return result;
    }

    QQueue<Answer> answers;
    QList<Prompt> shown;
};

class RecordingClipboard final : public Clipboard {
public:
    void clear() override
    {
        text.clear();
        ++clears;
    }
    void setPassword(const QString& password) override
    {
        text = password;
        ++sets;
    }

    QString text;
    int clears = 0;
    int sets = 0;
};

class RecordingShell final : public Shell {
public:
    void openAddress(const QString& address) override { addresses << address; }
    void openFile(const QString& path) override { files << path; }

    QStringList addresses;
    QStringList files;
};
