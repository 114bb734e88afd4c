#pragma once
// One standard against many variants: each variant compared with the
// standard's selected blocks exactly as a single comparison does, the
// results gathered into a matrix of a row per block and a column per
// variant. Variants are read one at a time and let go once surveyed, so no
// more than the standard and one variant are held at once.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compare/compare.h"
#include "model/source_model.h"
#include "platform/host.h"
#include "platform/progress.h"

namespace quillset::compare {

// What one variant holds for one row.
struct SurveyCell {
    Status status = Status::TestOnly;
    // The variant's header line (1-based line in its file); 0 for a
    // control-only cell.
    std::size_t testLine = 0;
    // A "Both: Different" cell's settings that differ, by key.
    std::vector<KeyDifference> differences;
    // Further blocks of the same header in this variant that went to the
    // same row (a header the variant repeats more often than the standard).
    std::size_t more = 0;
};

struct SurveyRow {
    std::string header;
    // A block of the standard (its slot among the selected headers), or one
    // found only in variants.
    bool inStandard = true;
    std::size_t standardLine = 0;  // 1-based line in the standard; 0 when not in it
    // Per variant; empty where the variant has nothing for the row (a block
    // of another variant, or a variant that could not be read).
    std::vector<std::optional<SurveyCell>> cells;
};

struct SurveyVariant {
    std::string path;
    bool surveyed = false;  // false: it could not be read (the host was told why)
    CompareCounts counts;
};

struct Survey {
    std::vector<SurveyVariant> variants;
    std::vector<SurveyRow> rows;  // the standard's blocks in selection order, then the others as first met
};

// Surveys `variants` against `standard`'s working lines and its
// `selectedHeaders` (slot 0 empty), as CompareFiles pairs and judges them. A
// variant that cannot be read, or that is the standard file itself, is told
// through the host and left unsurveyed. `standardPath` is only compared
// with the variants' names. A meter counts the variants.
Survey RunSurvey(const model::SourceModel& standard, std::span<const std::string_view> selectedHeaders,
                 const std::string& standardPath, std::span<const std::string> variants, Host& host,
                 ProgressMeter* meter = nullptr);

}  // namespace quillset::compare
