#pragma once

// Code page 932 (Shift_JIS as Windows writes it) is the encoding of every
// configuration file; the window and the command-line tool work in Unicode.
// These are the only crossings between the two.

#include "engine/cp932_bytes.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Bytes of code page 932 as Unicode. A byte sequence that is not code page 932
// shows as U+FFFD and the rest is still converted.
QString FromCp932(std::string_view bytes);

// Unicode as code page 932, or nothing when a character cannot be held (such
// as "¥", which the code page would turn into a backslash). The JIS forms of
// the few characters that the code page keeps in another Unicode form (the
// wave dash U+301C, the double vertical line U+2016, the minus sign U+2212,
// the em dash U+2014 and the cent, pound and not signs) are taken as their
// code-page twins, as input methods produce either.
std::optional<std::string> ToCp932(const QString& text);

// Unicode as code page 932, with "?" for each character the code page cannot
// hold, as Windows converts such text: the form in which the expression
// evaluator reads a flow text.
std::string ToCp932Lossy(const QString& text);

// Bytes of code page 932 as UTF-8 text, U+FFFD where a sequence is invalid.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 text as code page 932, or nothing when a character cannot be held.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// UTF-8 text as code page 932, "?" for what it cannot hold (and for bytes
// that are no UTF-8).
std::string Utf8ToCp932Lossy(std::string_view utf8);

// True when the bytes are well-formed code page 932 text without control
// characters: single bytes 0x20-0x7E and 0xA1-0xDF, and lead bytes followed
// by a trail byte 0x40-0x7E or 0x80-0xFC.
bool IsWellFormedCp932Text(std::string_view bytes);

} // namespace kestrix
