// What the trash and folder windows do to the windows around them.
#pragma once

#include <functional>
#include <string>

#include "platform/events.h"
#include "platform/forms.h"

namespace tv::folders {

// A question with Yes and No: `first_line`, then "よろしいですか？    ". True for Yes.
bool asked_yes(const std::string& owner, const std::string& title, const std::string& first_line);
// The question of a move: "選択したメールを「<place>」に移動します。    ".
std::string move_question(int folder_no);

// The mouse pointer over a window.
void set_pointer(const std::string& form, platform::MousePointer pointer);

// The main window hidden and disabled behind a trash or folder window.
void put_main_window_away();

// Back from a closed trash or folder window: the main window shown, enabled and focused; after
// `pause_ms`, a loaded compose window (hidden by the window's set-up) brought to the front.
void back_to_main_window(int pause_ms);
// Shows a loaded compose window and brings it to the front, the main window below it.
void bring_compose_window_back();

// A handler of a trash or folder window's control. Input queued before the window was disabled
// or closed finds it so and is dropped, as input to a disabled window is.
platform::NamedHandler window_input(const char* form, std::string name, std::function<void()> handler);

}  // namespace tv::folders
