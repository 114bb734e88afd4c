#include "model/source_model.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

#include "model/conversion.h"
#include "model/definition_blocks.h"
#include "model/line_scanner.h"
#include "model/prefix_sort.h"
#include "model/view_table.h"
#include "platform/system.h"
#include "platform/text_file.h"

namespace quillset::model {

namespace {

void Report(Host& host, const std::string& path, const std::string& reason) {
    host.Inform("Unable to read " + path + ": " + reason);
}

// Counts lines as read, one at a time, so the counting of a named file needs
// no line array and the load counts in the same pass that sizes its arrays.
class Counter {
public:
    explicit Counter(const CountProgress& progress) : progress_(progress) {}

    void Body() {
        ++c_.allLines;
        if (wysiwyg_) ++c_.wysLines;
        switch (current_) {
            case Category::Feature: ++c_.featureLines; break;
            case Category::Symbol: ++c_.symbolLines; break;
            case Category::Filter: ++c_.filterLines; break;
            default: ++c_.prefLines; break;
        }
    }

    void Header(Category category) {
        ++c_.allLines;
        ++c_.allDefs;
        wysiwyg_ = category == Category::Wysiwyg;
        switch (category) {
            case Category::Filter:
                current_ = Category::Filter;
                ++c_.filterDefs;
                ++c_.filterLines;
                break;
            case Category::Symbol:
                current_ = Category::Symbol;
                ++c_.symbolDefs;
                ++c_.symbolLines;
                break;
            case Category::Feature:
                current_ = Category::Feature;
                ++c_.featureDefs;
                ++c_.featureLines;
                break;
            case Category::Wysiwyg:
                current_ = Category::Preference;
                ++c_.wysDefs;
                ++c_.wysLines;
                ++c_.prefDefs;
                ++c_.prefLines;
                break;
            case Category::Preference:
                current_ = Category::Preference;
                ++c_.prefDefs;
                ++c_.prefLines;
                break;
        }
        if (progress_) progress_(c_);
    }

    void Line(std::string_view raw, bool header) {
        if (header) {
            Header(CategoryOf(raw));
        } else {
            Body();
        }
    }

