#include "compare/survey_report.h"

#include <string_view>

#include "compare/line_fields.h"

namespace quillset::compare {

namespace {

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

// Text for an element or an attribute value.
std::string Escaped(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default:
                // Control characters would not show; their code does.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                    out += "&#x2420;";
                else
                    out += c;
        }
    }
    return out;
}

std::string Text(std::string_view bytes) { return Escaped(Latin1ToUtf8(bytes)); }

std::string_view StatusClass(Status status) {
    switch (status) {
        case Status::Identical: return "identical";
        case Status::Different: return "different";
        case Status::TestOnly: return "testonly";
        case Status::ControlOnly: return "controlonly";
    }
    return {};
}

std::string BaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// `text` with the byte ranges `marks` (offsets into `whole`, of which `text`
// starts at `offset`) in <mark>.
std::string Marked(std::string_view whole, std::size_t offset, const std::vector<FieldSpan>& marks) {
    std::string out;
    std::size_t at = offset;
    for (const FieldSpan& span : marks) {
        if (span.end <= at) continue;
        const std::size_t begin = std::max(span.begin, at);
        out += Text(whole.substr(at, begin - at));
        out += "<mark>" + Text(whole.substr(begin, span.end - begin)) + "</mark>";
        at = span.end;
    }
    out += Text(whole.substr(at));
    return out;
}

// A line whose blanks matter, each shown as a middle dot.
std::string Visible(std::string_view line) {
    std::string out;
    for (const char c : line) out += c == ' ' ? std::string("\xC2\xB7") : Text(std::string_view(&c, 1));
    return out;
}

std::string DifferenceRows(const std::vector<KeyDifference>& differences) {
    std::string out;
    for (const KeyDifference& d : differences) {
        switch (d.kind) {
            case KeyDifference::Kind::Changed: {
                const std::string control = d.key + "=" + d.control, test = d.key + "=" + d.test;
                const FieldMarks marks = DifferingFields(control, test);
                out += "<tr class=\"changed\"><td>changed</td><td>" + Text(d.key) + "</td><td>" +
                       Marked(control, d.key.size() + 1, marks.control) + "</td><td>" +
                       Marked(test, d.key.size() + 1, marks.test) + "</td></tr>\n";
                break;
            }
            case KeyDifference::Kind::ControlOnly:
                out += "<tr class=\"missing\"><td>missing</td><td>" + Text(d.key) + "</td><td>" + Text(d.control) +
                       "</td><td></td></tr>\n";
                break;
            case KeyDifference::Kind::TestOnly:
                out += "<tr class=\"added\"><td>added</td><td>" + Text(d.key) + "</td><td></td><td>" + Text(d.test) +
                       "</td></tr>\n";
                break;
            case KeyDifference::Kind::Blanks:
                out += "<tr class=\"blanks\"><td>blanks only</td><td>" + Text(d.key) + "</td><td>" +
                       Visible(d.control) + "</td><td>" + Visible(d.test) + "</td></tr>\n";
                break;
            case KeyDifference::Kind::Order:
                out += "<tr class=\"order\"><td colspan=\"4\">The same settings, in another order.</td></tr>\n";
                break;
        }
    }
    return out;
}

