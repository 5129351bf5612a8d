#include "core/KeyActions.h"

namespace core {

std::string_view ActionName(KeyAction action)
{
    switch (action) {
        case KeyAction::Region: return "範囲を指定";
        case KeyAction::Target: return "選んだ対象";
        case KeyAction::Window: return "アクティブウィンドウ";
        case KeyAction::Delayed: return "キャプチャー開始";
        case KeyAction::Scroll: return "スクロールして取り込む";
    }
    return {};
}

std::optional<SharedKey> FindSharedKey(const KeyChoices& keys)
{
    for (std::size_t first = 0; first < keys.size(); ++first) {
        if (keys[first].None()) continue;
        for (std::size_t second = first + 1; second < keys.size(); ++second)
            if (keys[second] == keys[first]) return SharedKey{kKeyActions[first], kKeyActions[second]};
    }
    return std::nullopt;
}

std::string SharedKeyMessage(const KeyChoices& keys, SharedKey shared)
{
    std::string message = KeyName(keys[Index(shared.first)]);
    message += " が「";
    message += ActionName(shared.first);
    message += "」と「";
    message += ActionName(shared.second);
    message += "」の両方に選ばれています。一つのキーは一つの操作にしか使えません。どちらかに別のキーを選んでください";
    return message;
}

}  // namespace core
