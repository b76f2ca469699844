// What a user does to the active window, through the real input path: mouse clicks and keys are
// posted as input messages and reach the controls through the program's own message loop.
// Each throws user32::UiError naming the problem when the action cannot be done (no active
// window, no such control, a disabled or hidden one, no message box open ...).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <windows.h>

namespace winemu::ui {

HWND ActiveWindow();
// The open message box, if the active window is one.
bool MessageBoxOpen();
std::string MessageBoxSummary();  // caption "..." text "..."

void Click(int id);
void Select(int id, int index);
void Key(const std::string& name);
// Alt with a letter or digit, as the dialog manager sees it (the & mnemonics of the texts).
void AltKey(char letter);
// Alt+F4: the active window closes as its system menu's Close closes it.
void AltF4();
void SysMenu(int command);
void Close();
void Wait(std::uint32_t ms);  // time passes while the program waits; due timers fire in order
void Answer(std::optional<int> id);

}  // namespace winemu::ui
