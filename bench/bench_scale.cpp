// How the real window copes with large stores: generates stores of 1k, 10k and 100k sites (1M with --with-1m), runs
// every job in a process of its own, and prints each figure with its raw-SQLite floor and peak memory.
//
//   bench_scale [--runs N] [--with-1m] [--stores DIR]
//
// --stores keeps the generated stores in DIR and reuses them on the next run; without it they go to a temporary
// folder that is removed at the end.
#include "BenchSupport.h"
#include "Jobs.h"
#include "StoreGenerator.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <map>
#include <optional>

namespace {

using namespace bench;

// Bump when the generator changes, so kept stores are made again.
const QByteArray StoreStamp = "dorvu bench store 1";

struct Figure {
    std::vector<double> samples;
    std::vector<double> floors;
    qint64 peakKb = 0;
    double extraFloor = 0; // added to the floor's median (start-up: the empty window)
};

struct Results {
    std::vector<QString> order; // figures in the order they first appeared
    std::map<QString, Figure> figures;
    QStringList failures;

    Figure& at(const QString& name)
    {
        if (!figures.count(name))
            order.push_back(name);
        return figures[name];
    }
    const Figure* find(const QString& name) const
    {
        const auto found = figures.find(name);
        return found == figures.end() ? nullptr : &found->second;
    }
};

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(u' ', 0, 2)
                                          : QStringLiteral("?");
}

void ensureStore(const QString& stores, const QString& shapeName)
{
    const StoreShape shape = shapeNamed(shapeName);
    const QDir folder(QDir(stores).filePath(shapeName));
    QFile stamp(folder.filePath(QStringLiteral("generated.txt")));
    if (stamp.open(QIODevice::ReadOnly) && stamp.readAll() == StoreStamp &&
        QFileInfo::exists(storeFile(folder.path()))) {
        std::printf("store %-5s reused from %s\n", qPrintable(shapeName), qPrintable(folder.path()));
        return;
    }
    stamp.close();
    QDir(folder).removeRecursively();
    StoreCounts counts;
    const double ms = timeMs([&] { counts = generateStore(folder.path(), shape); });
    if (stamp.open(QIODevice::WriteOnly))
        stamp.write(StoreStamp);
    std::printf("store %-5s %7lld categories %9lld sites %9lld entries %7.1f MB, generated in %.1f s\n",
                qPrintable(shapeName), counts.categories, counts.sites, counts.entries,
                QFileInfo(storeFile(folder.path())).size() / 1048576.0, ms / 1000);
    std::fflush(stdout);
}

void collect(Results& results, const QString& job, const QByteArray& output, int status)
{
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() < 3)
            continue;
        const QString name = QString::fromUtf8(parts[1]);
        if (parts[0] == "sample")
            results.at(name).samples.push_back(parts[2].toDouble());
        else if (parts[0] == "floor")
            results.at(name).floors.push_back(parts[2].toDouble());
        else if (parts[0] == "peak")
            results.at(name).peakKb = std::max(results.at(name).peakKb, parts[2].toLongLong());
        else if (parts[0] == "fail")
            results.failures << job + QStringLiteral(": ") + QString::fromUtf8(line.mid(line.indexOf(' ', 5) + 1));
    }
    if (status != 0 && !results.failures.join(u'\n').contains(job + u':'))
        results.failures << job + QStringLiteral(": exited with status %1").arg(status);
}

void runInChildren(Results& results, const Job& job, const JobContext& context)
{
    const int processes = job.perProcess ? context.runs : 1;
    const double ms = timeMs([&] {
        for (int p = 0; p < processes; ++p) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--job"), job.name, QStringLiteral("--stores"), context.stores,
                         QStringLiteral("--runs"), QString::number(job.perProcess ? 1 : context.runs)});
            child.waitForFinished(-1);
            const int status = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
            collect(results, job.name, child.readAllStandardOutput(), status);
        }
    });
    std::printf("job %-22s %7.1f s\n", qPrintable(job.name), ms / 1000);
    std::fflush(stdout);
}

struct Line {
    QString name;
    double min = 0;
    double median = 0;
    std::optional<double> floor;
    double peakMb = 0;
};

std::optional<Line> line(const Results& results, const QString& name)
{
    const Figure* figure = results.find(name);
    if (!figure || figure->samples.empty())
        return std::nullopt;
    Line out{name,
             *std::min_element(figure->samples.begin(), figure->samples.end()),
             medianMs(figure->samples),
             {},
             figure->peakKb / 1024.0};
    if (!figure->floors.empty())
        out.floor = medianMs(figure->floors) + figure->extraFloor;
    return out;
}

