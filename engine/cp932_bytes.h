#pragma once

// The byte classes of code page 932, the encoding of every text the program
// stores and evaluates: a lead byte and the trail byte after it are one
// double-byte character. Plain C++, for the evaluator and the file code alike.

namespace kestrix {

// Lead bytes of a double-byte character: the next byte belongs to it.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes that may follow a lead byte; 0x40-0x7E among them are ASCII letters
// and signs when they stand alone.
constexpr bool IsCp932TrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

} // namespace kestrix
