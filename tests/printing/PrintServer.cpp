#include "tests/printing/PrintServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cups/cups.h>

namespace {

TPrintServer Server;

QString FileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).trimmed();
}

} // namespace

void UsePrintServer(const QString& dir) {
    const QString ready = FileText(dir + QStringLiteral("/ready"));
    if (ready.isEmpty()) {
        const QString why = FileText(dir + QStringLiteral("/unavailable"));
        Server.Reason = !why.isEmpty()
                            ? QStringLiteral("no print server: ") + why
                            : QStringLiteral("no print server in %1 (ctest starts it with the "
                                             "PrintServer.Start test, or run "
                                             "tests/printing/print-server start %1)")
                                  .arg(dir);
        return;
    }
    for (const QString& line : ready.split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == QLatin1String("CUPS_SERVER") || key == QLatin1String("PRINTER"))
            qputenv(key.toLatin1().constData(), value.toLocal8Bit());
        if (key == QLatin1String("PRINTER"))
            Server.Queue = value;
        if (key == QLatin1String("OUTPUT"))
            Server.Output = value;
    }
    Server.Ready = !Server.Queue.isEmpty() && !Server.Output.isEmpty();
    if (!Server.Ready)
        Server.Reason =
            QStringLiteral("the print server's settings in %1/ready are incomplete").arg(dir);
}

const TPrintServer& PrintServer() {
    return Server;
}

std::vector<TPrintJob> QueueJobs() {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Server.Queue.toLocal8Bit().constData(),
                                   0, CUPS_WHICHJOBS_ALL);
    std::vector<TPrintJob> result;
    for (int i = 0; i < count; ++i)
        result.push_back({jobs[i].id, int(jobs[i].state), QString::fromUtf8(jobs[i].title)});
    cupsFreeJobs(count, jobs);
    std::sort(result.begin(), result.end(),
              [](const TPrintJob& a, const TPrintJob& b) { return a.Id < b.Id; });
    return result;
}

bool WaitUntilQueueIsDone() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60'000) {
        const auto jobs = QueueJobs();
        if (std::none_of(jobs.begin(), jobs.end(),
                         [](const TPrintJob& j) { return j.State < IPP_JSTATE_STOPPED; }))
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool RunOnQueue(const QString& command) {
    // The administration commands lie in /usr/sbin, which an ordinary
    // user's path may leave out.
    QString program = QStandardPaths::findExecutable(command);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(command, {QStringLiteral("/usr/sbin")});
    return !program.isEmpty() && QProcess::execute(program, {Server.Queue}) == 0;
}

QStringList OutputFiles() {
    QStringList files;
    for (const QString& name :
         QDir(Server.Output).entryList({QStringLiteral("*.pdf")}, QDir::Files))
        files << Server.Output + u'/' + name;
    return files;
}

void ClearOutput() {
    for (const QString& file : OutputFiles())
        QFile::remove(file);
}
