#pragma once
// What the GIF units share: the LZW coder both ways, the interlaced row order and the errors.

#include "platform/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace QmGIFPrivate {

// Raised as the framework's invalid-graphic-operation error.
[[noreturn]] void RaiseGifError(const String& message);
// The framework's error for data that ends too soon.
[[noreturn]] void RaiseStreamReadError();

// The smallest number of bits whose power of 2 holds the count.
int BitsForCount(size_t count);

// The rows of a frame in the order its pixels come: the four published passes when interlaced.
std::vector<int> RowOrder(int height, bool interlaced);

// The pixel indexes (rows top first) of the encoded data: the code-size byte and its
// sub-blocks. Each index is masked to the bits. Damage that the decoder survives sets corrupted
// when damaged data may load, and raises otherwise; missing pixels stay 0.
std::vector<uint8_t> LzwDecode(const String& data, int width, int height, int bits, bool interlaced,
                               bool allowDamaged, bool& corrupted);
// The code-size byte, the data sub-blocks and their terminator for the pixel indexes.
String LzwEncode(const std::vector<uint8_t>& pixels, int width, int height, int bits,
                 bool interlaced);
// The most pixels that encoded data of that many bytes can describe: each code adds at most
// one pixel to the longest string before it, and no string is longer than the table.
int64_t MaxPixelsOfData(int64_t bytes);

} // namespace QmGIFPrivate
