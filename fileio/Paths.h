#pragma once

#include <string>
#include <string_view>

// The path rules of the file commands. They work on the text alone and never
// ask the file system. Positions are byte positions: separators and the dot
// are ASCII, so on UTF-8 text they give the same cuts as character positions.
namespace qntcalc {

enum class PathStyle {
    Posix,   // separator '/'
    Windows, // separators '\\' and ':', as on the reference platform
};

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Everything before the last separator; empty when there is none or it is
// the first character. D:\plans\alpha.ini gives D:\plans, D:\alpha.ini gives D:.
std::string DirOfPath(std::string_view path, PathStyle style = kNativePathStyle);

// Everything before the last dot, which may lie in a directory name:
// D:\ver2.5\alpha gives D:\ver2. Without a dot the path is unchanged.
std::string CutExtension(std::string_view path);

// The file name without extension; empty when the last dot comes before the
// last separator (D:\ver2.5\alpha).
std::string BaseNameOfPath(std::string_view path, PathStyle style = kNativePathStyle);

// dir, the style's separator ('\\' for Windows) and name.
std::string JoinPath(std::string_view dir, std::string_view name,
                     PathStyle style = kNativePathStyle);

} // namespace qntcalc
