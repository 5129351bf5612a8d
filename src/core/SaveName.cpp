#include "core/SaveName.h"

#include <algorithm>
#include <array>

namespace core {
namespace {

constexpr std::array<SaveFormat, 3> kFormats{{
    {ImageFormat::Png, "PNG (*.png)", "*.png", "png"},
    {ImageFormat::Jpeg, "JPEG (*.jpg;*.jpeg)", "*.jpg;*.jpeg", "jpg"},
    {ImageFormat::Bmp, "BMP (*.bmp)", "*.bmp", "bmp"},
}};

constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
constexpr std::string_view kSeparators = "\\/";

bool SameLetters(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// Whether one of the ";"-separated "*.ext" patterns names the extension.
bool PatternsName(std::string_view patterns, std::string_view extension)
{
    while (!patterns.empty()) {
        const size_t end = std::min(patterns.find(';'), patterns.size());
        if (SameLetters(patterns.substr(0, end), "*." + std::string(extension))) return true;
        patterns.remove_prefix(std::min(end + 1, patterns.size()));
    }
    return false;
}

// The extension of the path's last part, without its dot; npos when it has none.
size_t ExtensionStart(std::string_view path)
{
    const size_t dot = path.find_last_of('.');
    const size_t separator = path.find_last_of(kSeparators);
    if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator))
        return std::string_view::npos;
    return dot + 1;
}

}  // namespace

std::span<const SaveFormat> SaveFormats() { return kFormats; }

std::string DefaultSaveName(std::string_view caption)
{
    std::string name;
    for (const char c : caption)
        if (static_cast<unsigned char>(c) >= 0x20 && kNotInFileNames.find(c) == std::string_view::npos)
            name.push_back(c);
    return (name.empty() ? std::string("Shot") : name) + ".png";
}

std::string DefaultSaveNameForFile(std::string_view fileName)
{
    const size_t separator = fileName.find_last_of(kSeparators);
    if (separator != std::string_view::npos) fileName.remove_prefix(separator + 1);
    const size_t start = ExtensionStart(fileName);
    if (start != std::string_view::npos)
        for (const SaveFormat& f : kFormats)
            if (PatternsName(f.patterns, fileName.substr(start))) return std::string(fileName);
    const std::string_view stem = start == std::string_view::npos ? fileName : fileName.substr(0, start - 1);
    return (stem.empty() ? std::string("Shot") : std::string(stem)) + ".png";
}

SavePlan PlanSave(std::string_view chosenPath, std::size_t formatIndex)
{
    const SaveFormat& chosen = kFormats[formatIndex < kFormats.size() ? formatIndex : 0];
    std::string path(chosenPath);
    while (!path.empty() && (path.back() == '.' || path.back() == ' '))
        path.pop_back();
    const size_t start = ExtensionStart(path);
    if (start == std::string::npos) return {path + "." + std::string(chosen.extension), chosen.format};
    const std::string_view extension = std::string_view(path).substr(start);
    for (const SaveFormat& f : kFormats)
        if (PatternsName(f.patterns, extension)) return {path, f.format};
    return {path + "." + std::string(chosen.extension), chosen.format};
}

std::string TypedSavePath(std::string_view dialogPath, std::string_view typedName)
{
    std::string_view typed = typedName;
    while (!typed.empty() && (typed.back() == '"' || typed.back() == '.' || typed.back() == ' '))
        typed.remove_suffix(1);
    const size_t typedSeparator = typed.find_last_of(kSeparators);
    if (typedSeparator != std::string_view::npos) typed.remove_prefix(typedSeparator + 1);
    while (!typed.empty() && typed.front() == '"')
        typed.remove_prefix(1);
    const size_t separator = dialogPath.find_last_of(kSeparators);
    const size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const std::string_view dialogName = dialogPath.substr(nameStart);
    if (typed.empty() || dialogName.size() <= typed.size() || !SameLetters(dialogName.substr(0, typed.size()), typed))
        return std::string(dialogPath);
    return std::string(dialogPath.substr(0, nameStart)) + std::string(typed);
}

std::string TemporarySibling(std::string_view target, std::uint32_t salt)
{
    const size_t separator = target.find_last_of(kSeparators);
    const std::string_view folder = separator == std::string_view::npos ? "" : target.substr(0, separator + 1);
    std::string name(folder);
    name += "~pt";
    for (int shift = 28; shift >= 0; shift -= 4)
        name.push_back("0123456789abcdef"[(salt >> shift) & 0xF]);
    return name + ".tmp";
}

Rect SaveSourceRect(bool selected, Point selStart, Point selEnd, std::int32_t width, std::int32_t height)
{
    const Rect whole{0, 0, width, height};
    const Rect shown = selected ? Intersect(NormalisedRect(selStart, selEnd), whole) : Rect{};
    if (!shown.Empty()) return shown;
    return whole.Empty() ? Rect{} : whole;
}

}  // namespace core
