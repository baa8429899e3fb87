#include "tools/ReportThreads.h"

#include <system_error>

TSideThread::TSideThread(std::function<void()> work) : FWork(std::move(work)) {
    cpu_set_t elsewhere{};
    const int here = ::sched_getcpu();
    if (::sched_getaffinity(0, sizeof FAllowed, &FAllowed) == 0 && here >= 0 &&
        here < CPU_SETSIZE) {
        elsewhere = FAllowed;
        CPU_CLR(here, &elsewhere);
        FPlaced = CPU_COUNT(&elsewhere) > 0;
    }
    pthread_attr_t attributes;
    int error = ::pthread_attr_init(&attributes);
    if (error == 0 && FPlaced &&
        ::pthread_attr_setaffinity_np(&attributes, sizeof elsewhere, &elsewhere) != 0)
        FPlaced = false;
    if (error == 0) {
        error = ::pthread_create(&FThread, &attributes, &TSideThread::Run, this);
        ::pthread_attr_destroy(&attributes);
    }
    if (error != 0 && FPlaced) {
        FPlaced = false; // a processor set that cannot be had: anywhere then
        error = ::pthread_create(&FThread, nullptr, &TSideThread::Run, this);
    }
    if (error != 0)
        throw std::system_error(error, std::generic_category(), "cannot start a thread");
}

TSideThread::~TSideThread() {
    ::pthread_join(FThread, nullptr);
}

void* TSideThread::Run(void* self) {
    auto& thread = *static_cast<TSideThread*>(self);
    if (thread.FPlaced)
        ::sched_setaffinity(0, sizeof thread.FAllowed, &thread.FAllowed);
    thread.FWork();
    return nullptr;
}
