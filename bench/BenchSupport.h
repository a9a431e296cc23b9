#pragma once
// Doubles for the window's seams, timing and memory readings shared by the benchmarks.
#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

// Answers Yes to every question, as a user confirming a delete or an update does; every prompt is kept, so a
// benchmark can tell a confirmation from a warning that stopped the command.
class ConfirmingPrompter final : public Prompter {
public:
    Answer ask(const Prompt& prompt) override
    {
        shown.append(prompt);
        return prompt.buttons == Prompt::Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    QList<Prompt> shown;
};

class NoClipboard final : public Clipboard {
public:
    void clear() override {}
    void setPassword(const QString&) override {}
};

class NoShell final : public Shell {
public:
    void openAddress(const QString&) override {}
    void openFile(const QString&) override {}
};

using Clock = std::chrono::steady_clock;

// Milliseconds one call of `work` takes.
template <typename Work> double timeMs(Work&& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double medianMs(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// The process's peak resident memory so far (VmHWM), in kB; 0 where /proc is missing.
inline qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace bench
