#pragma once
// All program-wide state of one run, passed explicitly to the operations that
// read or change it. The window owns exactly one; tests make their own. The
// core operations take the parts they use; the app layer's commands take the
// whole session.

#include <cstdint>
#include <string>

#include "compare/compare.h"
#include "model/output_lines.h"
#include "model/source_model.h"
#include "selection/keywords.h"

namespace quillset {

struct Session {
    model::SourceModel source;
    selection::Selection selection;

    model::OutputLines output;
    // 0 INI text, 1 CSV, 2 TAB-separated text: what Save As offers first.
    std::int16_t outputKind = 0;
    // The source file processed last, as named: Save As starts beside it.
    std::string sourceFileName;
    // The temporary file currently in use (results or conversion file).
    std::string tempFileName;

    // The last comparison with a test file: its lines, rows and counters.
    compare::Comparison comparison;
};

}  // namespace quillset
