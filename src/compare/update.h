#pragma once
// Building the updated test file from the comparison rows: the reset and
// append policy, the two block writers and the run with its per-block
// confirmation.

#include <span>
#include <string_view>
#include <vector>

#include "compare/compare.h"
#include "model/output_lines.h"
#include "platform/host.h"

namespace quillset::compare {

enum class ResetMode { ResetAll, ResetNone, Preview };

// What the policy does with one row.
enum class Action { WriteTest, WriteControl, Preview, Nothing };
Action Decide(Status status, ResetMode mode, bool appendAll);

// The confirmation window's answers for one different block.
enum class Decision { ClobberThis, ClobberTheRest, SkipThis, SkipTheRest };
bool WritesControl(Decision decision);
ResetMode ModeAfter(Decision decision, ResetMode mode);

inline constexpr std::string_view kCloseQuestion =
    "Do you want to Clobber All the defintions not manually processed?";
// "Close": Yes clobbers this block and every further different one, No keeps
// the test blocks.
Decision CloseDecision(Host& host);

// The two blocks line against line by position, the shorter padded with
// empty cells; row 0 holds the two header lines.
struct PairedLine {
    std::string_view control;
    std::string_view test;
    bool differs = false;
};
std::vector<PairedLine> PairLines(std::span<const std::string_view> controlBlock,
                                  std::span<const std::string_view> testBlock);

// Asked for every different block while the mode is Preview.
class BlockPreviewer {
public:
    virtual ~BlockPreviewer() = default;
    virtual Decision Decide(const CompareRow& row, const std::vector<PairedLine>& lines) = 0;
};

// Append a row's block to the output lines. The control writer falls back to
// the test block when the working lines no longer hold the control block, so
// no test block is ever dropped.
void WriteControlBlock(const model::SourceModel& source, const Comparison& cmp, model::OutputLines& output,
                       const CompareRow& row);
void WriteTestBlock(const Comparison& cmp, model::OutputLines& output, const CompareRow& row);

// Puts the rows back into "Line #" order and appends the updated file to the
// output lines, asking `previewer` where the mode says so. Returns the mode
// the run ended with. A meter counts the rows; when it stops the run
// (Cancelled) or memory runs out, the output and the rows' order are as
// they were.
ResetMode RunUpdate(Comparison& cmp, const model::SourceModel& source, model::OutputLines& output, ResetMode mode,
                    bool appendAll, BlockPreviewer& previewer, ProgressMeter* meter = nullptr);

}  // namespace quillset::compare
