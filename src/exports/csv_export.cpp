#include "exports/csv_export.h"

#include <optional>

#include "exports/ini_subset.h"
#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset::exports {

namespace {

constexpr std::array<std::string_view, 6> kTitleRows = {
    " Header-Definition,<used?>,<Location>,<Line  >,LineSymbology,LayerName,Level,ColorValue,Weight,"
    "LineTypeValue,ColorByLayerFlag,LineTypeByLayerFlag,StyleValue,StyleScale,ScaleFlag,FillFlag",
    " Header-Definition,<used?>,<Location>,<Text  >,TextSymbology,LayerName,Level,ColorValue,Weight,Font,"
    "TextHeight,TextWidth,LineSpacing,StyleName,StyleNumber,ColorByLayerFlag,Justification,Angle,"
    "HorizontalOffset,VerticalOffset,ViewIndependentFlag,AbsoluteRelativeFlag,OffsetAfter,LineLength,"
    "PaperUnits,Slant,CharSpacing,MultiLineJustification",
    " Header-Definition,<used?>,<Location>,<Block >,BlockSymbology,LayerName,Level,Name,"
    "AbsoluteRelativeFlag,Angle,XScale,YScale,ZScale",
    " Header-Definition,<used?>,<Location>,<Symbol>,SymbolSymbology,layer,level,color,weight,font,"
    "text height,text width,line type,color by,level flag,absolute/relative flag,angle,character,symbol,"
    "type,justification,paper units,slant,offset after flag",
    " Header-Definition,<Feature Style>, 000SymbologyName, 001Description,002DisplayAsLine,"
    "003DisplayAsPoint,004Annotate, 005DisplayAsLineInProfile, 007AnnotateInProfile, "
    "008DisplayAsPointInXs, 009AnnotateInXs, 010PlanarizeFlag, 011PlanarElevation, 012AttachTag, "
    "013PayItem,014DisplayAsCrossingPointInProfile, 015DisplayAsProjectedPointInProfile",
    " Header-Definition,<Feature Style>, Symbol Name, Descript.,Plan Line,Plan Point,Plan Annot., "
    "Prof. Line, Prof. Annot., XS Point, XS Annot., Planarize, Planar Elev., AttachTag, PayItem, "
    "Prof cross Pt, Prof ProjectPt",
};

// Appended to the header for a symbology number the block lacks. The point
// placeholders are written "<Point>", filled point rows "<Point >".
constexpr std::array<std::string_view, 12> kPlaceholders = {
    ",,<Default>,<Line  >,000DefaultLineSymbology=,",
    ",,<Default>,<Text  >,001DefaultTextSymbology=,",
    ",,<Default>,<Point>,002DefaultPointSymbology=,",
    ",,<Plan   >,<Line  >,003PlanLineSymbology=,",
    ",,<Plan   >,<Text  >,004PlanTextSymbology=,",
    ",,<Plan   >,<Point>,005PlanPointSymbology=,",
    ",,<Profile>,<Line  >,006ProfileLineSymbology=,",
    ",,<Profile>,<Text  >,007ProfileTextSymbology=,",
    ",,<Profile>,<Point>,008ProfilePointSymbology=,",
    ",,<Xsec   >,<Line  >,009Cross SectionLineSymbology=,",
    ",,<Xsec   >,<Text  >,010Cross SectionTextSymbology=,",
    ",,<Xsec   >,<Point>,011Cross SectionPointSymbology=,",
};

constexpr std::array<std::string_view, 4> kLocations = {"<Default>,", "<Plan   >,", "<Profile>,",
                                                        "<Xsec   >,"};

// The text after the first "=", or the whole line without one.
std::string_view ValueOf(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? line : line.substr(eq + 1);
}

// The last of the four kinds the line names wins.
std::string_view KindField(std::string_view line) {
    std::string_view kind;
    if (model::ContainsIgnoringCase(line, "LineSymbology=")) kind = "<Line  >,";
    if (model::ContainsIgnoringCase(line, "TextSymbology=")) kind = "<Text  >,";
    if (model::ContainsIgnoringCase(line, "PointSymbology=")) kind = "<Point >,";
    if (model::ContainsIgnoringCase(line, "SymbolSymbology=")) kind = "<Symbol>,";
    return kind;
}

void AppendJoined(std::string& row, const std::vector<std::string_view>& lines, char separator) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) row += separator;
        row += lines[i];
    }
}

