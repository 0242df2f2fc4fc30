#pragma once

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "codecs/jpeg_coding.h"

namespace kelbo {

// The decoding parameter table, rows in order: colours, DCT, dithering,
// FastProcessing (overriding the rows before it), GrayScale, NoSmooth,
// OnePass. jpeg_read_header resets these fields, so the decoder applies the
// table before and again after reading the header.
void ApplyDecodingParameters(const JpegSettings& settings, jpeg_decompress_struct& cinfo);

// Colour space, DCT method, entropy-table optimisation, quality and the
// progressive script, after the caller has set the input description and
// the library defaults.
void ApplyEncodingParameters(const JpegSettings& settings, jpeg_compress_struct& cinfo);

}  // namespace kelbo
