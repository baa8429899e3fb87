#pragma once

class QPrinter;

// The print system's answers about the queue behind a printer. A printer that
// writes a file has no queue.

// Whether the queue takes a job now: not when it is stopped (disabled),
// refuses jobs, or the print system does not know it. True for a file.
bool QueueTakesJobs(const QPrinter& printer);

// Whether the print system refused the job that the printer handed to it
// when its painter ended (Qt does not pass that answer on). Meaningful only
// right after QueueTakesJobs answered true for the same job: its question is
// then the print system's last one before the job's.
bool QueueRefusedTheJob(const QPrinter& printer);
