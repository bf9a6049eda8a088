// SPDX-License-Identifier: GPL-3.0-or-later
// Runs what the document's File and Insert commands start to its end, as the window's loop
// would, so that a test reads the outcome right after the command.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/coll_doc.h"
#include "support/job_queue.h"

// Every job the document has running, to its end.
inline void FinishDocJobs(CJobQueue& queue, const CCollDoc& doc) {
    EXPECT_TRUE(queue.RunUntil([&doc] {
        return !doc.GetLoadJob().IsRunning() && !doc.GetInsertJob().IsRunning() &&
               !doc.GetExportJob().IsRunning();
    }));
}

// What `finished` said; false too when the command did not start.
inline bool OpenToEnd(CJobQueue& queue, CCollDoc& doc, const std::string& path) {
    bool opened = false;
    if (!doc.OpenCollection(path, [&opened](bool done) { opened = done; })) {
        return false;
    }
    FinishDocJobs(queue, doc);
    return opened;
}

inline bool InsertToEnd(CJobQueue& queue, CCollDoc& doc, const std::vector<std::string>& paths) {
    bool inserted = false;
    if (!doc.InsertDisks(paths, [&inserted](bool done) { inserted = done; })) {
        return false;
    }
    FinishDocJobs(queue, doc);
    return inserted;
}

inline bool StartUpToEnd(CJobQueue& queue, CCollDoc& doc, const std::string& commandLineFile,
                         bool openLastFile, const std::string& lastFile) {
    bool opened = false;
    doc.OpenAtStartup(commandLineFile, openLastFile, lastFile,
                      [&opened](bool done) { opened = done; });
    FinishDocJobs(queue, doc);
    return opened;
}
