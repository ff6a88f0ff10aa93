// A preload library that watches an unmodified program present its frames. It stands in front of
// glXSwapBuffers and eglSwapBuffers, passes each call on to the real function, and counts the swaps that
// returned, with the wall-clock time of the first and of the latest.
//
//   SWAPCOUNTER_FILE=/tmp/figures LD_PRELOAD=<build>/bench/libswapcounter.so <program>
//
// The figures go to the file named by SWAPCOUNTER_FILE: at the first swap, then at most every 100 ms from
// within a swap, and once more when the process exits normally. Each write replaces the file whole (written
// aside, then renamed), so a reader never sees half of one. Lines are "name value"; times are nanoseconds
// of CLOCK_REALTIME, comparable with the shell's $EPOCHREALTIME:
//   pid, swaps, loaded_ns (this library's initialiser ran), first_swap_ns, last_swap_ns, written_ns;
// and first_swap_cpu_ns, the CPU time of the whole process (all its threads) up to the first swap, which a
// busy machine stretches far less than the wall-clock time.
// A frame rate over any stretch is (swaps₂ − swaps₁) / (last_swap_ns₂ − last_swap_ns₁): both numbers of one
// write belong to the same swap, however late the write comes.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <mutex>
#include <unistd.h>

namespace {

using GlxSwapBuffers = void (*)(void* display, unsigned long drawable);
using EglSwapBuffers = unsigned (*)(void* display, void* surface);

constexpr long long kWriteEveryNs = 100'000'000;

std::atomic<long long> g_swaps{0};
std::atomic<long long> g_loadedNs{0};
std::atomic<long long> g_firstSwapNs{0};
std::atomic<long long> g_firstSwapCpuNs{0};
std::atomic<long long> g_lastSwapNs{0};
std::atomic<long long> g_lastWriteNs{0};
std::mutex g_writeMutex;

long long clockNs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

long long nowNs() {
    return clockNs(CLOCK_REALTIME);
}

// The next definition of `name` after this library; failing that (the GL libraries were opened privately by
// a plug-in, out of the global search order), the one in the first of `libraries` that has it.
void* realFunction(const char* name, const char* const* libraries) {
    if (void* function = dlsym(RTLD_NEXT, name)) {
        return function;
    }
    for (const char* const* library = libraries; *library != nullptr; ++library) {
        void* handle = dlopen(*library, RTLD_LAZY | RTLD_NOLOAD);
        if (handle == nullptr) {
            handle = dlopen(*library, RTLD_LAZY | RTLD_LOCAL);
        }
        if (handle != nullptr) {
            if (void* function = dlsym(handle, name)) {
                return function;
            }
        }
    }
    std::fprintf(stderr, "swapcounter: no real %s found\n", name);
    return nullptr;
}

void writeFigures(long long now) {
    const char* path = std::getenv("SWAPCOUNTER_FILE");
    if (path == nullptr || *path == '\0') {
        return;
    }
    std::lock_guard<std::mutex> lock(g_writeMutex);
    char aside[4096];
    if (std::snprintf(aside, sizeof(aside), "%s.%d.tmp", path, static_cast<int>(getpid())) >=
        static_cast<int>(sizeof(aside))) {
        return;
    }
    std::FILE* file = std::fopen(aside, "w");
    if (file == nullptr) {
        return;
    }
    // The latest swap time is read before the count, and a swap stores its time before counting, so the
    // count written is never behind the time written.
    const long long last = g_lastSwapNs.load();
    const long long swaps = g_swaps.load();
    std::fprintf(file, "pid %d\nswaps %lld\nloaded_ns %lld\n", static_cast<int>(getpid()), swaps,
                 g_loadedNs.load());
    std::fprintf(file, "first_swap_ns %lld\nfirst_swap_cpu_ns %lld\nlast_swap_ns %lld\nwritten_ns %lld\n",
                 g_firstSwapNs.load(), g_firstSwapCpuNs.load(), last, now);
    std::fclose(file);
    std::rename(aside, path);
}

// Called after every real swap has returned: the frame has been handed to the display.
void countSwap() {
    const long long now = nowNs();
    long long none = 0;
    const bool first = g_firstSwapNs.compare_exchange_strong(none, now);
    if (first) {
        g_firstSwapCpuNs.store(clockNs(CLOCK_PROCESS_CPUTIME_ID));
    }
    g_lastSwapNs.store(now);
    g_swaps.fetch_add(1);
    if (first || now - g_lastWriteNs.load() >= kWriteEveryNs) {
        g_lastWriteNs.store(now);
        writeFigures(now);
    }
}

__attribute__((constructor)) void onLoad() {
    g_loadedNs.store(nowNs());
}

__attribute__((destructor)) void onExit() {
    // A process that never swapped (a helper started with the same environment) leaves the file alone.
    if (g_swaps.load() > 0) {
        writeFigures(nowNs());
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) void glXSwapBuffers(void* display, unsigned long drawable) {
    static const char* const libraries[] = {"libGLX.so.0", "libGL.so.1", nullptr};
    static const auto real = reinterpret_cast<GlxSwapBuffers>(realFunction("glXSwapBuffers", libraries));
    if (real == nullptr) {
        return;
    }
    real(display, drawable);
    countSwap();
}

extern "C" __attribute__((visibility("default"))) unsigned eglSwapBuffers(void* display, void* surface) {
    static const char* const libraries[] = {"libEGL.so.1", nullptr};
    static const auto real = reinterpret_cast<EglSwapBuffers>(realFunction("eglSwapBuffers", libraries));
    if (real == nullptr) {
        return 0;
    }
    const unsigned result = real(display, surface);
    if (result != 0) {
        countSwap();
    }
    return result;
}
