#include "core/Settings.h"

namespace core {

void Settings::SetCaptureMode(CaptureMode mode)
{
    values_.mode = mode;
    writable_.Allow(Setting::CapMode);
}

void Settings::SetCaptureDelay(std::int32_t seconds)
{
    values_.delay = CaptureDelayOrDefault(seconds);
    writable_.Allow(Setting::CapTime);
}

void Settings::SetFlatToolBar(bool flat)
{
    values_.flatToolBar = flat;
    writable_.Allow(Setting::ToolBarFlat);
}

void Settings::SetHotKeys(bool on)
{
    values_.hotKeys = on;
    writable_.Allow(Setting::HotKeys);
}

void Settings::SetKey(KeyAction action, ChosenKey key)
{
    values_.keys[Index(action)] = key;
    writable_.Allow(KeySetting(action));
}

void Settings::SetRegionCopy(bool copy)
{
    values_.regionCopy = copy;
    writable_.Allow(Setting::RegionCopy);
}

void Settings::SetCaptureCursor(bool drawn)
{
    values_.captureCursor = drawn;
    writable_.Allow(Setting::CaptureCursor);
}

void Settings::SetKeepShots(bool on)
{
    values_.keepShots = on;
    writable_.Allow(Setting::KeepShots);
}

}  // namespace core
