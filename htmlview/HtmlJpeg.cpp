#include "htmlview/HtmlJpeg.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
#include <jerror.h>

namespace htmlview {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the step that was running. Warnings are kept quiet, except that data ending early is noted.
struct TJpegErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf Jump;
    bool Truncated = false;
};

extern "C" void JpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegErrorManager*>(info->err)->Jump, 1);
}

extern "C" void JpegEmitMessage(j_common_ptr info, int level)
{
    // Level -1 is a warning about corrupt data; premature end of data leaves grey rows.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<TJpegErrorManager*>(info->err)->Truncated = true;
}

extern "C" void JpegOutputMessage(j_common_ptr) {}

// The decompressor with its error manager; destroyed in every case.
struct TJpegDecoder {
    jpeg_decompress_struct Info{};
    TJpegErrorManager Error{};
    bool Created = false;

    TJpegDecoder()
    {
        Info.err = jpeg_std_error(&Error.Public);
        Error.Public.error_exit = JpegErrorExit;
        Error.Public.emit_message = JpegEmitMessage;
        Error.Public.output_message = JpegOutputMessage;
    }
    TJpegDecoder(const TJpegDecoder&) = delete;
    TJpegDecoder& operator=(const TJpegDecoder&) = delete;
    ~TJpegDecoder()
    {
        if (Created)
            jpeg_destroy_decompress(&Info);
    }

    // Runs one step of library calls; false when the library raised an error in it. Steps make
    // no objects that need destroying, so the jump skips nothing.
    template <class TStep>
    bool Guarded(TStep&& step)
    {
        if (setjmp(Error.Jump) != 0)
            return false;
        step();
        return true;
    }
};

} // namespace

QImage DecodeJpeg(const unsigned char* data, size_t size)
{
    if (data == nullptr || size < 2)
        return {};
    TJpegDecoder decoder;
    jpeg_decompress_struct& info = decoder.Info;
    const bool headerRead = decoder.Guarded([&] {
        jpeg_create_decompress(&info);
        decoder.Created = true;
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
    });
    if (!headerRead || info.image_width == 0 || info.image_height == 0 ||
        int64_t{info.image_width} * info.image_height > MaxPicturePixels)
        return {};
    if (!decoder.Guarded([&] { jpeg_start_decompress(&info); }) || info.output_components != 3)
        return {};
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        return {};
    const bool rowsRead = decoder.Guarded([&] {
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
    });
    if (!rowsRead || decoder.Error.Truncated)
        return {};
    return image;
}

} // namespace htmlview
