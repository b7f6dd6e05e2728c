// vantu-skin-images FOLDER: draws the launcher's skin images into FOLDER/img
// (the committed copies live in skin/img). Everything is computed, nothing is
// random, so the same Cairo gives the same files.

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb FromHex(unsigned hex) {
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

void SetSource(cairo_t* cr, Rgb colour, double alpha = 1.0) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// Draws one image and writes it; false when the file could not be written.
bool WriteImage(const std::filesystem::path& file, int width, int height,
                const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
    }
    return written;
}

// Deep navy with a soft light from the top left, a fine hexagon mesh that fades
// out downwards and a few faint speed lines across the lower half.
void DrawBackground(cairo_t* cr) {
    constexpr double kWidth = 500, kHeight = 340;
    cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, 0, kHeight);
    cairo_pattern_add_color_stop_rgb(base, 0, 0x1B / 255.0, 0x27 / 255.0, 0x38 / 255.0);
    cairo_pattern_add_color_stop_rgb(base, 1, 0x12 / 255.0, 0x1A / 255.0, 0x25 / 255.0);
    cairo_set_source(cr, base);
    cairo_paint(cr);
    cairo_pattern_destroy(base);

    cairo_pattern_t* glow = cairo_pattern_create_radial(90, 20, 10, 90, 20, 320);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0x2B / 255.0, 0xA2 / 255.0, 0xF9 / 255.0, 0.16);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0x2B / 255.0, 0xA2 / 255.0, 0xF9 / 255.0, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);

    constexpr double kSide = 14;
    const double rowStep = kSide * 1.5;
    const double columnStep = kSide * std::sqrt(3.0);
    cairo_set_line_width(cr, 1);
    for (int row = 0; row * rowStep < kHeight + kSide; ++row) {
        const double y = row * rowStep;
        const double alpha = 0.07 * (1.0 - y / (kHeight + kSide));
        SetSource(cr, FromHex(0x7D8EAC), alpha);
        const double offset = (row % 2) * columnStep / 2;
        for (double x = -columnStep + offset; x < kWidth + columnStep; x += columnStep) {
            for (int corner = 0; corner < 6; ++corner) {
                const double angle = M_PI / 3 * corner + M_PI / 6;
                const double px = x + kSide * std::cos(angle);
                const double py = y + kSide * std::sin(angle);
                if (corner == 0) {
                    cairo_move_to(cr, px, py);
                } else {
                    cairo_line_to(cr, px, py);
                }
            }
            cairo_close_path(cr);
        }
        cairo_stroke(cr);
    }

    for (int line = 0; line < 6; ++line) {
        const double y = 190 + line * 23.0;
        const double from = 40 + (line * 97) % 260;
        const double length = 120 + (line * 53) % 140;
        cairo_pattern_t* streak = cairo_pattern_create_linear(from, 0, from + length, 0);
        cairo_pattern_add_color_stop_rgba(streak, 0, 0x2B / 255.0, 0xA2 / 255.0, 0xF9 / 255.0, 0);
        cairo_pattern_add_color_stop_rgba(streak, 0.7, 0x2B / 255.0, 0xA2 / 255.0, 0xF9 / 255.0,
                                          0.10);
        cairo_pattern_add_color_stop_rgba(streak, 1, 0x2B / 255.0, 0xA2 / 255.0, 0xF9 / 255.0, 0);
        cairo_set_source(cr, streak);
        cairo_move_to(cr, from, y + 0.5);
        cairo_line_to(cr, from + length, y + 0.5);
        cairo_stroke(cr);
        cairo_pattern_destroy(streak);
    }
}

// A blue rounded tile with a white chevron pointing up: the booster's mark.
void DrawLogo(cairo_t* cr) {
    cairo_pattern_t* tile = cairo_pattern_create_linear(0, 0, 16, 16);
    cairo_pattern_add_color_stop_rgb(tile, 0, 0x4F / 255.0, 0xB8 / 255.0, 0xFF / 255.0);
    cairo_pattern_add_color_stop_rgb(tile, 1, 0x16 / 255.0, 0x6F / 255.0, 0xD8 / 255.0);
    RoundedRect(cr, 0.5, 0.5, 15, 15, 3.5);
    cairo_set_source(cr, tile);
    cairo_fill(cr);
    cairo_pattern_destroy(tile);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.2);
    SetSource(cr, FromHex(0xFFFFFF));
    cairo_move_to(cr, 4, 9.5);
    cairo_line_to(cr, 8, 5);
    cairo_line_to(cr, 12, 9.5);
    cairo_stroke(cr);
    SetSource(cr, FromHex(0xFFFFFF), 0.6);
    cairo_move_to(cr, 5.5, 12.5);
    cairo_line_to(cr, 8, 10);
    cairo_line_to(cr, 10.5, 12.5);
    cairo_stroke(cr);
}