void FeatureRow(std::string_view header, const std::vector<std::string_view>& body,
                std::vector<std::string>& out) {
    FeatureRecord record = DefaultFeatureRecord();
    for (const std::string_view line : body) {
        const std::optional<int> k = model::LineNumber(line);
        if (k && *k >= 0 && *k < static_cast<int>(record.size())) record[static_cast<std::size_t>(*k)] = ValueOf(line);
    }
    std::string row(header);
    row += ",<Feature>,";
    row += FeatureValuesText(record);
    out.push_back(std::move(row));
}

void SymbologyRows(std::string_view header, const std::vector<std::string_view>& body,
                   std::vector<std::string>& out) {
    std::array<std::string_view, 12> filled{};
    std::array<bool, 12> present{};
    for (const std::string_view line : body) {
        if (line.empty() || line.front() < '0' || line.front() > '9') continue;
        const std::optional<int> k = model::LineNumber(line);
        if (!k || *k < 0 || *k >= 12) continue;
        filled[static_cast<std::size_t>(*k)] = line;
        present[static_cast<std::size_t>(*k)] = true;
    }
    for (std::size_t k = 0; k < 12; ++k) {
        std::string row(header);
        if (!present[k]) {
            row += kPlaceholders[k];
        } else {
            const std::string_view line = filled[k];
            const std::size_t eq = line.find('=');
            row += ",x,";
            row += kLocations[k / 3];
            row += KindField(line);
            if (eq != std::string_view::npos) row += line.substr(0, eq + 1);
            row += ',';
            row += ValueOf(line);
        }
        out.push_back(std::move(row));
    }
}

void BlockRows(std::string_view header, const std::vector<std::string_view>& body,
               std::vector<std::string>& out) {
    if (body.empty()) return;
    switch (model::CategoryOf(header)) {
        case model::Category::Feature: FeatureRow(header, body, out); break;
        case model::Category::Symbol: SymbologyRows(header, body, out); break;
        case model::Category::Preference: {
            std::string row(header);
            row += "\t<Preference>\t<" + std::string(model::HeaderName(header)) + ">\t";
            AppendJoined(row, body, '\t');
            out.push_back(std::move(row));
            break;
        }
        case model::Category::Wysiwyg: {
            std::string row(header);
            row += ",<Wysiwyg>,<" + std::string(model::HeaderName(header)) + ">,";
            AppendJoined(row, body, ',');
            out.push_back(std::move(row));
            break;
        }
        case model::Category::Filter: break;
    }
}

}  // namespace

FeatureRecord DefaultFeatureRecord() {
    return {"", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0.00", "0", "", "0", "0", ""};
}

std::string FeatureValuesText(const FeatureRecord& record) {
    std::string text;
    for (std::size_t i = 0; i < 16; ++i) {
        if (i == 6) continue;
        if (i > 0) text += ',';
        text += record[i];
    }
    return text;
}

namespace {

template <class ForEachLine>
std::vector<std::string> CsvRows(const ForEachLine& forEachLine) {
    std::vector<std::string> out(kTitleRows.begin(), kTitleRows.end());
    std::string_view header;
    bool inBlock = false;
    std::vector<std::string_view> body;
    forEachLine([&](std::string_view slot) {
        if (slot.empty()) return;
        if (model::IsHeaderLine(slot)) {
            if (inBlock) BlockRows(header, body, out);
            header = slot;
            inBlock = true;
            body.clear();
        } else if (inBlock) {
            body.push_back(slot);
        }
    });
    if (inBlock) BlockRows(header, body, out);
    return out;
}

}  // namespace

std::vector<std::string> CsvExportLines(const std::vector<std::string>& slots) {
    return CsvRows([&](const auto& visit) {
        for (const std::string& slot : slots) visit(slot);
    });
}

std::vector<std::string> CsvExportLines(const model::OutputLines& output, ProgressMeter* meter) {
    return CsvRows([&](const auto& visit) { model::ForEachLine(output, meter, visit); });
}

}  // namespace quillset::exports
