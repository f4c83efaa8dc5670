#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <string>

#include "gfx/image.h"

namespace {

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

// The source manager: the whole file is one buffer. When the data runs out
// inside the image a warning is issued and an end-of-image marker supplied,
// so a picture cut short decodes with what arrived; running out before the
// first byte is an error.
struct MemorySource {
  jpeg_source_mgr manager;
  const JOCTET* data;
  size_t size;
  bool startOfFile;
};

void initSource(j_decompress_ptr cinfo) {
  reinterpret_cast<MemorySource*>(cinfo->src)->startOfFile = true;
}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
  MemorySource& source = *reinterpret_cast<MemorySource*>(cinfo->src);
  if (!source.startOfFile || source.size == 0) {
    if (source.startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source.manager.next_input_byte = kEndOfImage;
    source.manager.bytes_in_buffer = 2;
    return TRUE;
  }
  source.startOfFile = false;
  source.manager.next_input_byte = source.data;
  source.manager.bytes_in_buffer = source.size;
  return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr& manager = *cinfo->src;
  while (static_cast<size_t>(count) > manager.bytes_in_buffer) {
    count -= static_cast<long>(manager.bytes_in_buffer);
    fillInputBuffer(cinfo);
  }
  manager.next_input_byte += count;
  manager.bytes_in_buffer -= static_cast<size_t>(count);
}

void terminateSource(j_decompress_ptr) {}

// A library error prints the library's message to stderr and abandons this
// image; the process goes on.
struct ErrorManager {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

[[noreturn]] void abandonImage(j_common_ptr cinfo) {
  (*cinfo->err->output_message)(cinfo);
  longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

struct JpegRead {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  MemorySource source;
  DecodedImage* image;
};

// The library's messages, errors and warnings alike, become the image's
// problem text instead of lines on stderr. The first one is kept: later
// ones follow from it.
void keepMessage(j_common_ptr cinfo) {
  DecodedImage& image = *reinterpret_cast<JpegRead*>(cinfo)->image;
  if (!image.problem.empty()) return;
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  image.problem = text;
}

bool acceptImage(j_decompress_ptr cinfo) {
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
      cinfo->out_color_space = JCS_RGB;
      break;
    default:
      reinterpret_cast<JpegRead*>(cinfo)->image->problem =
          "JPEG colour space " + std::to_string(cinfo->jpeg_color_space) + " is not supported";
      return false;
  }
  jpeg_calc_output_dimensions(cinfo);
  const int64_t bytes = int64_t(cinfo->output_width) * cinfo->output_height * 3;
  if (bytes > kMaxJpegBytes) {
    reinterpret_cast<JpegRead*>(cinfo)->image->problem =
        "JPEG image of " + std::to_string(cinfo->output_width) + "x" +
        std::to_string(cinfo->output_height) + " is too large";
    return false;
  }
  return true;
}

// No local in this frame has a destructor, so a longjmp out of it is safe.
bool readScanlinesUnguarded(JpegRead& read) {
  j_decompress_ptr cinfo = &read.cinfo;
  jpeg_read_header(cinfo, TRUE);
  if (!acceptImage(cinfo)) return false;
  jpeg_start_decompress(cinfo);
  const size_t rowSize = size_t(cinfo->output_width) * cinfo->output_components;
  DecodedImage& image = *read.image;
  image.pixels.assign(rowSize * cinfo->output_height, 0);
  image.width = static_cast<int>(rowSize / 3);
  image.bytesPerPixel = 3;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = image.pixels.data() + rowSize * cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
    ++image.height;
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

bool readScanlines(JpegRead& read) {
  if (setjmp(read.errors.jump)) return false;
  return readScanlinesUnguarded(read);
}

}  // namespace

JpegStatus decodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image) {
  image = DecodedImage{};
  if (bytes.empty()) return kJpegEmpty;
  JpegRead read{};
  read.image = &image;
  read.cinfo.err = jpeg_std_error(&read.errors.manager);
  read.errors.manager.error_exit = abandonImage;
  read.errors.manager.output_message = keepMessage;
  if (setjmp(read.errors.jump)) return kJpegAbandoned;
  jpeg_create_decompress(&read.cinfo);
  read.source.manager.init_source = initSource;
  read.source.manager.fill_input_buffer = fillInputBuffer;
  read.source.manager.skip_input_data = skipInputData;
  read.source.manager.resync_to_restart = jpeg_resync_to_restart;
  read.source.manager.term_source = terminateSource;
  read.source.data = bytes.data();
  read.source.size = bytes.size();
  read.cinfo.src = &read.source.manager;
  const bool ok = readScanlines(read);
  jpeg_destroy_decompress(&read.cinfo);
  if (!ok) image.pixels.clear(), image.width = image.height = image.bytesPerPixel = 0;
  return ok ? kJpegOk : kJpegAbandoned;
}