void DrawCross(cairo_t* cr, double left, Rgb colour) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    SetSource(cr, colour);
    cairo_move_to(cr, left + 9.5, 9.5);
    cairo_line_to(cr, left + 18.5, 18.5);
    cairo_move_to(cr, left + 18.5, 9.5);
    cairo_line_to(cr, left + 9.5, 18.5);
    cairo_stroke(cr);
}

// Normal: a light cross on nothing; hot and pressed: a red tile, white cross.
void DrawClose(cairo_t* cr) {
    DrawCross(cr, 0, FromHex(0xA4B8C8));
    RoundedRect(cr, 28 + 2, 2, 24, 24, 3);
    SetSource(cr, FromHex(0xE5484D));
    cairo_fill(cr);
    DrawCross(cr, 28, FromHex(0xFFFFFF));
}

// Two slim pills: normal, then hot.
void DrawScrollThumbs(cairo_t* cr) {
    RoundedRect(cr, 0.5, 0.5, 5, 59, 2.5);
    SetSource(cr, FromHex(0x4A5B73));
    cairo_fill(cr);
    RoundedRect(cr, 6.5, 0.5, 5, 59, 2.5);
    SetSource(cr, FromHex(0x7D8EAC));
    cairo_fill(cr);
}

// Three 120 x 36 button states stacked: normal, hot, pressed. Each is a
// rounded face with a gentle top-to-bottom gradient and a light top edge.
void DrawButtonStates(cairo_t* cr, Rgb top, Rgb bottom) {
    struct State {
        double lighten;  // > 0 lightens, < 0 darkens
        bool sunken;
    };
    constexpr State kStates[] = {{0.0, false}, {0.12, false}, {-0.14, true}};
    auto shade = [](Rgb c, double amount) {
        auto one = [amount](double v) {
            return amount >= 0 ? v + (1 - v) * amount : v * (1 + amount);
        };
        return Rgb{one(c.r), one(c.g), one(c.b)};
    };
    for (int index = 0; index < 3; ++index) {
        const double y = index * 36.0;
        const State state = kStates[index];
        const Rgb from = shade(state.sunken ? bottom : top, state.lighten);
        const Rgb to = shade(state.sunken ? top : bottom, state.lighten);
        cairo_pattern_t* face = cairo_pattern_create_linear(0, y, 0, y + 36);
        cairo_pattern_add_color_stop_rgb(face, 0, from.r, from.g, from.b);
        cairo_pattern_add_color_stop_rgb(face, 1, to.r, to.g, to.b);
        RoundedRect(cr, 0.5, y + 0.5, 119, 35, 4);
        cairo_set_source(cr, face);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(face);
        SetSource(cr, shade(bottom, -0.25), 0.9);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        if (!state.sunken) {
            SetSource(cr, FromHex(0xFFFFFF), 0.22);
            cairo_move_to(cr, 4, y + 1.5);
            cairo_line_to(cr, 116, y + 1.5);
            cairo_stroke(cr);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantu-skin-images FOLDER (writes FOLDER/img/*.png)\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "img";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = WriteImage(folder / "pic_bg.png", 500, 340, DrawBackground);
    ok = WriteImage(folder / "icon_logo.png", 16, 16, DrawLogo) && ok;
    ok = WriteImage(folder / "icon_close.png", 56, 28, DrawClose) && ok;
    ok = WriteImage(folder / "icon_vscrollbar.png", 12, 60, DrawScrollThumbs) && ok;
    ok = WriteImage(
             folder / "buttonA.png", 120, 108,
             [](cairo_t* cr) { DrawButtonStates(cr, FromHex(0x3AAEFF), FromHex(0x1E86E0)); }) &&
         ok;
    ok = WriteImage(
             folder / "buttonB.png", 120, 108,
             [](cairo_t* cr) { DrawButtonStates(cr, FromHex(0x56667E), FromHex(0x414F63)); }) &&
         ok;
    return ok ? 0 : 1;
}
