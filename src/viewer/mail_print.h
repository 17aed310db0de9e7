// Printing the mail the viewer shows: a header of four lines, the body and the attachment names in
// "ＭＳ 明朝" at the chosen size, with a fixed number of lines a page, while the status window shows
// a bar.
#pragma once

namespace tv::viewer {

// Lines a page at a print size (8, 10 or 12 points; any other size prints as 8).
struct PrintSize {
    double points;
    int page_lines;
};
PrintSize print_size(long long points);

void BUTTON53_ON();

}  // namespace tv::viewer
