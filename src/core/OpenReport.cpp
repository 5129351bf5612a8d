#include "core/OpenReport.h"

namespace core {

std::string OpenReportText(std::span<const OpenFailure> failures)
{
    if (failures.empty()) return {};
    if (failures.size() == 1) return "「" + failures[0].file + "」を開けません。\n" + failures[0].reason;
    std::string text = "次のファイルを開けません。";
    for (const OpenFailure& f : failures)
        text += "\n「" + f.file + "」: " + f.reason;
    return text;
}

std::string PasteReportText(std::string_view reason)
{
    return "クリップボードの画像を読めません。\n" + std::string(reason);
}

}  // namespace core
