// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/search_job.h"

#include <utility>

namespace {

// Collects the results of the job's thread; the list goes to the window's thread whole.
class CBatchReceiver : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override { batch->Add(result); }

    bool IsEmpty() const { return batch->GetCount() == 0; }
    std::shared_ptr<CSearchResultList> Take() {
        return std::exchange(batch, std::make_shared<CSearchResultList>());
    }

private:
    std::shared_ptr<CSearchResultList> batch = std::make_shared<CSearchResultList>();
};

}  // namespace

CSearchJob::~CSearchJob() {
    Abandon();
}

void CSearchJob::Start(const CCollSearchCriteria& criteria, std::vector<CSearchDisk> disks,
                       Batch onBatch, End onEnd) {
    DropEnded();
    if (current && current->IsRunning()) {
        // Its batches and its end are the replaced search's own: they go nowhere.
        current->Stop();
        replaced.push_back(std::move(current));
    }
    current = std::make_unique<CJob>();
    current->SetReportInterval(reportInterval);
    if (jobClock) {
        current->SetClock(jobClock);
    }
    currentBatch = std::move(onBatch);
    currentEnd = std::move(onEnd);
    // Only pointers cross to the job's thread; they are compared and followed on the
    // window's thread, where a replaced job's calls find another job current.
    CJob* job = current.get();
    current->Start(
        [this, job, criteria, disks = std::move(disks)](CJobContext& context) {
            CCollSearch search;
            CBatchReceiver receiver;
            bool sentAny = false;
            auto send = [&] {
                context.Post([this, job, batch = receiver.Take()] {
                    if (current.get() == job && currentBatch) {
                        currentBatch(std::move(*batch));
                    }
                });
                sentAny = true;
            };
            std::function<bool()> stopRequested = [&] {
                // The first rows as soon as there are some, then batches at the report pace.
                if (!receiver.IsEmpty() && (!sentAny || context.IsTimeToReport())) {
                    send();
                }
                return context.IsStopRequested();
            };
            try {
                search.Run(criteria, disks, receiver, stopRequested);
            } catch (...) {
                // The results found before a failure are shown with it.
                if (!receiver.IsEmpty()) {
                    send();
                }
                throw;
            }
            if (!receiver.IsEmpty()) {
                send();
            }
        },
        [this, job](const CProblems& problems) {
            // A replaced job's end goes nowhere; the job itself is dropped later, not from
            // inside its own call.
            if (current.get() != job) {
                return;
            }
            End end = std::move(currentEnd);
            currentEnd = nullptr;
            currentBatch = nullptr;
            DropEnded();
            if (end) {
                end(problems);
            }
        });
}

void CSearchJob::Stop() {
    if (current) {
        current->Stop();
    }
}

void CSearchJob::Abandon() {
    for (auto& job : replaced) {
        job->Stop();
    }
    replaced.clear();
    bool wasRunning = IsBusy();
    current.reset();
    End end = std::move(currentEnd);
    currentEnd = nullptr;
    currentBatch = nullptr;
    if (wasRunning && end) {
        end(CProblems());
    }
}

void CSearchJob::DropEnded() {
    std::erase_if(replaced, [](const std::unique_ptr<CJob>& job) { return !job->IsRunning(); });
}
