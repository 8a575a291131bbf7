#include "ui/input_check.h"

#include "engine/utf8.h"

namespace norlune::ui {
namespace {

bool isSpace(char32_t ch) {
    return ch == U' ' || ch == U'\t' || ch == U'\u3000' || ch == U'\u00A0' || ch == U'\r' ||
           ch == U'\n';
}

std::string designatedProblem(const StrokeDictionary& strokes, std::string_view typed,
                              std::string_view side) {
    if (typed.empty()) {
        return {};
    }
    const std::string text = trimmedText(typed);
    const std::string what = "指定名字的" + std::string(side);
    if (text.empty()) {
        return what + "只有空白：请填一个汉字，或者清空";
    }
    if (codePointCount(text) != 1 || !isHanText(text)) {
        return what + "只能是一个汉字，不能是字母、数字、符号或控制字符";
    }
    if (const std::u32string unknown = strokes.uncounted(utf8ToU32(text)); !unknown.empty()) {
        return uncountedMessage(unknown);
    }
    return {};
}

}  // namespace

std::string trimmedText(std::string_view text) {
    if (!isValidUtf8(text)) {
        return std::string(text);
    }
    const std::u32string chars = utf8ToU32(text);
    std::size_t first = 0;
    std::size_t last = chars.size();
    while (first < last && isSpace(chars[first])) {
        ++first;
    }
    while (last > first && isSpace(chars[last - 1])) {
        --last;
    }
    return u32ToUtf8(std::u32string_view(chars).substr(first, last - first));
}

std::string settingsProblem(const StrokeDictionary& strokes, std::string_view surname,
                            std::string_view left, std::string_view right) {
    const std::string name = trimmedText(surname);
    if (name.empty()) {
        return "请填写姓氏";
    }
    if (!isValidUtf8(name) || codePointCount(name) > 2) {
        return "姓氏须为一到两个字";
    }
    if (!isHanText(name)) {
        return "姓氏只能由汉字组成，不能含字母、数字、空白、符号或控制字符";
    }
    if (const std::u32string unknown = strokes.uncounted(utf8ToU32(name)); !unknown.empty()) {
        return uncountedMessage(unknown);
    }
    if (std::string problem = designatedProblem(strokes, left, "左字"); !problem.empty()) {
        return problem;
    }
    return designatedProblem(strokes, right, "右字");
}

}  // namespace norlune::ui
