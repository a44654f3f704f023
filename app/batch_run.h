// CBatchRun: one batch job on a worker thread. The worker never touches a window: it tells the
// window how far it has read, that failed records are waiting and that it has finished, each by
// a posted message, and the window's handlers collect what it left here.
#pragma once

#include "app/batch_job.h"
#include "platform/wnd.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

// wParam: how much of the input has been read, in thousandths.
constexpr UINT WM_BATCH_PROGRESS = WM_APP + 1;
// Failed records are waiting (TakeFailures); posted once for each batch that gathers.
constexpr UINT WM_BATCH_FAILED = WM_APP + 2;
// The job has returned (Finish).
constexpr UINT WM_BATCH_DONE = WM_APP + 3;

class CBatchRun {
public:
    // Failed records kept for the window; later ones are only counted.
    static constexpr std::size_t kMaxKept = 10000;
    // Progress is posted no more often than this, so the queue never floods.
    static constexpr std::chrono::milliseconds kProgressInterval{20};

    CBatchRun() = default;
    // Stops a job still running and waits for it.
    ~CBatchRun();
    CBatchRun(const CBatchRun&) = delete;
    CBatchRun& operator=(const CBatchRun&) = delete;

    // Starts the job on a worker that posts to pNotify, which must outlive the run (wait with
    // Finish before its window goes). FALSE if a job is running already.
    BOOL Start(CWnd* pNotify, BatchJob job);
    // Asks the job to stop; it ends at its next check.
    void Stop();
    BOOL IsRunning() const { return m_worker.joinable() ? TRUE : FALSE; }
    BOOL IsStopping() const { return m_stop.load() ? TRUE : FALSE; }
    // The failed records gathered since the last call.
    std::vector<BatchFailure> TakeFailures();
    // Waits for the worker and returns the job's outcome.
    BatchOutcome Finish();

private:
    void Work(CWnd* pNotify, const BatchJob& job);

    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex; // guards what the worker leaves for the window
    std::vector<BatchFailure> m_failures;
    std::size_t m_kept = 0;
    BatchOutcome m_outcome;
};
