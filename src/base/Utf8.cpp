#include "base/Utf8.h"

#include <cstdint>

namespace kv {

namespace {

bool Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the well-formed character at the head of `text`, and the
// character; 0 when none starts there.
std::size_t NextCharacter(std::string_view text, char32_t& c)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        least = 0x80;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        least = 0x800;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        least = 0x10000;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (!Continuation(b)) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::vector<char32_t> out;
    while (!text.empty()) {
        char32_t c = 0;
        const std::size_t length = NextCharacter(text, c);
        if (length > 0) out.push_back(c);
        text.remove_prefix(length > 0 ? length : 1);
    }
    return out;
}

void AppendUtf8(std::string& text, char32_t c)
{
    const auto byte = [&text](uint32_t b) { text.push_back(static_cast<char>(b)); };
    const auto u = static_cast<uint32_t>(c);
    if (u < 0x80) {
        byte(u);
    } else if (u < 0x800) {
        byte(0xC0 | (u >> 6));
        byte(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        byte(0xE0 | (u >> 12));
        byte(0x80 | ((u >> 6) & 0x3F));
        byte(0x80 | (u & 0x3F));
    } else {
        byte(0xF0 | (u >> 18));
        byte(0x80 | ((u >> 12) & 0x3F));
        byte(0x80 | ((u >> 6) & 0x3F));
        byte(0x80 | (u & 0x3F));
    }
}

std::size_t Utf8Length(std::string_view text)
{
    std::size_t n = 0;
    for (const char c : text)
        if (!Continuation(static_cast<unsigned char>(c))) ++n;
    return n;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t characters)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Continuation(static_cast<unsigned char>(text[i]))) continue;
        if (seen == characters) return text.substr(0, i);
        ++seen;
    }
    return text;
}

void DropLastUtf8(std::string& text)
{
    while (!text.empty() && Continuation(static_cast<unsigned char>(text.back()))) text.pop_back();
    if (!text.empty()) text.pop_back();
}

}  // namespace kv
