#include "Jobs.h"

#include "BenchSupport.h"
#include "StoreGenerator.h"
#include "WindowDriver.h"
#include "store/Dorvudb.h"

#include <QDir>
#include <cstdio>

namespace bench {

namespace report {

void sample(const QString& figure, double ms)
{
    std::printf("sample %s %.3f\n", qPrintable(figure), ms);
    std::fflush(stdout);
}

void floor(const QString& figure, double ms)
{
    std::printf("floor %s %.3f\n", qPrintable(figure), ms);
    std::fflush(stdout);
}

void peak(const QString& figure)
{
    std::printf("peak %s %lld\n", qPrintable(figure), peakMemoryKb());
    std::fflush(stdout);
}

} // namespace report

void expect(bool condition, const QString& what)
{
    if (!condition)
        throw CheckFailed(what.toStdString());
}

QString storeFolder(const JobContext& context, const QString& shape)
{
    return QDir(context.stores).filePath(shape);
}

QString storeFile(const QString& folder)
{
    return QDir(folder).filePath(Dorvudb::fileName());
}

std::unique_ptr<WindowDriver> startedWindow(const QString& folder)
{
    auto driver = std::make_unique<WindowDriver>(folder);
    driver->openStore();
    driver->showWindow();
    driver->typeKey(GeneratedKey);
    WindowDriver::settle();
    return driver;
}

void expectNoPrompt(WindowDriver& driver, const QString& action)
{
    const QList<Prompt>& shown = driver.prompter.shown;
    expect(shown.isEmpty(),
           action + QStringLiteral(" showed a message: ") + (shown.isEmpty() ? QString() : shown[0].text));
}

void expectOneConfirmation(WindowDriver& driver, const QString& action)
{
    QList<Prompt>& shown = driver.prompter.shown;
    const bool one = shown.size() == 1 && shown[0].buttons == Prompt::Buttons::YesNo;
    expect(one, action + QStringLiteral(" asked %1 questions; the first: %2")
                             .arg(shown.size())
                             .arg(shown.isEmpty() ? QString() : shown[0].text));
    shown.clear();
}

QList<Job> allJobs(bool withMillion)
{
    QList<Job> jobs = {
        {QStringLiteral("startup_empty"), true, startupEmptyJob},
        {QStringLiteral("startup_100k"), true, [](const JobContext& c) { startupJob(c, QStringLiteral("100k")); }},
    };
    if (withMillion)
        jobs.append(
            {QStringLiteral("startup_1m"), true, [](const JobContext& c) { startupJob(c, QStringLiteral("1m")); }});
    jobs += QList<Job>{
        {QStringLiteral("views"), false, viewsJob},
        {QStringLiteral("huge_category"), false, hugeCategoryJob},
        {QStringLiteral("growth"), false, growthJob},
        {QStringLiteral("edits"), false, editsJob},
        {QStringLiteral("move_pick"), false, pickJob},
        {QStringLiteral("paste"), false, pasteJob},
        {QStringLiteral("delete_subtree"), false, deleteSubtreeJob},
        {QStringLiteral("delete_sites"), false, deleteSitesJob},
    };
    return jobs;
}

int runJob(const QString& name, const JobContext& context)
{
    for (const Job& job : allJobs(true)) {
        if (job.name != name)
            continue;
        try {
            job.run(context);
            return 0;
        } catch (const std::exception& error) {
            std::printf("fail %s %s\n", qPrintable(name), error.what());
            std::fflush(stdout);
            return 1;
        }
    }
    std::fprintf(stderr, "bench_scale: no job named %s\n", qPrintable(name));
    return 2;
}

} // namespace bench
