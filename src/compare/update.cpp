#include "compare/update.h"

#include <algorithm>

#include "session.h"

namespace quillset::compare {

namespace {

void Append(Session& session, const std::vector<std::string_view>& block) {
    for (const std::string_view line : block) session.output.Append(std::string(line));
}

}  // namespace

Action Decide(Status status, ResetMode mode, bool appendAll) {
    switch (status) {
        case Status::TestOnly:
        case Status::Identical: return Action::WriteTest;
        case Status::Different:
            switch (mode) {
                case ResetMode::ResetAll: return Action::WriteControl;
                case ResetMode::ResetNone: return Action::WriteTest;
                case ResetMode::Preview: return Action::Preview;
            }
            break;
        case Status::ControlOnly: return appendAll ? Action::WriteControl : Action::Nothing;
    }
    return Action::Nothing;
}

bool WritesControl(Decision decision) {
    return decision == Decision::ClobberThis || decision == Decision::ClobberTheRest;
}

ResetMode ModeAfter(Decision decision, ResetMode mode) {
    switch (decision) {
        case Decision::ClobberTheRest: return ResetMode::ResetAll;
        case Decision::SkipTheRest: return ResetMode::ResetNone;
        case Decision::ClobberThis:
        case Decision::SkipThis: break;
    }
    return mode;
}

Decision CloseDecision(Host& host) {
    return host.AskYesNo(kCloseQuestion) ? Decision::ClobberTheRest : Decision::SkipTheRest;
}

std::vector<PairedLine> PairLines(std::span<const std::string_view> controlBlock,
                                  std::span<const std::string_view> testBlock) {
    std::vector<PairedLine> rows(std::max(controlBlock.size(), testBlock.size()));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (k < controlBlock.size()) rows[k].control = controlBlock[k];
        if (k < testBlock.size()) rows[k].test = testBlock[k];
        rows[k].differs = rows[k].control != rows[k].test;
    }
    return rows;
}

void WriteControlBlock(Session& session, const CompareRow& row) {
    const auto block = ControlBlock(session, row);
    Append(session, block.empty() ? TestBlock(session, row) : block);
}

void WriteTestBlock(Session& session, const CompareRow& row) { Append(session, TestBlock(session, row)); }

ResetMode RunUpdate(Session& session, ResetMode mode, bool appendAll, BlockPreviewer& previewer) {
    Comparison& cmp = session.comparison;
    cmp.sorted = true;
    cmp.sortColumn = 2;
    cmp.ascending = true;
    session.outputKind = 0;
    // The updated file appears whole or not at all.
    exports::AppendAllOrNothing(session.output, [&] {
        for (const std::size_t r : cmp.DisplayOrder()) {
            const CompareRow& row = cmp.rows[r];
            switch (Decide(row.status, mode, appendAll)) {
                case Action::WriteTest: WriteTestBlock(session, row); break;
                case Action::WriteControl: WriteControlBlock(session, row); break;
                case Action::Nothing: break;
                case Action::Preview: {
                    const Decision d = previewer.Decide(
                        row, PairLines(ControlBlock(session, row), TestBlock(session, row)));
                    if (WritesControl(d))
                        WriteControlBlock(session, row);
                    else
                        WriteTestBlock(session, row);
                    mode = ModeAfter(d, mode);
                    break;
                }
            }
        }
    });
    return mode;
}

}  // namespace quillset::compare
