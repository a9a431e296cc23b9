#pragma once
// The jobs of bench_scale. Each runs in a process of its own, so the peak memory it reports is its own, and
// prints what it measured as lines the parent collects:
//   sample NAME MS    one timing of a figure
//   floor NAME MS     one timing of the figure's raw-SQLite floor
//   peak NAME KB      the process's peak memory once the figure is done (cumulative within the job)
//   fail JOB TEXT     a check failed: the job stopped and its figures are not to be trusted

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

namespace bench {

class WindowDriver;

struct JobContext {
    QString stores; // holds one folder per shape name, each with its Dorvudb.mdb
    int runs = 7;
};

struct Job {
    QString name;
    bool perProcess = false; // one sample per process: start-up is measured from a fresh process each time
    std::function<void(const JobContext&)> run;
};

// Every job, in the order they run; the 1M start-up only when asked for.
QList<Job> allJobs(bool withMillion);

// Runs one job here; returns the process's exit status.
int runJob(const QString& name, const JobContext& context);

namespace report {
void sample(const QString& figure, double ms);
void floor(const QString& figure, double ms);
void peak(const QString& figure);
} // namespace report

// A check that failed: the job stops and its figures are reported as failed.
struct CheckFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void expect(bool condition, const QString& what);

QString storeFolder(const JobContext& context, const QString& shape);
QString storeFile(const QString& folder);

// A window over a store, shown and with the key typed, as a user has it after starting.
std::unique_ptr<WindowDriver> startedWindow(const QString& folder);
// Fails unless the window showed no message since its prompts were last cleared.
void expectNoPrompt(WindowDriver& driver, const QString& action);
// Fails unless it asked exactly one question (answered Yes) and showed nothing else; clears the prompts.
void expectOneConfirmation(WindowDriver& driver, const QString& action);

// The job groups, in ViewJobs.cpp and EditJobs.cpp.
void startupEmptyJob(const JobContext& context);
void startupJob(const JobContext& context, const QString& shape);
void viewsJob(const JobContext& context);
void hugeCategoryJob(const JobContext& context);
void growthJob(const JobContext& context);
void editsJob(const JobContext& context);
void pickJob(const JobContext& context);
void pasteJob(const JobContext& context);
void deleteSubtreeJob(const JobContext& context);
void deleteSitesJob(const JobContext& context);

} // namespace bench
