#include "design/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace forms {

int Pixels(int twips, int dpi) {
    const long long product = static_cast<long long>(twips) * dpi;
    const long long magnitude = (std::llabs(product) + 720) / 1440;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

int EmHeight(double points, int dpi) { return static_cast<int>(std::floor(points * dpi / 72.0)); }

Size ClientSize(const FormDesc& form, int dpi) {
    return {Pixels(form.clientWidth, dpi), Pixels(form.clientHeight, dpi)};
}

Rect PlaceOf(const ControlDesc& c, int dpi) {
    const int dropDown = c.kind == Kind::ComboBox ? kDropDownTwips : 0;
    const int left = Pixels(c.place.left, dpi), top = Pixels(c.place.top, dpi);
    return {left, top, left + Pixels(c.place.width, dpi), top + Pixels(c.place.height + dropDown, dpi)};
}

bool OverlapsInputControl(std::span<const ControlDesc> controls, const ControlDesc& label) {
    const auto overlaps = [](const Twips& a, const Twips& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    return std::any_of(controls.begin(), controls.end(), [&](const ControlDesc& other) {
        return other.kind != Kind::Label && overlaps(label.place, other.place);
    });
}

Rect MovedInto(Rect window, Rect area) {
    const int left = std::max(area.left, std::min(window.left, area.right - window.width()));
    const int top = std::max(area.top, std::min(window.top, area.bottom - window.height()));
    return {left, top, left + window.width(), top + window.height()};
}

int FittingDpi(const FormDesc& form, int dpi, Size frame, Size area) {
    const auto fits = [&](int at) {
        const Size client = ClientSize(form, at);
        return client.width + frame.width <= area.width && client.height + frame.height <= area.height;
    };
    int fitting = dpi;
    while (fitting > kDesignDpi && !fits(fitting)) --fitting;
    return fitting;
}

}  // namespace forms
