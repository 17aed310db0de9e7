// The list row under a right click: the list's height is cut into bands of equal pitch, each
// band's edges rounded, and the band that holds the point gives the row.
#pragma once

namespace tv::platform {
class Control;
}

namespace tv::shell {

struct RowBands {
    double top = 0;    // the top of band 1, in the window's client pixels
    double pitch = 0;  // the height of one band
};

// The bands of a list: `divisor` bands to its height, or the rows as a view shows them.
RowBands row_bands(const platform::Control& list, double divisor);

// 1-based row (scrolled rows counted) of the band that holds `y`; 0 when no band of the first
// max(count, 1) holds it. A band runs from just below its rounded top to its rounded bottom.
int row_under_pointer(const RowBands& bands, int count, int top_index, double y);

}  // namespace tv::shell
