// The worker side of a batch run.
#include "app/batch_run.h"

#include "app/chinese_words.h"

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

CBatchRun::~CBatchRun() {
    if (IsRunning()) {
        Stop();
        m_worker.join();
    }
}

BOOL CBatchRun::Start(CWnd* pNotify, BatchJob job) {
    if (IsRunning() || !job) {
        return FALSE;
    }
    m_stop = false;
    m_failures.clear();
    m_kept = 0;
    m_outcome = BatchOutcome{};
    m_worker = std::thread([this, pNotify, job = std::move(job)] { Work(pNotify, job); });
    return TRUE;
}

void CBatchRun::Stop() {
    m_stop = true;
}

std::vector<BatchFailure> CBatchRun::TakeFailures() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_failures, {});
}

BatchOutcome CBatchRun::Finish() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_outcome;
}

void CBatchRun::Work(CWnd* pNotify, const BatchJob& job) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastPost{};
    WPARAM lastPermille = ~WPARAM{0};

    BatchJobHooks hooks;
    hooks.stop = &m_stop;
    hooks.progress = [&](std::uint64_t done, std::uint64_t total) {
        const WPARAM permille =
            total == 0 ? 1000 : static_cast<WPARAM>(std::min(done, total) * 1000 / total);
        const Clock::time_point now = Clock::now();
        if (permille == lastPermille || (now - lastPost < kProgressInterval && permille < 1000)) {
            return;
        }
        lastPermille = permille;
        lastPost = now;
        pNotify->PostMessage(WM_BATCH_PROGRESS, permille);
    };
    hooks.failed = [&](BatchFailure failure) {
        bool first = false;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (m_kept == kMaxKept) {
                return;
            }
            ++m_kept;
            first = m_failures.empty();
            m_failures.push_back(std::move(failure));
        }
        // One message per batch: until the window takes them, more only join the batch.
        if (first) {
            pNotify->PostMessage(WM_BATCH_FAILED);
        }
    };

    BatchOutcome outcome;
    try {
        outcome = job(hooks);
    } catch (const ProblemError& e) {
        outcome.status = BatchOutcome::Status::Failed;
        outcome.message = Chinese(e.problem());
    } catch (const std::bad_alloc&) {
        outcome.status = BatchOutcome::Status::Failed;
        outcome.message = "内存不足";
    } catch (const std::exception& e) {
        // A job's own exception speaks the window's language.
        outcome.status = BatchOutcome::Status::Failed;
        outcome.message = e.what();
    } catch (...) {
        outcome.status = BatchOutcome::Status::Failed;
        outcome.message = "转换意外中断";
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_outcome = std::move(outcome);
    }
    pNotify->PostMessage(WM_BATCH_DONE);
}
