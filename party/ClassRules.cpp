#include "party/ClassRules.h"

#include "party/GameVocabulary.h"

namespace velmor {

bool IsPromoted(std::uint8_t classIndex) {
    return classIndex < kClassCount && classIndex % 2 == 1;
}

std::string ClassName(std::uint8_t classIndex) {
    if (classIndex < kClassCount) {
        return std::string(kClassNames[classIndex]);
    }
    return "<unknown class " + std::to_string(classIndex) + ">";
}

}  // namespace velmor
