// UTF-8 text as typed and shown: the game keeps every text it shows as
// UTF-8 bytes, and counts, cuts and edits it by characters, never in the
// middle of one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The characters of a UTF-8 text. A byte that starts no well-formed
// character (a stray continuation, a cut or overlong sequence, a surrogate)
// is skipped.
std::vector<char32_t> DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& text, char32_t c);
std::size_t Utf8Length(std::string_view text);
// The first `characters` characters of a text (all of it when it is shorter).
std::string_view Utf8Prefix(std::string_view text, std::size_t characters);
// The text without its last character.
void DropLastUtf8(std::string& text);

}  // namespace kv
