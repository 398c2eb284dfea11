#include "core/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string_view>

namespace paylog {
namespace {

bool isLeadByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

// One converter per thread and direction: an iconv descriptor keeps state
// between calls, so it must never be shared between threads.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != invalidDescriptor()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Characters that cannot be read or written become '?'; badLength says
    // how many input bytes such a character spans.
    std::string convert(std::string_view in, size_t (*badLength)(std::string_view)) {
        std::string out;
        if (cd_ == invalidDescriptor()) return std::string(in.size(), '?');
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst);
            if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
            // EILSEQ or EINVAL (a character cut off at the end).
            out += '?';
            const size_t skip = std::min(srcLeft, badLength(std::string_view(src, srcLeft)));
            src += skip;
            srcLeft -= skip;
        }
        return out;
    }

  private:
    static iconv_t invalidDescriptor() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

// A UTF-8 character's length from its first byte; a stray byte counts alone.
size_t utf8BadLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

// A GBK pair is skipped whole only when it has the shape of one, so that a
// digit or sign after a stray lead byte survives.
size_t gbkBadLength(std::string_view s) {
    if (s.size() < 2) return 1;
    const auto lead = static_cast<unsigned char>(s[0]);
    const auto trail = static_cast<unsigned char>(s[1]);
    const bool pair =
        lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    return pair ? 2 : 1;
}

}  // namespace

Text gbk(std::string_view utf8Text) {
    thread_local Converter toGbk("GBK", "UTF-8");
    return toGbk.convert(utf8Text, utf8BadLength);
}

std::string utf8(std::string_view gbkText) {
    thread_local Converter toUtf8("UTF-8", "GBK");
    return toUtf8.convert(gbkText, gbkBadLength);
}

Text normaliseFullWidth(std::string_view t) {
    Text out;
    out.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        if (!isLeadByte(t[i])) {
            out += t[i];
            continue;
        }
        if (i + 1 == t.size()) break;  // a lead byte without its second byte
        const auto lead = static_cast<unsigned char>(t[i]);
        const auto trail = static_cast<unsigned char>(t[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            out += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out += '*';
        } else {
            out.append(t.substr(i, 2));
        }
        ++i;
    }
    return out;
}

int32_t textLength(std::string_view t) { return static_cast<int32_t>(t.size()); }

Text textLeft(std::string_view t, int32_t n) {
    if (n <= 0) return {};
    return Text(t.substr(0, static_cast<size_t>(n)));
}

Text textRight(std::string_view t, int32_t n) {
    if (n <= 0) return {};
    const size_t count = std::min(t.size(), static_cast<size_t>(n));
    return Text(t.substr(t.size() - count));
}

Text joinTexts(std::initializer_list<std::string_view> parts) {
    size_t total = 0;
    for (std::string_view p : parts) total += p.size();
    Text out;
    out.reserve(total);
    for (std::string_view p : parts) out.append(p);
    return out;
}

int compareText(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, as GBK order needs.
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

std::vector<Text> splitText(std::string_view t, std::string_view sep, int32_t maxCount) {
    std::vector<Text> pieces;
    if (t.empty() || maxCount <= 0) return pieces;
    if (sep.empty()) return {Text(t)};
    const auto limit = static_cast<size_t>(maxCount);
    size_t start = 0;
    size_t pos = 0;
    while (pos + sep.size() <= t.size()) {
        if (t.compare(pos, sep.size(), sep) == 0) {
            pieces.emplace_back(t.substr(start, pos - start));
            pos += sep.size();
            start = pos;
            if (pieces.size() >= limit) return pieces;
        } else {
            pos += isLeadByte(t[pos]) ? 2 : 1;  // never match inside a character
        }
    }
    if (start < t.size()) pieces.emplace_back(t.substr(start));
    return pieces;
}

}  // namespace paylog
