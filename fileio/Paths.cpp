#include "fileio/Paths.h"

namespace qntcalc {
namespace {

std::string_view Separators(PathStyle style) {
    return style == PathStyle::Windows ? "\\:" : "/";
}

// 1-based position of the last separator, 0 when there is none.
size_t LastSeparator(std::string_view path, PathStyle style) {
    const size_t index = path.find_last_of(Separators(style));
    return index == std::string_view::npos ? 0 : index + 1;
}

} // namespace

std::string DirOfPath(std::string_view path, PathStyle style) {
    const size_t s = LastSeparator(path, style);
    return s <= 1 ? std::string() : std::string(path.substr(0, s - 1));
}

std::string CutExtension(std::string_view path) {
    return std::string(path.substr(0, path.rfind('.')));
}

std::string BaseNameOfPath(std::string_view path, PathStyle style) {
    const std::string cut = CutExtension(path);
    const size_t s = LastSeparator(path, style);
    return cut.size() <= s ? std::string() : cut.substr(s);
}

std::string JoinPath(std::string_view dir, std::string_view name, PathStyle style) {
    std::string path(dir);
    path += style == PathStyle::Windows ? '\\' : '/';
    path.append(name);
    return path;
}

} // namespace qntcalc
