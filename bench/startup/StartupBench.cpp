// Start-up time until the tray icon is added (the icon is added while the main
// window is created, so: until the window exists), resident memory once
// settled, and file size: Orvalet beside the minimal tray program, measured
// alternately in one run inside the emulated Pocket PC.
#include "Device.h"

#include <psapi.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Subject {
    const wchar_t* name;
    std::wstring path;
    const wchar_t* windowClass;
    std::vector<double> startMs;
    SIZE_T workingSet = 0, privateBytes = 0;
};

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * count.QuadPart / frequency.QuadPart;
}

void RunOnce(Subject& subject, bool measureMemory) {
    device::Program program;
    double start = Now();
    if (!program.Start(L"", subject.path)) return;
    while (!FindWindowW(subject.windowClass, NULL)) {
        if (Now() - start > 10000) return;
        Sleep(0);
    }
    subject.startMs.push_back(Now() - start);
    if (measureMemory) {
        Sleep(1000);
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(program.Handle(), &counters, sizeof(counters));
        subject.workingSet = counters.WorkingSetSize;
        subject.privateBytes = counters.PagefileUsage;
    }
    PostMessageW(FindWindowW(subject.windowClass, NULL), WM_CLOSE, 0, 0);
    program.WaitExit(5000);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

DWORD FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow;
}

} // namespace

int main() {
    device::CloseResident();
    device::DeleteSettings();
    Subject orvalet = {L"Orvalet.exe", device::PROGRAM_PATH, L"Orvalet"};
    Subject minimal = {L"MinimalTray.exe", L"C:\\Program Files\\Minimal\\MinimalTray.exe",
                       L"MinimalTray"};
    const int runs = 15;
    for (int i = 0; i < runs; i++) {
        RunOnce(orvalet, i == runs - 1);
        RunOnce(minimal, i == runs - 1);
    }
    printf("%-16s %14s %14s %14s %12s\n", "program", "start-up ms", "working set KB", "private KB",
           "file bytes");
    for (Subject* s : {&orvalet, &minimal})
        printf("%-16ls %14.1f %14lu %14lu %12lu\n", s->name, Median(s->startMs),
               (unsigned long)(s->workingSet / 1024), (unsigned long)(s->privateBytes / 1024),
               (unsigned long)FileSize(s->path));
    printf("ratios (Orvalet / minimal): start-up %.2f, working set %.2f, private %.2f, size %.2f\n",
           Median(orvalet.startMs) / Median(minimal.startMs),
           (double)orvalet.workingSet / minimal.workingSet,
           (double)orvalet.privateBytes / minimal.privateBytes,
           (double)FileSize(orvalet.path) / FileSize(minimal.path));
    printf("(median of %d alternating starts each; memory 1 s after the last start)\n", runs);
    return 0;
}
