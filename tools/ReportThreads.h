#pragma once

#include <functional>
#include <pthread.h>
#include <sched.h>

// A thread that works beside the calling one, started on another processor
// when the process may use one. A new thread is otherwise queued on its
// creator's processor, and waits there for the scheduler's next tick (some
// milliseconds) while the other processor stays idle; once running it may
// move to any processor the process may use. The destructor waits for the
// work to end. Raises std::system_error when no thread can be made.
class TSideThread {
public:
    explicit TSideThread(std::function<void()> work);
    TSideThread(const TSideThread&) = delete;
    TSideThread& operator=(const TSideThread&) = delete;
    ~TSideThread();

private:
    static void* Run(void* self);

    std::function<void()> FWork;
    cpu_set_t FAllowed{};
    bool FPlaced = false; // started away from its creator's processor
    pthread_t FThread{};
};
