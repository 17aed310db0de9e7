#include "shell/popup_row.h"

#include <algorithm>
#include <cmath>

#include "platform/forms.h"

namespace tv::shell {

RowBands row_bands(const platform::Control& list, double divisor) {
    // A view whose rows are not as high as the bands would make the menu act on another mail
    // than the one under the pointer: its own rows decide then, band i being row i as shown.
    if (list.shown_row_height > 0) {
        return {static_cast<double>(list.y + list.shown_rows_top - 1), static_cast<double>(list.shown_row_height)};
    }
    return {static_cast<double>(list.y), list.height / divisor};
}

int row_under_pointer(const RowBands& bands, int count, int top_index, double y) {
    int last = std::max(count, 1);
    for (int i = 1; i <= last; ++i) {
        double lower = std::floor(bands.top + bands.pitch * (i - 1) + 0.501);
        double upper = std::floor(bands.top + bands.pitch * i + 0.501);
        if (lower < y && y <= upper) return i + top_index;
        if (lower >= y) break;  // the bands below lie lower still
    }
    return 0;
}

}  // namespace tv::shell
