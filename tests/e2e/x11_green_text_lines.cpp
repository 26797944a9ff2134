// usage: x11_green_text_lines WINDOW_ID
// Prints "lines N", then "TOP BOTTOM" (rows of the window) for each line of green text the window
// shows on $DISPLAY, so a test can tell what a list displays without asking the program. A line
// is a run of rows holding green pixels at least kMinLineHeight tall: the runs an underscore or
// the dot of an "i" make on their own are thinner, and the list leaves empty rows between lines.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kMinLineHeight = 4;

struct FreeDeleter {
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): xcb memory is plain malloc memory
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

int fail(const char* message) {
    std::fprintf(stderr, "x11_green_text_lines: %s\n", message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: x11_green_text_lines WINDOW_ID");
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection{
        xcb_connect(nullptr, nullptr), xcb_disconnect};
    const XcbPtr<xcb_get_geometry_reply_t> geometry{xcb_get_geometry_reply(
        connection.get(), xcb_get_geometry(connection.get(), window), nullptr)};
    if (!geometry) {
        return fail("no such window on the display");
    }
    const int width = geometry->width;
    const int height = geometry->height;
    xcb_generic_error_t* rawError = nullptr;
    const XcbPtr<xcb_get_image_reply_t> image{
        xcb_get_image_reply(connection.get(),
                            xcb_get_image(connection.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                          width, height, ~0U),
                            &rawError)};
    const XcbPtr<xcb_generic_error_t> error{rawError};
    // Only the true-colour layout of the test display: 32 bits a pixel, blue in the low byte.
    if (!image || image->depth != 24 ||
        xcb_get_image_data_length(image.get()) < width * height * 4) {
        return fail("cannot read the window's pixels as 24-bit colour");
    }
    const std::uint8_t* const pixels = xcb_get_image_data(image.get());

    std::vector<std::pair<int, int>> lines;  // top and bottom row
    int runTop = -1;  // first row of the run of text rows being walked, -1 outside one
    // One empty row past the bottom closes a run that reaches it.
    for (int y = 0; y <= height; ++y) {
        bool text = false;
        for (int x = 0; y < height && x < width && !text; ++x) {
            const std::uint8_t* const p =
                pixels + ((static_cast<std::ptrdiff_t>(y) * width) + x) * 4;
            text = p[1] >= 0x60 && p[2] <= 0x40 && p[0] <= 0x40;  // anti-aliased greens too
        }
        if (text && runTop < 0) {
            runTop = y;
        } else if (!text && runTop >= 0) {
            if (y - runTop >= kMinLineHeight) {
                lines.emplace_back(runTop, y - 1);
            }
            runTop = -1;
        }
    }
    std::printf("lines %zu\n", lines.size());
    for (const auto& [top, bottom] : lines) {
        std::printf("%d %d\n", top, bottom);
    }
    return 0;
}
