#include "compare/containment.h"

#include "selection/pattern_set.h"

namespace quillset::compare {

bool HeaderContains(std::string_view container, std::string_view part) {
    return !container.empty() && !part.empty() && container.find(part) != std::string_view::npos;
}

Containment FindContainers(std::span<const std::string_view> containers,
                           std::span<const std::string_view> parts) {
    Containment result;
    result.holdsAPart.assign(containers.size(), false);
    if (parts.empty() || containers.empty()) {
        result.firstContainer.assign(parts.size(), kNone);
        return result;
    }
    result.firstContainer = selection::PatternSet(parts).FirstHolders(containers, result.holdsAPart);
    return result;
}

Containment FindContainersPlain(std::span<const std::string_view> containers,
                                std::span<const std::string_view> parts) {
    Containment result;
    result.firstContainer.assign(parts.size(), kNone);
    result.holdsAPart.assign(containers.size(), false);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (std::size_t c = 0; c < containers.size(); ++c) {
            if (HeaderContains(containers[c], parts[p])) {
                result.firstContainer[p] = c;
                break;
            }
        }
    }
    for (std::size_t c = 0; c < containers.size(); ++c) {
        for (std::size_t p = 0; p < parts.size() && !result.holdsAPart[c]; ++p)
            result.holdsAPart[c] = HeaderContains(containers[c], parts[p]);
    }
    return result;
}

}  // namespace quillset::compare