    const SourceCounts& Counts() const { return c_; }

private:
    const CountProgress& progress_;
    SourceCounts c_;
    Category current_ = Category::Preference;
    bool wysiwyg_ = false;
};

enum Slot : unsigned char { kFeature, kSymbol, kFilter, kPreference };

Slot SlotOf(Category category) {
    switch (category) {
        case Category::Filter: return kFilter;
        case Category::Feature: return kFeature;
        case Category::Symbol: return kSymbol;
        case Category::Wysiwyg:
        case Category::Preference: break;
    }
    return kPreference;
}

// KeywordLess order, which mostly shows in a name's first bytes.
void SortKeywords(Lines& keywords) {
    SortByPrefix(keywords, [](std::string_view name) { return name; }, true, KeywordLess);
}

// An entry of the working lines that is a header once trimmed, trimmed; else
// empty. Most lines start with neither "[" nor a blank, so they need no
// trimming to be ruled out.
std::string_view TrimmedHeader(std::string_view entry) {
    if (entry.empty() || (entry.front() != '[' && entry.front() != ' ')) return {};
    const std::string_view trimmed = Trim(entry);
    return IsHeaderLine(trimmed) ? trimmed : std::string_view();
}

// Which array a header line goes to, by its cleaned text.
Slot HeaderSlot(std::string_view clean) { return SlotOf(CategoryOf(clean)); }

bool Ticked(const CategoryChoice& choice, Slot slot) {
    switch (slot) {
        case kFeature: return choice.feature;
        case kSymbol: return choice.symbol;
        case kFilter: return choice.filters;
        case kPreference: break;
    }
    return choice.preferences;
}

// The keyword list's order on distinct names, `seen` holding each once.
Lines SortedKeywords(ViewTable<Present>&& seen) {
    Lines keywords = std::move(seen).TakeKeys();
    SortKeywords(keywords);
    keywords.shrink_to_fit();
    return keywords;
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

std::string CategoryWords(const CategoryChoice& c) {
    std::string words;
    for (const auto& [on, word] : {std::pair{c.feature, "feature"}, std::pair{c.symbol, "symbol"},
                                   std::pair{c.filters, "filter"}, std::pair{c.preferences, "preference"}})
        if (on) words += (words.empty() ? "" : ",") + std::string(word);
    return words;
}

SourceCounts CountLines(std::string_view bytes, const CountProgress& progress) {
    Counter counter(progress);
    ScanLines(bytes, [&](std::string_view raw, bool header) { counter.Line(raw, header); });
    return counter.Counts();
}

namespace {

// Fills the category arrays from the raw lines `forEachLine` visits (twice),
// which look into `bytes`.
template <class ForEachLine>
void Load(SourceModel& model, std::shared_ptr<const std::string> bytes, const ForEachLine& forEachLine,
          const CountProgress& progress, ProgressMeter* meter) {
    // Each pass is half the work, measured in bytes.
    const char* const base = bytes ? bytes->data() : nullptr;
    const std::uint64_t size = bytes ? bytes->size() : 0;
    const auto at = [&](std::string_view raw, std::uint64_t pass) {
        if (meter) meter->At(pass * size + static_cast<std::uint64_t>(raw.data() - base));
    };
    // First pass: the counts as read, and each header's array once cleaned, so
    // every array is allocated once at its final size. Each header is
    // classified once, twice only when cleaning changed it (e.g.
    // "[ Named Symbology," loses its comma and becomes a Symbol header).
    Counter counter(progress);
    std::size_t sizes[4] = {1, 1, 1, 1};  // each with its closing entry
    std::vector<Slot> headerSlots;
    Slot slot = kPreference;
    forEachLine([&](std::string_view raw, bool header) {
        at(raw, 0);
        if (header) {
            const Category category = CategoryOf(raw);
            counter.Header(category);
            const std::string_view clean = TrimLineEnd(raw);
            slot = clean.size() == raw.size() ? SlotOf(category) : HeaderSlot(clean);
            headerSlots.push_back(slot);
        } else {
            counter.Body();
        }
        ++sizes[slot];
    });

    // The four arrays in one, laid out as the working lines of every
    // category, each filled at its own cursor; their closing entries and the
    // last one are the empty views the array starts with.
    std::array<std::size_t, 5> starts{};
    for (int k = 0; k < 4; ++k) starts[k + 1] = starts[k] + sizes[k];
    Lines all(starts[4] + 1);
    platform::AdviseLargePages(all.data(), all.size() * sizeof(std::string_view));
    std::size_t cursors[4] = {starts[0], starts[1], starts[2], starts[3]};
    // Cleaning keeps the first byte, so a line is a header before and after.
    std::size_t* current = &cursors[kPreference];
    std::size_t header = 0;
    forEachLine([&](std::string_view raw, bool isHeader) {
        at(raw, 1);
        if (isHeader) current = &cursors[headerSlots[header++]];
        all[(*current)++] = TrimLineEnd(raw);
    });

    model.counts = counter.Counts();
    model.counted = true;
    // The arrays and the bytes they look into are replaced together.
    model.categoryLines = std::move(all);
    model.workingHoldsAll = false;
    model.categoryStarts = starts;
    model.bytes = std::move(bytes);
}

}  // namespace

void LoadLines(SourceModel& model, platform::TextLines text, const CountProgress& progress, ProgressMeter* meter) {
    const std::span<const std::string_view> lines(text.lines);
    const auto forEachLine = [&](const auto& visit) { ScanLines(lines, visit); };
    Load(model, std::move(text.bytes), forEachLine, progress, meter);
}

void LoadText(SourceModel& model, std::shared_ptr<const std::string> bytes, const CountProgress& progress,
              ProgressMeter* meter) {
    // Split as it is read, twice, rather than through a line index as large
    // as the arrays themselves.
    const std::string_view text = *bytes;
    const auto forEachLine = [&](const auto& visit) { ScanLines(text, visit); };
    Load(model, std::move(bytes), forEachLine, progress, meter);
}

void BuildWorkingLines(SourceModel& model, const CategoryChoice& choice) {
    const std::array<std::size_t, 5>& starts = model.categoryStarts;
    std::vector<std::size_t>& closings = model.workingClosings;
    if (choice.feature && choice.symbol && choice.filters && choice.preferences) {
        if (!model.workingHoldsAll) {
            model.workingLines = std::move(model.categoryLines);
            model.categoryLines = Lines();
            model.workingHoldsAll = true;
        }
        closings = {starts[1] - 1, starts[2] - 1, starts[3] - 1, starts[4] - 1, starts[4]};
        return;
    }
    if (model.workingHoldsAll) {
        model.categoryLines = std::move(model.workingLines);
        model.workingLines = Lines();
        model.workingHoldsAll = false;
    }
    const bool ticked[4] = {choice.feature, choice.symbol, choice.filters, choice.preferences};
    std::size_t size = 1;
    for (int k = 0; k < 4; ++k)
        if (ticked[k]) size += starts[k + 1] - starts[k];

    // Refilled in place: a refresh of the matching headers rebuilds these
    // for every keyword command, and a second array would double the peak.
    Lines& working = model.workingLines;
    if (working.capacity() < size) Lines().swap(working);
    working.clear();
    working.reserve(size);
    platform::AdviseLargePages(working.data(), size * sizeof(std::string_view));
    closings.clear();
    for (int k = 0; k < 4; ++k) {
        if (!ticked[k]) continue;
        const std::span<const std::string_view> array = model.CategoryArray(k);
        working.insert(working.end(), array.begin(), array.end());
        closings.push_back(working.size() - 1);
    }
    closings.push_back(working.size());
    working.emplace_back();
}

std::size_t WorkingBlockEnd(const SourceModel& model, std::size_t header) {
    const Lines& lines = model.workingLines;
    const auto closing =
        std::upper_bound(model.workingClosings.begin(), model.workingClosings.end(), header);
    // The closing entry itself still ends the block as a blank line.
    const std::size_t limit =
        closing == model.workingClosings.end() ? lines.size() : std::min(*closing + 1, lines.size());
    std::size_t end = header + 1;
    while (end < limit && !IsHeaderLine(lines[end])) ++end;
    return end;
}

Lines FillAvailableKeywords(SourceModel& model) {
    // Sized by the header lines counted in the whole file, so one pass fills
    // it: only a header led by blanks is not among them.
    Lines& headers = model.headerList;
    Lines().swap(headers);
    headers.reserve(static_cast<std::size_t>(model.counts.allDefs) + 1);
    for (const std::string_view entry : model.workingLines) {
        if (const std::string_view header = TrimmedHeader(entry); !header.empty())
            headers.push_back(header);
    }
    headers.emplace_back();

    // Exact duplicates dropped first, so the sort (whose compares reach all
    // over the buffer) only sees distinct names.
    Lines names;
    names.reserve(headers.size());
    for (const std::string_view header : headers) names.push_back(HeaderName(header));
    ViewTable<Present> seen(names.size());
    seen.ForEachPrefetched(names, [&](std::string_view name, std::uint64_t hash) {
        if (!name.empty()) seen.Insert(name, hash);
    });
    return SortedKeywords(std::move(seen));
}

std::optional<KeywordList> ScanKeywords(Host& host, const std::string& path, const CategoryChoice& choice) {
    // Only a line holding "[" can be a header or change the array the lines
    // after it go to, so the rest is skipped at the speed of a byte search.
    // A line's array is the last header line's (the Preferences before the
    // first), as in Load; its keyword is taken as FillAvailableKeywords
    // takes it from the working lines.
    KeywordList list;
    // Sized from the file, about one name per 256 bytes, so the table seldom
    // grows: a growth rehashes every name into slots all over memory.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(platform::FsPath(path), ec);
    ViewTable<Present> seen(ec ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size / 256, 1u << 21)));
    // Names are looked up a few thousand at a time, so their slots are
    // fetched ahead.
    constexpr std::size_t kBatch = 4096;
    Lines names;
    names.reserve(kBatch);
    const auto lookUp = [&] {
        seen.ForEachPrefetched(names, [&](std::string_view name, std::uint64_t hash) {
            if (!seen.Find(name, hash)) seen.Insert(list.storage.emplace_back(name), hash);
        });
        names.clear();
    };
    Slot slot = kPreference;
    const auto scan = [&](std::string_view piece) {
        std::string_view last;  // a repeat of the name before is known already
        ScanBracketLines(piece, [&](std::string_view raw, bool header) {
            const std::string_view clean = TrimLineEnd(raw);
            if (header) slot = HeaderSlot(clean);
            if (!Ticked(choice, slot)) return;
            const std::string_view name = HeaderName(TrimmedHeader(clean));
            if (name.empty() || name == last) return;
            last = name;
            names.push_back(name);
            if (names.size() == kBatch) lookUp();
        });
        lookUp();  // the names look into this piece
    };
    if (const platform::ReadStatus read = platform::ForEachPiece(path, scan); !read.ok) {
        Report(host, path, read.error);
        return std::nullopt;
    }
    list.keywords = SortedKeywords(std::move(seen));
    return list;
}

std::optional<SourceCounts> CountFile(Host& host, const std::string& path, const CountProgress& progress) {
    Counter counter(progress);
    const auto countPiece = [&](std::string_view piece) {
        ScanLines(piece, [&](std::string_view raw, bool header) { counter.Line(raw, header); });
    };
    if (const platform::ReadStatus read = platform::ForEachPiece(path, countPiece); !read.ok) {
        Report(host, path, read.error);
        return std::nullopt;
    }
    return counter.Counts();
}

bool CountSource(SourceModel& model, Host& host, const std::string& path,
                 const CountProgress& progress) {
    const std::optional<SourceCounts> counts = CountFile(host, path, progress);
    if (!counts) return false;
    model.counts = *counts;
    model.counted = true;
    return true;
}

std::optional<SourceModel> LoadSourceFile(Host& host, const std::string& path, SourceKind kind,
                                          const CategoryChoice& choice, const Converter& convert,
                                          const CountProgress& progress) {
    auto read = platform::ReadFileBytes(path);
    if (!read.ok) {
        Report(host, path, read.error);
        return std::nullopt;
    }
    platform::TextLines text;
    if (kind != SourceKind::Ini) {
        const platform::TextLines source = platform::SplitText(std::move(read.bytes));
        auto converted = convert ? convert(source.lines) : ConvertSourceLines(source.lines, kind, host);
        if (!converted) return std::nullopt;
        text = platform::JoinLines(*converted);
    }
    std::optional<SourceModel> loaded(std::in_place);
    const std::size_t size = kind == SourceKind::Ini ? read.bytes.size() : text.bytes->size();
    ProgressMeter meter(host, "Processing " + path, 2 * std::uint64_t{size});
    if (kind == SourceKind::Ini) {
        LoadText(*loaded, std::make_shared<const std::string>(std::move(read.bytes)), progress, &meter);
    } else {
        LoadLines(*loaded, std::move(text), progress, &meter);
    }
    BuildWorkingLines(*loaded, choice);
    return loaded;
}

}  // namespace quillset::model
