#include "app/JpegPicture.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace ovx {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back.
struct TJpegError {
  jpeg_error_mgr manager;
  std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegError*>(info->err)->back, 1); }
void Silent(j_common_ptr) {}

// The decoding itself; everything that must be freed after a jump lives in the caller's objects.
bool Decode(jpeg_decompress_struct& info, TJpegError& error, const std::uint8_t* data, std::size_t size,
            TRgbPicture& picture) {
  if (setjmp(error.back)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (info.image_width > static_cast<unsigned>(MaxPictureSide) ||
      info.image_height > static_cast<unsigned>(MaxPictureSide))
    return false;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.bgr.assign(static_cast<std::size_t>(picture.width) * picture.height * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.bgr.data() + static_cast<std::size_t>(info.output_scanline) * picture.width * 3;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
  }
  // A picture whose data ended early decodes as grey rows with a warning: it is not whole.
  if (error.manager.num_warnings > 0) return false;
  jpeg_finish_decompress(&info);
  for (std::size_t i = 0; i + 2 < picture.bgr.size(); i += 3) std::swap(picture.bgr[i], picture.bgr[i + 2]);
  return true;
}

}  // namespace

std::optional<TRgbPicture> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) return std::nullopt;
  auto info = std::make_unique<jpeg_decompress_struct>();
  auto error = std::make_unique<TJpegError>();
  info->err = jpeg_std_error(&error->manager);
  error->manager.error_exit = JumpBack;
  error->manager.output_message = Silent;
  auto picture = std::make_unique<TRgbPicture>();
  const bool whole = Decode(*info, *error, data, size, *picture);
  jpeg_destroy_decompress(info.get());
  if (!whole) return std::nullopt;
  return std::move(*picture);
}

}  // namespace ovx
