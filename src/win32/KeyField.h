#pragma once
// The system's hot-key control as the field of one chosen key.
#include <windows.h>

#include "core/ChosenKey.h"

namespace win {

// Whether a control is a hot-key control.
bool IsKeyField(HWND control);

// Lets a hot-key control just made take any key, one without modifiers too, and Print Screen,
// of which Windows gives a window only the release; its text names the key as the program does
// (core::KeyFieldText).
void PrepareKeyField(HWND field);

void ShowKey(HWND field, core::ChosenKey key);
// A key pressed while the field has the focus that reached the program another way (as a hot
// key it holds): the field takes it as if it had seen the press.
void TakePressedKey(HWND field, core::ChosenKey key);
// The field's key; no key when it holds none, or only modifiers.
core::ChosenKey KeyOf(HWND field);

}  // namespace win
