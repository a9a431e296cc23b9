#pragma once
// Seams that do nothing, and the median of timings, for the benchmarks that drive the main window.
#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

#include <algorithm>
#include <vector>

class SilentPrompter final : public Prompter {
public:
    Answer ask(const Prompt&) override { return Answer::Ok; }
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

inline double medianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}