constexpr std::string_view kStyle = R"(
body{font:14px/1.4 system-ui,sans-serif;margin:1em 2em;color:#222}
h1{font-size:1.3em}h2{font-size:1.1em;margin-top:2em}h3{font-size:1em;margin:1.5em 0 .3em}
.meta{color:#555}
#filters{margin:.8em 0;display:flex;gap:1.2em;flex-wrap:wrap;align-items:center}
#filters label{white-space:nowrap}
table{border-collapse:collapse}
#matrix th,#matrix td{border:1px solid #ccc;padding:2px 6px;white-space:nowrap}
#matrix thead th{background:#f3f3f3;cursor:pointer;position:sticky;top:0}
#matrix thead tr.counts th{cursor:default;font-weight:normal;font-size:.85em;top:1.6em}
#matrix td.block{font-family:monospace}
.identical{background:#e3f2e1}.different{background:#fde2b8}.testonly{background:#d7e6fb}.controlonly{background:#f8d3d1}
.none{background:#fafafa}
.swatch{display:inline-block;width:.9em;height:.9em;border:1px solid #999;vertical-align:middle}
table.diff{table-layout:fixed;width:100%}
table.diff td,table.diff th{border:1px solid #ddd;padding:2px 6px;font-family:monospace;text-align:left;vertical-align:top;overflow-wrap:anywhere}
table.diff th:nth-child(1){width:7em}table.diff th:nth-child(2){width:18em}
table.diff tr.missing td:nth-child(3){background:#f8d3d1}table.diff tr.added td:nth-child(4){background:#d7e6fb}
mark{background:#ffd54a}
.hidden{display:none}
)";

constexpr std::string_view kScript = R"(
(function(){
var table=document.getElementById('matrix'),body=table.tBodies[0];
var rows=Array.prototype.slice.call(body.rows);
function shown(){var s={};document.querySelectorAll('#filters input[data-status]').forEach(function(b){s[b.dataset.status]=b.checked;});return s;}
function apply(){
  var s=shown(),v=document.getElementById('variant').value,find=document.getElementById('find').value.toLowerCase();
  table.querySelectorAll('[data-v]').forEach(function(c){c.classList.toggle('hidden',v!==''&&c.dataset.v!==v);});
  rows.forEach(function(r){
    var any=false;
    r.querySelectorAll('td[data-v]').forEach(function(c){if((v===''||c.dataset.v===v)&&s[c.dataset.status])any=true;});
    var name=r.cells[0].textContent.toLowerCase();
    r.classList.toggle('hidden',!any||(find!==''&&name.indexOf(find)<0));
  });
}
var order={};
table.tHead.rows[0].querySelectorAll('th').forEach(function(th,i){
  th.addEventListener('click',function(){
    var up=order[i]=!order[i];
    rows.sort(function(a,b){
      var x=a.cells[i].dataset.key||a.cells[i].textContent,y=b.cells[i].dataset.key||b.cells[i].textContent;
      var nx=parseFloat(x),ny=parseFloat(y);
      var c=(!isNaN(nx)&&!isNaN(ny))?nx-ny:x.localeCompare(y);
      return up?c:-c;
    });
    rows.forEach(function(r){body.appendChild(r);});
  });
});
document.querySelectorAll('#filters input,#filters select').forEach(function(e){e.addEventListener('input',apply);e.addEventListener('change',apply);});
apply();
})();
)";

// The order a status sorts in within a variant's column: the most
// interesting first.
int StatusRank(Status status) {
    switch (status) {
        case Status::Different: return 1;
        case Status::ControlOnly: return 2;
        case Status::TestOnly: return 3;
        case Status::Identical: return 4;
    }
    return 5;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string NameToUtf8(std::string_view name) { return IsUtf8(name) ? std::string(name) : Latin1ToUtf8(name); }

std::string SurveyHtml(const Survey& survey, const SurveyHeading& heading) {
    const std::string standard = Escaped(NameToUtf8(heading.standard));
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Quillset survey: " +
                      standard + "</title>\n<style>" + std::string(kStyle) + "</style></head>\n<body>\n";
    out += "<h1>" + std::to_string(survey.variants.size()) + " variant" + (survey.variants.size() == 1 ? "" : "s") +
           " against " + standard + "</h1>\n";
    out += "<p class=\"meta\">Categories: " + Escaped(heading.categories) + ". Selection: " +
           Escaped(heading.selection) + ".</p>\n";
    for (const SurveyVariant& v : survey.variants)
        if (!v.surveyed) out += "<p class=\"meta\">Not surveyed (unreadable): " + Escaped(NameToUtf8(v.path)) + "</p>\n";

    out += "<div id=\"filters\"><span>Show:</span>\n";
    for (const Status s : {Status::Different, Status::ControlOnly, Status::TestOnly, Status::Identical}) {
        out += "<label><input type=\"checkbox\" checked data-status=\"" + std::string(StatusClass(s)) +
               "\"> <span class=\"swatch " + std::string(StatusClass(s)) + "\"></span> " +
               Escaped(StatusText(s)) + "</label>\n";
    }
    out += "<label>Variant: <select id=\"variant\"><option value=\"\">all</option>";
    for (std::size_t v = 0; v < survey.variants.size(); ++v)
        out += "<option value=\"" + std::to_string(v) + "\">" + Escaped(NameToUtf8(BaseName(survey.variants[v].path))) +
               "</option>";
    out += "</select></label>\n<label>Block: <input id=\"find\" type=\"search\" placeholder=\"part of a header\"></label></div>\n";

    out += "<table id=\"matrix\"><thead><tr><th>Block</th><th>Line</th>";
    for (std::size_t v = 0; v < survey.variants.size(); ++v)
        out += "<th data-v=\"" + std::to_string(v) + "\" title=\"" + Escaped(NameToUtf8(survey.variants[v].path)) +
               "\">" + Escaped(NameToUtf8(BaseName(survey.variants[v].path))) + "</th>";
    out += "</tr>\n<tr class=\"counts\"><th colspan=\"2\">different / control only / test only / identical</th>";
    for (std::size_t v = 0; v < survey.variants.size(); ++v) {
        const CompareCounts& c = survey.variants[v].counts;
        out += "<th data-v=\"" + std::to_string(v) + "\">" +
               (survey.variants[v].surveyed ? std::to_string(c.different) + " / " + std::to_string(c.controlOnly) +
                                                  " / " + std::to_string(c.testOnly) + " / " +
                                                  std::to_string(c.identical)
                                            : std::string("unreadable")) +
               "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    std::string details;
    for (std::size_t r = 0; r < survey.rows.size(); ++r) {
        const SurveyRow& row = survey.rows[r];
        out += "<tr><td class=\"block\">" + Text(row.header) + "</td><td data-key=\"" +
               std::to_string(row.inStandard ? row.standardLine : 0) + "\">" +
               (row.standardLine ? std::to_string(row.standardLine) : std::string()) + "</td>";
        for (std::size_t v = 0; v < row.cells.size(); ++v) {
            const std::string vid = std::to_string(v);
            const std::optional<SurveyCell>& cell = row.cells[v];
            if (!cell) {
                out += "<td class=\"none\" data-v=\"" + vid + "\" data-status=\"none\" data-key=\"9\"></td>";
                continue;
            }
            const std::string cls(StatusClass(cell->status));
            std::string label = Escaped(StatusText(cell->status));
            if (cell->more) label += " (+" + std::to_string(cell->more) + ")";
            const std::string anchor = "d" + std::to_string(r) + "-" + vid;
            if (cell->status == Status::Different) label = "<a href=\"#" + anchor + "\">" + label + "</a>";
            out += "<td class=\"" + cls + "\" data-v=\"" + vid + "\" data-status=\"" + cls + "\" data-key=\"" +
                   std::to_string(StatusRank(cell->status)) + "\"" +
                   (cell->testLine ? " title=\"line " + std::to_string(cell->testLine) + "\"" : std::string()) + ">" +
                   label + "</td>";
            if (cell->status == Status::Different) {
                details += "<section id=\"" + anchor + "\"><h3>" + Text(row.header) + " in " +
                           Escaped(NameToUtf8(survey.variants[v].path)) + " (line " + std::to_string(cell->testLine) +
                           ")</h3>\n<table class=\"diff\"><tr><th></th><th>Setting</th><th>Standard</th><th>Variant</th></tr>\n" +
                           DifferenceRows(cell->differences);
                details += "</table></section>\n";
            }
        }
        out += "</tr>\n";
    }
    out += "</tbody></table>\n";
    if (!details.empty()) out += "<h2>Differences</h2>\n" + details;
    out += "<script>" + std::string(kScript) + "</script>\n</body></html>\n";
    return out;
}

}  // namespace quillset::compare
