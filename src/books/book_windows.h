// The three book windows (the address book FORM7, the reject book FORM12, the specific-sender and
// priority-reject book FORM14) share one list, two boxes and one add-or-edit button; the list
// fill, row selection, Enter handling, add-or-edit and delete are built once over this table.
#pragma once

#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/forms.h"

namespace tv::books {

struct BookWindow {
    const char* form;
    const char* list;
    const char* name_box;
    const char* address_box;
    const char* add_button;
    bool sorted;                // the address book lists its rows sorted, the others in file order
    std::string (*book)();      // the book file it edits, decided when a handler runs
};

extern const BookWindow kAddressBookWindow;
extern const BookWindow kRejectBookWindow;
extern const BookWindow kSenderBookWindow;

// Lists the book's entries: every record after the first that is not blank. Without a pause the
// whole book goes into the list in one step, under the hourglass. With `pause_ms` (the import) each
// row follows that pause and one pass of the event pump; such a fill stops when its window has
// gone or a later fill of the same window has started.
void fill_book_list(const BookWindow& window, int pause_ms = 0);

// A change of the book keeps its window busy: hourglass and no input until the list is refilled;
// input made meanwhile is dropped when the window is enabled again.
void set_busy(const char* form, bool busy);

// Opens a book window in the child-window slot; the main window waits disabled until it closes.
void open_book_window(const char* form);
// Closes it: the main window is enabled and shown again.
void close_book_window(const char* form);
// The main window after a book window has gone (its close box).
void restore_main_window();

// The shared frame (a fixed dialog on top of the main window, client size given) and controls:
// the list and the two boxes.
void define_book_window(platform::Form& f, const BookWindow& window, int width, int height, const char* caption);
// A push button in "ＭＳ 明朝" of `points`.
void add_button(platform::Form& f, const char* name, const char* caption, int x, int y, int width, int height,
                double points);
// The two column heads over the list, framed.
void draw_column_heads(platform::Form& f);
// The four-line usage text of the reject and sender book windows, in its panel.
void draw_usage_text(platform::Form& f);
// The window's face before anything is drawn: background, cleared drawing, on top.
void clear_face(platform::Form& f);

// The row click, double click, focus, Enter and add-or-edit handlers of every book window.
std::vector<platform::NamedHandler> book_window_handlers();

}  // namespace tv::books