void print(const std::vector<Line>& lines)
{
    std::printf("\n%-30s %10s %10s %10s %8s %8s\n", "figure", "min ms", "median ms", "floor ms", "ratio", "peak MB");
    for (const Line& l : lines) {
        const QString floor = l.floor ? QString::number(*l.floor, 'f', 2) : QStringLiteral("-");
        const QString ratio =
            l.floor && *l.floor > 0 ? QString::number(l.median / *l.floor, 'f', 2) : QStringLiteral("-");
        std::printf("%-30s %10.2f %10.2f %10s %8s %8.1f\n", qPrintable(l.name), l.min, l.median, qPrintable(floor),
                    qPrintable(ratio), l.peakMb);
    }
    std::printf("\n");
    for (const Line& l : lines) {
        std::printf("bench: %s ms=%.3f min_ms=%.3f", qPrintable(l.name), l.median, l.min);
        if (l.floor && *l.floor > 0)
            std::printf(" floor_ms=%.3f ratio=%.3f", *l.floor, l.median / *l.floor);
        std::printf(" peak_mb=%.1f\n", l.peakMb);
    }
}

std::vector<Line> lines(Results& results)
{
    // Start-up's floor: the categories read raw plus the empty window's start-up.
    if (const auto empty = line(results, QStringLiteral("startup_empty"))) {
        for (const QString& shape : {QStringLiteral("100k"), QStringLiteral("1m")}) {
            if (results.find(QStringLiteral("startup_") + shape))
                results.at(QStringLiteral("startup_") + shape).extraFloor = empty->median;
        }
    }
    std::vector<Line> out;
    for (const QString& name : results.order) {
        if (auto l = line(results, name))
            out.push_back(*l);
    }
    // Growth: the same click on a category of 1,000 sites in a store ten times larger (measured in one process,
    // interleaved); its floor is the click in the smaller store.
    const auto small = line(results, QStringLiteral("click_cat_1k_in_10k"));
    const auto large = line(results, QStringLiteral("click_cat_1k_in_100k"));
    if (small && large)
        out.push_back(
            {QStringLiteral("growth_click_1k_10k_to_100k"), large->min, large->median, small->median, large->peakMb});
    return out;
}

int parent(const JobContext& options, bool withMillion, bool keepStores)
{
    QTemporaryDir temporary;
    JobContext context = options;
    if (!keepStores)
        context.stores = temporary.path();
    QDir().mkpath(context.stores);
    std::printf("bench_scale: %d runs a figure, %d cores, load average %s\n", context.runs, QThread::idealThreadCount(),
                qPrintable(loadAverage()));
    QStringList shapes = defaultShapes();
    if (withMillion)
        shapes << QStringLiteral("1m");
    for (const QString& shape : shapes)
        ensureStore(context.stores, shape);

    Results results;
    for (const Job& job : allJobs(withMillion))
        runInChildren(results, job, context);

    print(lines(results));
    std::printf("\nfloor: the same rows read or written with the plain sqlite3 C API in the same run (start-up: the "
                "Categories table read raw plus the empty window's start-up; growth: the same click in the 10k store)."
                "\npeak: VmHWM of the job's process once the figure was done; figures of one job accumulate, in the "
                "order shown.\nload average at the end: %s\n",
                qPrintable(loadAverage()));
    for (const QString& failure : std::as_const(results.failures))
        std::printf("FAILED %s\n", qPrintable(failure));
    return results.failures.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder and warns in every process without one.
    std::optional<QTemporaryDir> runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.emplace().isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    JobContext context;
    QString job;
    bool withMillion = false;
    bool keepStores = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--runs" && hasValue) {
            context.runs = std::atoi(argv[++i]);
        } else if (arg == "--with-1m") {
            withMillion = true;
        } else if (arg == "--stores" && hasValue) {
            context.stores = QString::fromLocal8Bit(argv[++i]);
            keepStores = true;
        } else if (arg == "--job" && hasValue) {
            job = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: bench_scale [--runs N (at least 5)] [--with-1m] [--stores DIR]\n");
            return 2;
        }
    }
    QApplication app(argc, argv);
    if (!job.isEmpty())
        return runJob(job, context);
    context.runs = std::max(5, context.runs);
    return parent(context, withMillion, keepStores);
}
