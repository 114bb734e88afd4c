#include "compare/update.h"

#include <algorithm>

#include "model/output_lines.h"

namespace quillset::compare {

namespace {

// The block's lines as views into the file they come from.
void Append(model::OutputLines& output, const std::vector<std::string_view>& block,
            const std::shared_ptr<const std::string>& bytes) {
    for (const std::string_view line : block) output.Append(line, bytes);
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

void WriteControlBlock(const model::SourceModel& source, const Comparison& cmp, model::OutputLines& output,
                       const CompareRow& row) {
    const auto block = ControlBlock(source, cmp, row);
    if (block.empty())
        WriteTestBlock(cmp, output, row);
    else
        Append(output, block, source.bytes);
}

void WriteTestBlock(const Comparison& cmp, model::OutputLines& output, const CompareRow& row) {
    Append(output, TestBlock(cmp, row), cmp.test.bytes);
}

ResetMode RunUpdate(Comparison& cmp, const model::SourceModel& source, model::OutputLines& output, ResetMode mode,
                    bool appendAll, BlockPreviewer& previewer, ProgressMeter* meter) {
    const bool sorted = cmp.sorted, ascending = cmp.ascending;
    const int sortColumn = cmp.sortColumn;
    cmp.sorted = true;
    cmp.sortColumn = 2;
    cmp.ascending = true;
    try {
        // The updated file appears whole or not at all.
        model::AppendAllOrNothing(output, [&] {
            const std::vector<std::size_t> order = cmp.DisplayOrder();
            for (std::size_t k = 0; k < order.size(); ++k) {
                if (meter) meter->At(k);
                const CompareRow& row = cmp.rows[order[k]];
                switch (Decide(row.status, mode, appendAll)) {
                    case Action::WriteTest: WriteTestBlock(cmp, output, row); break;
                    case Action::WriteControl: WriteControlBlock(source, cmp, output, row); break;
                    case Action::Nothing: break;
                    case Action::Preview: {
                        const Decision d = previewer.Decide(
                            row, PairLines(ControlBlock(source, cmp, row), TestBlock(cmp, row)));
                        if (WritesControl(d))
                            WriteControlBlock(source, cmp, output, row);
                        else
                            WriteTestBlock(cmp, output, row);
                        mode = ModeAfter(d, mode);
                        break;
                    }
                }
            }
        });
    } catch (...) {
        cmp.sorted = sorted;
        cmp.sortColumn = sortColumn;
        cmp.ascending = ascending;
        throw;
    }
    return mode;
}

}  // namespace quillset::compare
