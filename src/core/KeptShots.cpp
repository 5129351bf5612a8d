#include "core/KeptShots.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

namespace core {
namespace {

constexpr std::string_view kHeader = "Pixtrove kept shot ";
constexpr std::string_view kManifestExtension = ".shot";
constexpr std::string_view kPictureExtension = ".png";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithNoCase(std::string_view text, std::string_view end)
{
    if (text.size() < end.size()) return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

// Decimal digits without sign or leading zeros ("0" itself is one), within the type.
template <class Number>
std::optional<Number> Decimal(std::string_view digits)
{
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// Reads "key value\n" lines off the front of a text.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}
    bool AtEnd() const { return rest_.empty(); }

    // The value of the next line when it has this key; the line is taken.
    std::optional<std::string_view> Take(std::string_view key)
    {
        const size_t end = rest_.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = rest_.substr(0, end);
        if (line.size() < key.size() + 1 || line.substr(0, key.size()) != key || line[key.size()] != ' ')
            return std::nullopt;
        rest_.remove_prefix(end + 1);
        return line.substr(key.size() + 1);
    }
    bool TakeLine(std::string_view whole)
    {
        if (rest_.size() < whole.size() + 1 || rest_.substr(0, whole.size()) != whole || rest_[whole.size()] != '\n')
            return false;
        rest_.remove_prefix(whole.size() + 1);
        return true;
    }
    // `count` bytes and the newline after them.
    std::optional<std::string_view> TakeBlock(std::uint64_t count)
    {
        if (rest_.size() <= count || rest_[count] != '\n') return std::nullopt;
        const std::string_view block = rest_.substr(0, count);
        rest_.remove_prefix(count + 1);
        return block;
    }
    // A line "word text" of a later version of this one's, which this one skips.
    bool SkipOtherLine()
    {
        const size_t end = rest_.find('\n');
        if (end == std::string_view::npos) return false;
        const std::string_view line = rest_.substr(0, end);
        const size_t blank = line.find(' ');
        if (blank == 0 || blank == std::string_view::npos) return false;
        const std::string_view word = line.substr(0, blank);
        if (word == "end" || word == "marks" ||
            !std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            return false;
        rest_.remove_prefix(end + 1);
        return true;
    }

private:
    std::string_view rest_;
};

bool HasControl(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::optional<std::pair<std::int32_t, std::int32_t>> ParseSize(std::string_view text)
{
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return std::nullopt;
    const auto width = Decimal<std::int32_t>(text.substr(0, blank));
    const auto height = Decimal<std::int32_t>(text.substr(blank + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > kKeptLongestSide || *height > kKeptLongestSide)
        return std::nullopt;
    if (std::uint64_t{static_cast<std::uint32_t>(*width)} * static_cast<std::uint32_t>(*height) > kKeptMostPixels)
        return std::nullopt;
    return std::pair{*width, *height};
}

}  // namespace

std::string ManifestName(std::uint32_t id) { return std::to_string(id) + std::string(kManifestExtension); }

std::string PictureName(std::uint32_t id, std::uint32_t generation)
{
    return std::to_string(id) + "-" + std::to_string(generation) + std::string(kPictureExtension);
}

KeptFile ClassifyKeptFile(std::string_view name)
{
    if (name.size() == 15 && Lower(name[0]) == '~' && Lower(name[1]) == 'p' && Lower(name[2]) == 't' &&
        EndsWithNoCase(name, ".tmp") && std::all_of(name.begin() + 3, name.begin() + 11, [](char c) {
            const char l = Lower(c);
            return (l >= '0' && l <= '9') || (l >= 'a' && l <= 'f');
        }))
        return {KeptFileKind::Temporary};
    if (EndsWithNoCase(name, kManifestExtension)) {
        const auto id = Decimal<std::uint32_t>(name.substr(0, name.size() - kManifestExtension.size()));
        if (id && *id != 0) return {KeptFileKind::Manifest, *id};
        return {};
    }
    if (EndsWithNoCase(name, kPictureExtension)) {
        const std::string_view stem = name.substr(0, name.size() - kPictureExtension.size());
        const size_t dash = stem.find('-');
        if (dash == std::string_view::npos) return {};
        const auto id = Decimal<std::uint32_t>(stem.substr(0, dash));
        const std::string_view generationText = stem.substr(dash + 1);
        const auto generation = Decimal<std::uint32_t>(generationText);
        if (id && *id != 0 && generation) return {KeptFileKind::Picture, *id, *generation};
    }
    return {};
}

std::string FormatManifest(const KeptShot& shot)
{
    std::string name = shot.name;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return HasControl(std::string_view(&c, 1)); }, ' ');
    std::string text = std::string(kHeader) + std::to_string(kKeptShotVersion) + "\n";
    text += "order " + std::to_string(shot.order) + "\n";
    text += "name " + name + "\n";
    text += "size " + std::to_string(shot.width) + " " + std::to_string(shot.height) + "\n";
    text += "picture " + std::to_string(shot.generation) + "\n";
    if (shot.marks) text += "marks " + std::to_string(shot.marks->size()) + "\n" + *shot.marks + "\n";
    return text + "end\n";
}

std::optional<KeptShot> ParseManifest(std::string_view text, std::uint32_t id)
{
    Lines lines(text);
    KeptShot shot;
    shot.id = id;
    if (!lines.TakeLine(std::string(kHeader) + std::to_string(kKeptShotVersion))) return std::nullopt;
    const auto order = lines.Take("order");
    const auto orderValue = order ? Decimal<std::uint64_t>(*order) : std::nullopt;
    if (!orderValue) return std::nullopt;
    shot.order = *orderValue;
    const auto name = lines.Take("name");
    if (!name || HasControl(*name)) return std::nullopt;
    shot.name = std::string(*name);
    const auto sizeText = lines.Take("size");
    const auto size = sizeText ? ParseSize(*sizeText) : std::nullopt;
    if (!size) return std::nullopt;
    std::tie(shot.width, shot.height) = *size;
    const auto picture = lines.Take("picture");
    const auto generation = picture ? Decimal<std::uint32_t>(*picture) : std::nullopt;
    if (!generation) return std::nullopt;
    shot.generation = *generation;
    while (lines.SkipOtherLine()) {
    }
    if (const auto marks = lines.Take("marks")) {
        const auto count = Decimal<std::uint64_t>(*marks);
        if (!count || *count > kKeptMostMarksBytes) return std::nullopt;
        const auto block = lines.TakeBlock(*count);
        if (!block) return std::nullopt;
        shot.marks = std::string(*block);
    }
    if (!lines.TakeLine("end") || !lines.AtEnd()) return std::nullopt;
    return shot;
}

std::optional<std::pair<std::int32_t, std::int32_t>> PngSize(std::string_view start)
{
    constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16};
    if (start.size() < kPngHeaderBytes || start.substr(0, kSignature.size()) != kSignature) return std::nullopt;
    const auto big = [&](size_t at) {
        std::uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(start[at + i]);
        return value;
    };
    const std::uint32_t width = big(16), height = big(20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return std::nullopt;
    return std::pair{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

KeptFolderPlan PlanKeptFolder(const std::vector<std::string>& names,
                              const std::function<std::optional<KeptShot>(std::uint32_t id)>& read)
{
    KeptFolderPlan plan;
    std::set<std::uint32_t> manifests;
    std::map<std::uint32_t, std::vector<std::pair<std::uint32_t, std::string>>> pictures;  // by id
    for (const std::string& name : names) {
        const KeptFile file = ClassifyKeptFile(name);
        switch (file.kind) {
            case KeptFileKind::Temporary: plan.remove.push_back(name); break;
            case KeptFileKind::Manifest: manifests.insert(file.id); break;
            case KeptFileKind::Picture: pictures[file.id].emplace_back(file.generation, name); break;
            case KeptFileKind::Other: break;
        }
    }
    for (const std::uint32_t id : manifests) {
        const std::optional<KeptShot> shot = read(id);
        const auto& own = pictures[id];
        const auto named =
            shot ? std::find_if(own.begin(), own.end(), [&](const auto& p) { return p.first == shot->generation; })
                 : own.end();
        if (named == own.end()) {
            plan.aside.push_back(ManifestName(id));
            for (const auto& p : own)
                plan.aside.push_back(p.second);
        } else {
            plan.restore.push_back(*shot);
            for (const auto& p : own)
                if (p.first != shot->generation) plan.remove.push_back(p.second);
        }
    }
    for (const auto& [id, own] : pictures)
        if (!manifests.contains(id))
            for (const auto& p : own)
                plan.remove.push_back(p.second);
    std::stable_sort(plan.restore.begin(), plan.restore.end(), [](const KeptShot& a, const KeptShot& b) {
        return a.order != b.order ? a.order < b.order : a.id < b.id;
    });
    return plan;
}

std::vector<std::string> KeptFilesOf(const KeptShot& shot)
{
    return {ManifestName(shot.id), PictureName(shot.id, shot.generation)};
}

std::string AsideName(std::string_view name, int attempt)
{
    if (attempt <= 0) return std::string(name);
    const size_t dot = name.find_last_of('.');
    const std::string_view stem = dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
    const std::string_view extension = stem.size() == name.size() ? std::string_view{} : name.substr(dot);
    return std::string(stem) + " (" + std::to_string(attempt + 1) + ")" + std::string(extension);
}

bool IsShotCaption(std::string_view caption)
{
    constexpr std::string_view kPrefix = "Shot:";
    if (!caption.starts_with(kPrefix)) return false;
    return Decimal<std::int32_t>(caption.substr(kPrefix.size())).has_value();
}

RestoredCaptions RenumberCaptions(const std::vector<std::string>& names)
{
    RestoredCaptions restored;
    for (const std::string& name : names)
        restored.captions.push_back(IsShotCaption(name) ? "Shot:" + std::to_string(++restored.shotCount) : name);
    return restored;
}

std::string UnreadableKeptNotice(const std::vector<std::string>& files)
{
    if (files.empty()) return {};
    std::string notice = "読めない保存ショットを Unreadable へ移しました：";
    for (size_t i = 0; i < files.size(); ++i)
        notice += (i ? " " : "") + files[i];
    return notice;
}

}  // namespace core
