// Counts the lines of green text a window shows, read from its pixels on $DISPLAY, so a test
// can tell what a list window displays without asking the program.
//
// usage: x11_green_text_lines WINDOW_ID
// Prints "lines N", then "TOP BOTTOM" (rows of the window) for each line of text found.
// Exits 1 when the window cannot be read.
//
// A row belongs to text when it holds a green pixel (the text is pure green on black; its
// anti-aliased edges are darker greens). A line of text is a run of such rows at least
// kMinLineHeight tall: the glyphs of a line touch every row from their tops to the baseline,
// while the runs a line's underscores or the dot of an "i" make on their own are thinner, and
// the list leaves empty rows between its lines.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMinLineHeight = 4;  // rows; digits and letters stand taller than this

struct FreeDeleter {
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): xcb memory is plain malloc memory
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbPtr = std::unique_ptr<T, FreeDeleter>;

struct Connection {
    xcb_connection_t* handle = nullptr;
    ~Connection() { xcb_disconnect(handle); }
};

struct TextLine {
    int top = 0;
    int bottom = 0;
};

bool isGreen(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return green >= 0x60 && red <= 0x40 && blue <= 0x40;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "x11_green_text_lines: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: x11_green_text_lines WINDOW_ID");
    }
    char* end = nullptr;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || id == 0) {
        return fail(std::string("not a window id: ") + argv[1]);
    }
    const auto window = static_cast<xcb_window_t>(id);

    Connection connection{xcb_connect(nullptr, nullptr)};
    if (xcb_connection_has_error(connection.handle) != 0) {
        return fail("cannot open the X display (is DISPLAY set?)");
    }
    const xcb_setup_t* const setup = xcb_get_setup(connection.handle);

    const XcbPtr<xcb_get_geometry_reply_t> geometry{xcb_get_geometry_reply(
        connection.handle, xcb_get_geometry(connection.handle, window), nullptr)};
    if (!geometry) {
        return fail("no such window: " + std::string(argv[1]));
    }
    xcb_generic_error_t* rawError = nullptr;
    const XcbPtr<xcb_get_image_reply_t> image{
        xcb_get_image_reply(connection.handle,
                            xcb_get_image(connection.handle, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0,
                                          0, geometry->width, geometry->height, ~0U),
                            &rawError)};
    const XcbPtr<xcb_generic_error_t> error{rawError};
    if (!image) {
        return fail("cannot read the window's pixels (is it mapped and on the screen?)");
    }

    // Only the true-colour layout of a 24-bit display: 32 bits a pixel, blue in the low byte.
    int bitsPerPixel = 0;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem != 0;
         xcb_format_next(&formats)) {
        if (formats.data->depth == image->depth) {
            bitsPerPixel = formats.data->bits_per_pixel;
        }
    }
    if (image->depth != 24 || bitsPerPixel != 32 ||
        setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        return fail("unsupported pixel layout: depth " + std::to_string(image->depth) + ", " +
                    std::to_string(bitsPerPixel) + " bits a pixel");
    }
    const int width = geometry->width;
    const int height = geometry->height;
    const std::uint8_t* const pixels = xcb_get_image_data(image.get());
    if (xcb_get_image_data_length(image.get()) < width * height * 4) {
        return fail("the server sent fewer pixels than the window has");
    }

    std::vector<TextLine> lines;
    int runTop = -1;  // first row of the run of text rows being walked, -1 outside one
    // One empty row past the bottom closes a run that reaches it.
    for (int y = 0; y <= height; ++y) {
        bool text = false;
        for (int x = 0; y < height && x < width && !text; ++x) {
            const std::uint8_t* const pixel =
                pixels + ((static_cast<std::ptrdiff_t>(y) * width) + x) * 4;
            text = isGreen(pixel[2], pixel[1], pixel[0]);
        }
        if (text && runTop < 0) {
            runTop = y;
        } else if (!text && runTop >= 0) {
            if (y - runTop >= kMinLineHeight) {
                lines.push_back({runTop, y - 1});
            }
            runTop = -1;
        }
    }

    std::printf("lines %zu\n", lines.size());
    for (const TextLine& line : lines) {
        std::printf("%d %d\n", line.top, line.bottom);
    }
    return 0;
}
