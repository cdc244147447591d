#include "foundation/encoding/Base64Codec.h"

#include "foundation/encoding/ByteBuffer.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::int32_t kLineLength = 80;
constexpr std::int8_t kNotInAlphabet = -1;

constexpr auto kDigitValues = [] {
    struct Table {
        std::int8_t value[256];
    } table{};
    for (auto& v : table.value) v = kNotInAlphabet;
    for (int i = 0; i < 64; ++i) table.value[static_cast<std::uint8_t>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return table;
}();

void putText(ByteBuffer& writer, const char* text) {
    for (; *text; ++text) writer.putByte(static_cast<std::uint8_t>(*text));
}

// Three bytes (fewer at the end) become four characters, '=' standing for the missing bytes.
void encodeGroup(ByteBuffer& writer, const std::uint8_t* bytes, int count) {
    const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) << 16 |
                               static_cast<std::uint32_t>(count > 1 ? bytes[1] : 0) << 8 |
                               static_cast<std::uint32_t>(count > 2 ? bytes[2] : 0);
    writer.putByte(static_cast<std::uint8_t>(kAlphabet[bits >> 18 & 0x3F]));
    writer.putByte(static_cast<std::uint8_t>(kAlphabet[bits >> 12 & 0x3F]));
    writer.putByte(static_cast<std::uint8_t>(count > 1 ? kAlphabet[bits >> 6 & 0x3F] : '='));
    writer.putByte(static_cast<std::uint8_t>(count > 2 ? kAlphabet[bits & 0x3F] : '='));
}

void encodeStream(ByteBuffer& reader, ByteBuffer& writer, std::int32_t lineLength) {
    const std::int32_t groupsPerLine = lineLength / 4 > 0 ? lineLength / 4 : 1;
    std::int32_t groupsInLine = 0;
    while (!reader.atEnd()) {
        std::uint8_t bytes[3];
        int count = 0;
        while (count < 3 && !reader.atEnd()) bytes[count++] = reader.getByte();
        encodeGroup(writer, bytes, count);
        if (++groupsInLine == groupsPerLine || reader.atEnd()) {
            putText(writer, "\r\n");
            groupsInLine = 0;
        }
    }
}

// n characters of the alphabet give n - 1 bytes (n from 2 to 4).
void decodeGroup(ByteBuffer& writer, const std::uint8_t* digits, int count) {
    if (count < 2) return;
    const std::uint32_t bits = static_cast<std::uint32_t>(digits[0]) << 18 | static_cast<std::uint32_t>(digits[1]) << 12 |
                               static_cast<std::uint32_t>(count > 2 ? digits[2] : 0) << 6 |
                               static_cast<std::uint32_t>(count > 3 ? digits[3] : 0);
    writer.putByte(static_cast<std::uint8_t>(bits >> 16));
    if (count > 2) writer.putByte(static_cast<std::uint8_t>(bits >> 8));
    if (count > 3) writer.putByte(static_cast<std::uint8_t>(bits));
}

void decodeStream(ByteBuffer& reader, ByteBuffer& writer) {
    std::uint8_t digits[4];
    int count = 0;
    while (!reader.atEnd()) {
        const std::int8_t value = kDigitValues.value[reader.getByte()];
        if (value == kNotInAlphabet) continue;
        digits[count++] = static_cast<std::uint8_t>(value);
        if (count == 4) {
            decodeGroup(writer, digits, count);
            count = 0;
        }
    }
    decodeGroup(writer, digits, count);
}

std::int32_t usableLength(const void* bytes, std::int32_t length) {
    return bytes && length > 0 ? length : 0;
}

}  // namespace

void base64Encode(const void* bytes, std::int32_t length, char** outText, std::int32_t* outLength) {
    if (!outText || !outLength) return;
    ByteBuffer reader(static_cast<const std::uint8_t*>(bytes), usableLength(bytes, length));
    ByteBuffer writer;
    encodeStream(reader, writer, kLineLength);
    *outLength = writer.length;
    *outText = reinterpret_cast<char*>(writer.releaseData());
}

void base64Decode(const char* text, std::int32_t length, std::uint8_t** outBytes, std::int32_t* outLength) {
    if (!outBytes || !outLength) return;
    ByteBuffer reader(reinterpret_cast<const std::uint8_t*>(text), usableLength(text, length));
    ByteBuffer writer;
    decodeStream(reader, writer);
    *outLength = writer.length;
    *outBytes = writer.releaseData();
}
