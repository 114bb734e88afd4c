#include "model/source_model.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "model/conversion.h"
#include "model/definition_blocks.h"
#include "platform/text_file.h"
#include "session.h"

namespace quillset::model {

namespace {

void Report(Host& host, const std::string& path, const std::string& reason) {
    host.Inform("Unable to read " + path + ": " + reason);
}

// The loading pass: counts from the lines as read, arrays from the cleaned
// lines. The arrays grow as they fill, so a header whose category changes by
// cleaning (e.g. "[ Named Symbology," loses its comma) cannot overrun them.
void Load(SourceModel& model, const std::vector<std::string>& lines, const CountProgress& progress) {
    const SourceCounts counts = CountLines(lines, progress);

    std::vector<std::string> feature, symbol, filter, preference;
    feature.reserve(static_cast<std::size_t>(counts.featureLines) + 1);
    symbol.reserve(static_cast<std::size_t>(counts.symbolLines) + 1);
    filter.reserve(static_cast<std::size_t>(counts.filterLines) + 1);
    preference.reserve(static_cast<std::size_t>(counts.prefLines) + 1);

    std::vector<std::string>* current = &preference;
    for (const auto& raw : lines) {
        std::string line = TrimLineEnd(raw);
        if (IsHeaderLine(line)) {
            switch (CategoryOf(line)) {
                case Category::Filter: current = &filter; break;
                case Category::Feature: current = &feature; break;
                case Category::Symbol: current = &symbol; break;
                case Category::Wysiwyg:
                case Category::Preference: current = &preference; break;
            }
        }
        current->push_back(std::move(line));
    }
    for (auto* array : {&feature, &symbol, &filter, &preference}) array->emplace_back();

    model.counts = counts;
    model.counted = true;
    model.featureLines = std::move(feature);
    model.symbolLines = std::move(symbol);
    model.filterLines = std::move(filter);
    model.preferenceLines = std::move(preference);
}

}  // namespace

SourceKind SourceKindOf(std::string_view fileName) {
    if (fileName.size() >= 3) {
        const std::string_view tail = fileName.substr(fileName.size() - 3);
        if (EqualsIgnoringCase(tail, "csv")) return SourceKind::Csv;
        if (EqualsIgnoringCase(tail, "txt")) return SourceKind::Tab;
    }
    return SourceKind::Ini;
}

CategoryChoice PresetFor(SourceKind kind) {
    switch (kind) {
        case SourceKind::Csv: return {true, true, false, false};
        case SourceKind::Tab: return {false, false, false, true};
        case SourceKind::Ini: break;
    }
    return {true, true, true, true};
}

SourceCounts CountLines(const std::vector<std::string>& lines, const CountProgress& progress) {
    SourceCounts c;
    Category current = Category::Preference;
    bool wysiwyg = false;
    for (const auto& line : lines) {
        ++c.allLines;
        if (!IsHeaderLine(line)) {
            if (wysiwyg) ++c.wysLines;
            switch (current) {
                case Category::Feature: ++c.featureLines; break;
                case Category::Symbol: ++c.symbolLines; break;
                case Category::Filter: ++c.filterLines; break;
                default: ++c.prefLines; break;
            }
            continue;
        }
        ++c.allDefs;
        const Category category = CategoryOf(line);
        wysiwyg = category == Category::Wysiwyg;
        switch (category) {
            case Category::Filter:
                current = Category::Filter;
                ++c.filterDefs;
                ++c.filterLines;
                break;
            case Category::Symbol:
                current = Category::Symbol;
                ++c.symbolDefs;
                ++c.symbolLines;
                break;
            case Category::Feature:
                current = Category::Feature;
                ++c.featureDefs;
                ++c.featureLines;
                break;
            case Category::Wysiwyg:
                current = Category::Preference;
                ++c.wysDefs;
                ++c.wysLines;
                ++c.prefDefs;
                ++c.prefLines;
                break;
            case Category::Preference:
                current = Category::Preference;
                ++c.prefDefs;
                ++c.prefLines;
                break;
        }
        if (progress) progress(c);
    }
    return c;
}

void LoadLines(SourceModel& model, const std::vector<std::string>& lines) { Load(model, lines, {}); }

void BuildWorkingLines(SourceModel& model, const CategoryChoice& choice) {
    const std::pair<bool, const std::vector<std::string>*> parts[] = {
        {choice.feature, &model.featureLines},
        {choice.symbol, &model.symbolLines},
        {choice.filters, &model.filterLines},
        {choice.preferences, &model.preferenceLines},
    };
    std::size_t size = 1;
    for (const auto& [ticked, array] : parts)
        if (ticked) size += array->size();

    std::vector<std::string> working;
    std::vector<std::size_t> closings;
    working.reserve(size);
    for (const auto& [ticked, array] : parts) {
        if (!ticked) continue;
        working.insert(working.end(), array->begin(), array->end());
        closings.push_back(working.size() - 1);
    }
    closings.push_back(working.size());
    working.emplace_back();
    model.workingLines = std::move(working);
    model.workingClosings = std::move(closings);
}

std::size_t WorkingBlockEnd(const SourceModel& model, std::size_t header) {
    const std::vector<std::string>& lines = model.workingLines;
    const auto closing =
        std::upper_bound(model.workingClosings.begin(), model.workingClosings.end(), header);
    // The closing entry itself still ends the block as a blank line.
    const std::size_t limit =
        closing == model.workingClosings.end() ? lines.size() : std::min(*closing + 1, lines.size());
    std::size_t end = header + 1;
    while (end < limit && !IsHeaderLine(lines[end])) ++end;
    return end;
}

std::vector<std::string> FillAvailableKeywords(SourceModel& model) {
    std::vector<std::string> headers;
    for (const auto& entry : model.workingLines) {
        const std::string_view trimmed = Trim(entry);
        if (IsHeaderLine(trimmed)) headers.emplace_back(trimmed);
    }
    headers.emplace_back();
    model.headerList = std::move(headers);

    // Reserved up front so the set's views into `keywords` stay valid.
    std::vector<std::string> keywords;
    keywords.reserve(model.headerList.size());
    std::unordered_set<std::string_view> seen;
    seen.reserve(model.headerList.size());
    for (const auto& header : model.headerList) {
        std::string name = HeaderName(header);
        if (name.empty()) continue;
        keywords.push_back(std::move(name));
        if (!seen.insert(keywords.back()).second) keywords.pop_back();
    }
    std::sort(keywords.begin(), keywords.end(),
              [](const std::string& a, const std::string& b) { return KeywordLess(a, b); });
    return keywords;
}

bool CountSource(Session& session, Host& host, const std::string& path,
                 const CountProgress& progress) {
    const auto read = platform::ReadTextLines(path);
    if (!read.ok) {
        Report(host, path, read.error);
        return false;
    }
    session.source.counts = CountLines(read.lines, progress);
    session.source.counted = true;
    return true;
}

namespace {

// Without a settings store the conversion stays in memory.
bool Process(Session& session, Host& host, SettingsStore* settings, const std::string& path,
             SourceKind kind, const CategoryChoice& choice, const CountProgress& progress) {
    auto read = platform::ReadTextLines(path);
    if (!read.ok) {
        Report(host, path, read.error);
        return false;
    }
    if (kind != SourceKind::Ini) {
        const std::vector<std::string_view> raw(read.lines.begin(), read.lines.end());
        auto converted = settings ? ConvertToConversionFile(session, host, *settings, path, raw, kind)
                                  : ConvertSourceLines(raw, kind, host);
        if (!converted) return false;
        read.lines = std::move(*converted);
    }
    SourceModel loaded;
    Load(loaded, read.lines, progress);
    read.lines = {};
    BuildWorkingLines(loaded, choice);
    std::vector<std::string> available = FillAvailableKeywords(loaded);

    session.source = std::move(loaded);
    session.keywords.available = std::move(available);
    session.keywords.selected.clear();
    session.headerList.rows.clear();
    session.selectedHeaders.assign(1, std::string());
    return true;
}

}  // namespace

bool ProcessSource(Session& session, Host& host, SettingsStore& settings, const std::string& path,
                   SourceKind kind, const CategoryChoice& choice, const CountProgress& progress) {
    return Process(session, host, &settings, path, kind, choice, progress);
}

bool ProcessSourceInMemory(Session& session, Host& host, const std::string& path, SourceKind kind,
                           const CategoryChoice& choice, const CountProgress& progress) {
    return Process(session, host, nullptr, path, kind, choice, progress);
}

}  // namespace quillset::model
