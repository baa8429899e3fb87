#pragma once
// The private print server that tests/printing/print-server starts for these
// tests, seen from the test process: its queue, the folder where the queue's
// pages land, and the jobs it holds.

#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

// Texts in test messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

struct TPrintServer {
    bool Ready = false;
    QString Reason; // why there is no server, when not Ready
    QString Queue;
    QString Output; // the folder that receives each job's page as a PDF file
};

// Reads the server's settings from `dir` and, when it is ready, puts its
// address and queue into the environment. Must run before the application
// object exists: Qt's printer support reads the print system's address once.
void UsePrintServer(const QString& dir);
const TPrintServer& PrintServer();

struct TPrintJob {
    int Id = 0;
    int State = 0; // an IPP job state: 3 pending ... 9 completed
    QString Title;
};

// Every job the queue has held since the server started, oldest first.
std::vector<TPrintJob> QueueJobs();
// Waits until no job of the queue is pending, held or printing; false after
// a minute.
bool WaitUntilQueueIsDone();
// Runs one of the print system's commands on the queue (cupsdisable, ...).
bool RunOnQueue(const QString& command);
// The PDF files in the output folder.
QStringList OutputFiles();
void ClearOutput();
