#include "picture/formats/JpegMemorySource.h"

namespace {

// The end-of-image marker that follows the data once it is used up; shared by every read.
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

}  // namespace

void jpegErrorExit(j_common_ptr decompressor) {
    auto* trap = reinterpret_cast<JpegErrorTrap*>(decompressor->err);
    std::longjmp(trap->jump, 1);
}

void jpegOutputMessage(j_common_ptr) {}

void jpegInitSource(j_decompress_ptr) {}

boolean jpegFillInputBuffer(j_decompress_ptr decompressor) {
    decompressor->src->next_input_byte = kEndOfImage;
    decompressor->src->bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void jpegSkipInputData(j_decompress_ptr decompressor, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = decompressor->src;
    if (static_cast<std::size_t>(count) > source->bytes_in_buffer) {
        jpegFillInputBuffer(decompressor);
        return;
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void jpegTermSource(j_decompress_ptr) {}

void useJpegMemorySource(jpeg_decompress_struct& decompressor, jpeg_source_mgr& source, const std::uint8_t* data,
                         std::int32_t length) {
    source.next_input_byte = data;
    source.bytes_in_buffer = length > 0 ? static_cast<std::size_t>(length) : 0;
    source.init_source = jpegInitSource;
    source.fill_input_buffer = jpegFillInputBuffer;
    source.skip_input_data = jpegSkipInputData;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = jpegTermSource;
    decompressor.src = &source;
}

void useJpegErrorTrap(jpeg_decompress_struct& decompressor, JpegErrorTrap& trap) {
    decompressor.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jpegErrorExit;
    trap.manager.output_message = jpegOutputMessage;
}
