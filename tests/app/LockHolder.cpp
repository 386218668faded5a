// relvo7_lock_holder FOLDER: takes the instance lock in FOLDER, says "locked"
// (or "busy") on its output and then waits until it is killed (at most 60 s).
#include "app/InstanceLock.h"

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    relvo7::InstanceLock lock(QString::fromLocal8Bit(argv[1]));
    const bool locked = lock.acquire();
    std::printf(locked ? "locked\n" : "busy\n");
    std::fflush(stdout);
    if (!locked)
        return 1;
    for (int i = 0; i < 600; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return 0;
}
