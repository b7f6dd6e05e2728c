// The first-frame benchmark's reference: about the least a program does to
// show a frame like the upgrade window's first under the same display. One
// borderless 500 x 310 SDL window, centred; one Cairo frame (a filled
// background and one line of Pango text in the skin's font, zh-CN) painted
// into a back buffer and presented the way ours is; then it waits to be
// killed.

#include <SDL.h>
#include <cairo.h>
#include <pango/pangocairo.h>

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 310;

void PaintFrame(cairo_surface_t* buffer) {
    cairo_t* cr = cairo_create(buffer);
    cairo_set_source_rgb(cr, 0x17 / 255.0, 0x21 / 255.0, 0x2E / 255.0);
    cairo_paint(cr);
    PangoContext* context = pango_cairo_create_context(cr);
    pango_context_set_language(context, pango_language_from_string("zh-cn"));
    PangoLayout* layout = pango_layout_new(context);
    PangoFontDescription* font = pango_font_description_from_string("Microsoft YaHei,sans-serif");
    pango_font_description_set_absolute_size(font, 12 * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "升级中，请稍候...0%", -1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, 35, 270);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
    g_object_unref(context);
    cairo_destroy(cr);
    cairo_surface_flush(buffer);
}

}  // namespace

int main() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    SDL_Window* window =
        SDL_CreateWindow("reference", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
                         kHeight, SDL_WINDOW_BORDERLESS);
    SDL_Surface* target = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (target == nullptr) {
        return 1;
    }
    cairo_surface_t* buffer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    PaintFrame(buffer);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        cairo_image_surface_get_data(buffer), kWidth, kHeight, 32,
        cairo_image_surface_get_stride(buffer), SDL_PIXELFORMAT_ARGB8888);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT) {
    }
    SDL_FreeSurface(source);
    cairo_surface_destroy(buffer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
