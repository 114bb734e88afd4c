#pragma once
// The comparison's commands on the session.

#include <string>

#include "app/session.h"
#include "compare/update.h"
#include "platform/host.h"

namespace quillset::app {

// compare::RunComparison on the session's comparison, selection and source.
compare::CompareOutcome RunComparison(Session& session, Host& host, const std::string& sourceName,
                                      const std::string& testName);

// compare::RunUpdate into the session's output lines, which then hold INI
// text. With a host, a run that asks no questions shows its progress there
// and can be cancelled (Cancelled passes on; the session is as it was).
compare::ResetMode RunUpdate(Session& session, compare::ResetMode mode, bool appendAll,
                             compare::BlockPreviewer& previewer, Host* host = nullptr);

}  // namespace quillset::app
