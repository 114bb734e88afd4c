#include "batch/report_format.h"

#include "compare/survey_report.h"

namespace quillset::batch {

namespace {

// The value of a setting line: what follows its first "=".
std::string ValueOf(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
}

}  // namespace

std::string TableCell(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    out += "\\x";
                    out += kHex[b >> 4];
                    out += kHex[b & 15];
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string DifferenceCells(const compare::KeyDifference& d) {
    using Kind = compare::KeyDifference::Kind;
    switch (d.kind) {
        case Kind::Order: return {};
        case Kind::ControlOnly: return "\t" + TableCell(d.key) + "\t" + TableCell(d.control);
        case Kind::TestOnly: return "\t" + TableCell(d.key) + "\t" + TableCell(d.test);
        default: return "\t" + TableCell(d.key) + "\t" + TableCell(d.control) + "\t" + TableCell(d.test);
    }
}

nlohmann::ordered_json DifferenceJson(const compare::KeyDifference& d) {
    using Kind = compare::KeyDifference::Kind;
    using compare::Latin1ToUtf8;
    nlohmann::ordered_json j = {{"kind", std::string(compare::KindWord(d.kind))}};
    if (d.kind == Kind::Order) return j;
    j["key"] = Latin1ToUtf8(d.key);
    switch (d.kind) {
        case Kind::Changed:
            j["control"] = Latin1ToUtf8(d.control);
            j["test"] = Latin1ToUtf8(d.test);
            break;
        case Kind::ControlOnly:
            j["control"] = Latin1ToUtf8(ValueOf(d.control));
            j["controlLine"] = Latin1ToUtf8(d.control);
            break;
        case Kind::TestOnly:
            j["test"] = Latin1ToUtf8(ValueOf(d.test));
            j["testLine"] = Latin1ToUtf8(d.test);
            break;
        case Kind::Blanks:
            j["control"] = Latin1ToUtf8(ValueOf(d.control));
            j["test"] = Latin1ToUtf8(ValueOf(d.test));
            j["controlLine"] = Latin1ToUtf8(d.control);
            j["testLine"] = Latin1ToUtf8(d.test);
            break;
        case Kind::Order: break;
    }
    return j;
}

std::string SelectionWords(const SelectionOptions& s) {
    if (s.all) return "all keywords";
    if (s.grepGiven) return "keywords containing \"" + s.grep + "\"";
    std::string words = "keywords";
    for (std::size_t i = 0; i < s.keywords.size(); ++i) words += (i ? ", " : " ") + s.keywords[i];
    return words;
}

}  // namespace quillset::batch
