#pragma once
// A generated preference file for the benchmarks: realistic blocks in a
// realistic mix, every keyword in a few blocks.

#include <cstdio>
#include <string>
#include <vector>

namespace quillset::bench {

using Lines = std::vector<std::string>;

inline const char* const kWords[] = {"Curb",   "Gutter", "Fence",  "Hedge",   "Ditch",  "Manhole",
                              "Kerb",   "Verge",  "Lamp",   "Sign",    "Bank",   "Toe",
                              "Crest",  "Drain",  "Culvert", "Wall",   "Tree",   "Bollard",
                              "Footway", "Ramp",  "Island", "Barrier", "Pipe",   "Valve"};
inline constexpr std::size_t kWordCount = sizeof(kWords) / sizeof(kWords[0]);

inline std::string NameFor(std::size_t i) {
    return std::string(kWords[i % kWordCount]) + " " + std::to_string(i / kWordCount);
}

inline void AddFeatureStyle(Lines& out, const std::string& name) {
    out.push_back("[ Feature Style - " + name + " ]");
    out.push_back("000SymbologyName=" + name);
    out.push_back("001Description=" + name + " (survey)");
    for (const char* key : {"002DisplayAsLine=1", "003DisplayAsPoint=0", "004Annotate=0",
                            "005DisplayAsLineInProfile=1", "007AnnotateInProfile=0",
                            "008DisplayAsPointInXs=1", "009AnnotateInXs=0", "010PlanarizeFlag=0",
                            "011PlanarElevation=0.000", "012AttachTag=0", "013PayItem=",
                            "014DisplayAsCrossingPointInProfile=0",
                            "015DisplayAsProjectedPointInProfile=0"})
        out.emplace_back(key);
    out.emplace_back();
}

inline void AddNamedSymbology(Lines& out, const std::string& name) {
    out.push_back("[ Named Symbology - " + name + " ]");
    for (const char* view : {"Default", "Plan", "Profile", "Xsec"}) {
        out.push_back(std::string("000") + view + "LineSymbology=" + name + ",12,3,0,1,");
        out.push_back(std::string("001") + view + "TextSymbology=" + name +
                      "_T,12,3,0,1,2.5,2.5,1.2,Standard,");
        out.push_back(std::string("002") + view + "PointSymbology=" + name + "_P,12,3,0,1,PT01,");
    }
    out.emplace_back();
}

inline void AddFilter(Lines& out, const std::string& name) {
    out.push_back("[ Feature Filter - " + name + " ]");
    out.push_back("000Include=" + name + "*");
    out.push_back("001Exclude=");
    out.push_back("002Levels=1-63");
    out.emplace_back();
}

inline void AddPreference(Lines& out, const std::string& name, int settings) {
    out.push_back("[ Preferences - " + name + " ]");
    for (int s = 0; s < settings; ++s) {
        char key[16];
        std::snprintf(key, sizeof key, "%03d", s);
        out.push_back(std::string(key) + "Setting=" + std::to_string(s * 7 % 13) + "  ,,");
    }
    out.emplace_back();
}

// A realistic mix: a few lines before the first header, then groups of a
// feature style and its named symbology, now and then a filter, a preference
// block or a WYSIWYG block, until about `target` lines or, when given,
// `targetBytes` bytes written with CRLF.
inline Lines GeneratePreferenceFile(std::size_t target, std::size_t targetBytes = 0) {
    Lines out = {"; office standard", "; generated", ""};
    if (targetBytes == 0) out.reserve(target + 64);
    std::size_t bytes = 0, counted = 0;
    const auto done = [&] {
        if (targetBytes == 0) return out.size() >= target;
        for (; counted < out.size(); ++counted) bytes += out[counted].size() + 2;
        return bytes >= targetBytes;
    };
    for (std::size_t i = 0; !done(); ++i) {
        const std::string name = NameFor(i);
        AddFeatureStyle(out, name);
        AddNamedSymbology(out, name);
        if (i % 5 == 0) AddFilter(out, name);
        if (i % 11 == 0) AddPreference(out, name, 24);
        if (i % 97 == 0) {
            out.push_back("[ WYSIWYG - Plot Scale " + std::to_string(i) + " ]");
            out.push_back("PlotScale=500");
            out.push_back("TextScale=1.0");
            out.emplace_back();
        }
    }
    return out;
}

// The lines as a file holding them: CRLF after each.
inline std::string Joined(const Lines& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes.append(line).append("\r\n");
    return bytes;
}

}  // namespace quillset::bench
