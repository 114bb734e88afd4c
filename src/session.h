#pragma once
// All program-wide state of one run, passed explicitly to the operations that
// read or change it. The window owns exactly one; tests make their own.

#include <cstdint>
#include <string>
#include <vector>

#include "compare/compare.h"
#include "exports/output_lines.h"
#include "model/source_model.h"
#include "selection/keywords.h"

namespace quillset {

struct Session {
    model::SourceModel source;

    selection::KeywordLists keywords;
    selection::HeaderList headerList;
    // Slot 0 always empty; slots 1..n hold matched header lines as stored
    // (views into the source's bytes).
    model::Lines selectedHeaders{std::string_view()};

    exports::OutputLines output;
    // 0 INI text, 1 CSV, 2 TAB-separated text: what Save As offers first.
    std::int16_t outputKind = 0;
    // The temporary file currently in use (results or conversion file).
    std::string tempFileName;

    // The last comparison with a test file: its lines, rows and counters.
    compare::Comparison comparison;
};

}  // namespace quillset
