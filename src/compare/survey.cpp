#include "compare/survey.h"

#include <algorithm>
#include <unordered_map>

#include "model/definition_blocks.h"

namespace quillset::compare {

namespace {

// The 1-based line of each view into `bytes`, in one pass however the views
// are ordered.
std::vector<std::size_t> LineNumbers(std::string_view bytes, std::span<const std::string_view> views) {
    std::vector<std::size_t> order(views.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return views[a].data() < views[b].data(); });
    std::vector<std::size_t> lines(views.size());
    std::size_t position = 0, line = 1;
    for (const std::size_t i : order) {
        const auto at = static_cast<std::size_t>(views[i].data() - bytes.data());
        for (; position < at; ++position) {
            const char c = bytes[position];
            if (c == '\n' || (c == '\r' && (position + 1 >= bytes.size() || bytes[position + 1] != '\n'))) ++line;
        }
        lines[i] = line;
    }
    return lines;
}

}  // namespace

Survey RunSurvey(const model::SourceModel& standard, std::span<const std::string_view> selectedHeaders,
                 const std::string& standardPath, std::span<const std::string> variants, Host& host,
                 ProgressMeter* meter) {
    Survey survey;
    const auto controls = selectedHeaders.empty() ? selectedHeaders : selectedHeaders.subspan(1);
    const std::vector<std::size_t> controlAt = ControlHeaderLines(standard.workingLines, controls);
    {
        std::vector<std::string_view> found;
        for (const std::size_t at : controlAt)
            if (at != kNone) found.push_back(standard.workingLines[at]);
        const std::vector<std::size_t> lines =
            standard.bytes ? LineNumbers(*standard.bytes, found) : std::vector<std::size_t>(found.size());
        for (std::size_t j = 0, k = 0; j < controls.size(); ++j) {
            SurveyRow row;
            row.header = std::string(controls[j]);
            if (controlAt[j] != kNone) row.standardLine = lines[k++];
            row.cells.resize(variants.size());
            survey.rows.push_back(std::move(row));
        }
    }
    // A block's header line in the working lines names its standard row.
    std::unordered_map<std::size_t, std::size_t> rowOfLine;
    for (std::size_t j = 0; j < controlAt.size(); ++j)
        if (controlAt[j] != kNone) rowOfLine.emplace(controlAt[j], j);
    // Blocks found only in variants, one row per header ignoring case.
    std::unordered_map<std::string, std::size_t> rowOfOther;

    for (std::size_t v = 0; v < variants.size(); ++v) {
        if (meter) meter->At(v);
        SurveyVariant& variant = survey.variants.emplace_back();
        variant.path = variants[v];
        if (variants[v] == standardPath) {
            host.Inform(std::string(kSameFiles) + " (" + variants[v] + ")");
            continue;
        }
        std::unique_ptr<TestFile> test = ReadTestFile(host, variants[v]);
        if (!test) continue;
        Comparison cmp;
        cmp.test = std::move(*test);
        CompareFiles(standard, selectedHeaders, cmp);
        variant.surveyed = true;
        variant.counts = cmp.counts;

        std::vector<std::string_view> headers;
        for (const std::size_t at : cmp.test.headers) headers.push_back(cmp.test.lines[at]);
        const std::vector<std::size_t> testLines = LineNumbers(*cmp.test.bytes, headers);
        const auto place = [&](std::size_t r, SurveyCell cell) {
            std::optional<SurveyCell>& slot = survey.rows[r].cells[v];
            if (slot) {
                ++slot->more;
                // The cell shows the worst of its blocks.
                if (slot->status == Status::Identical && cell.status == Status::Different) {
                    cell.more = slot->more;
                    slot = std::move(cell);
                }
                return;
            }
            slot = std::move(cell);
        };
        for (const CompareRow& row : cmp.rows) {
            SurveyCell cell;
            cell.status = row.status;
            if (row.status != Status::ControlOnly) cell.testLine = testLines[row.number];
            if (row.status == Status::ControlOnly) {
                place(row.number - cmp.test.headers.size() - 2, std::move(cell));
                continue;
            }
            if (row.status == Status::TestOnly) {
                auto [at, added] = rowOfOther.try_emplace(model::FoldCase(row.header), survey.rows.size());
                if (added) {
                    SurveyRow other;
                    other.header = std::string(row.header);
                    other.inStandard = false;
                    other.cells.resize(variants.size());
                    survey.rows.push_back(std::move(other));
                }
                place(at->second, std::move(cell));
                continue;
            }
            if (row.status == Status::Different) cell.differences = RowDifferences(standard, cmp, row);
            const auto found = rowOfLine.find(row.controlLine);
            if (found != rowOfLine.end()) place(found->second, std::move(cell));
        }
    }
    return survey;
}

}  // namespace quillset::compare
