#include "thermo/UZahlformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

char32_t DecimalSeparator = U'.';
char32_t ThousandSeparator = 0;

namespace {

constexpr int kSignificant = 15;

void AppendUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at s[i], advancing i; invalid bytes decode as U+FFFD.
char32_t NextUtf8(const std::string& s, size_t& i)
{
    const unsigned char b = static_cast<unsigned char>(s[i++]);
    int extra = 0;
    char32_t c = 0;
    if (b < 0x80)
        return b;
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        c = b & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return c;
}

char32_t EffectiveDecimalSeparator()
{
    return DecimalSeparator != 0 ? DecimalSeparator : U'.';
}

// |v| as 15 significant decimal digits d[0..14] with d[0] at the position 10^exponent.
struct TDecimal {
    char d[kSignificant + 1];
    int n;
    int exponent;
};

TDecimal Decompose(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                 kSignificant - 1);
    TDecimal dec{};
    dec.n = 0;
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            dec.d[dec.n++] = static_cast<char>(*p - '0');
    int e = 0;
    if (p < r.ptr)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), r.ptr, e);
    dec.exponent = e;
    return dec;
}

std::string Format(double v, int decimals, bool grouping)
{
    if (!std::isfinite(v))
        return std::string();
    decimals = std::clamp(decimals, 0, kSignificant);
    TDecimal dec = Decompose(v);

    // Round half away from zero at the position 10^-decimals.
    const int keep = dec.exponent + 1 + decimals; // digits at or above 10^-decimals
    if (keep < 0) {
        dec.n = 0;
    } else if (keep < dec.n) {
        const bool up = dec.d[keep] >= 5;
        dec.n = keep;
        if (up) {
            int i = keep - 1;
            while (i >= 0 && dec.d[i] == 9)
                dec.d[i--] = 0;
            if (i >= 0) {
                ++dec.d[i];
            } else {
                // Carry out of the leading digit (also the case keep == 0): a new leading 1.
                std::memmove(dec.d + 1, dec.d, static_cast<size_t>(dec.n));
                dec.d[0] = 1;
                ++dec.n;
                ++dec.exponent;
            }
        }
    }
    auto digitAt = [&](int position) -> int {
        const int i = dec.exponent - position;
        return i >= 0 && i < dec.n ? dec.d[i] : 0;
    };
    bool nonZero = false;
    for (int i = 0; i < dec.n; ++i)
        nonZero = nonZero || dec.d[i] != 0;

    std::string s;
    if (v < 0 && nonZero)
        s += '-';
    const int top = std::max(dec.exponent, 0);
    for (int p = top; p >= 0; --p) {
        s += static_cast<char>('0' + digitAt(p));
        if (grouping && ThousandSeparator != 0 && p > 0 && p % 3 == 0)
            AppendUtf8(s, ThousandSeparator);
    }
    if (decimals > 0) {
        AppendUtf8(s, EffectiveDecimalSeparator());
        for (int p = -1; p >= -decimals; --p)
            s += static_cast<char>('0' + digitAt(p));
    }
    return s;
}

} // namespace

std::string FormatFixed(double v, int decimals)
{
    return Format(v, decimals, false);
}

std::string FormatNumber(double v, int decimals)
{
    return Format(v, decimals, true);
}

std::string FormatGeneral(double v)
{
    if (!std::isfinite(v))
        return std::string();
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, kSignificant);
    std::string s;
    for (const char* p = buf; p < r.ptr; ++p) {
        if (*p == '.') {
            AppendUtf8(s, EffectiveDecimalSeparator());
        } else if (*p == 'e') {
            // Exponent as E-7 / E20: no plus sign, no leading zeros.
            s += 'E';
            ++p;
            if (*p == '-')
                s += '-';
            if (*p == '-' || *p == '+')
                ++p;
            while (p + 1 < r.ptr && *p == '0')
                ++p;
            for (; p < r.ptr; ++p)
                s += *p;
            break;
        } else {
            s += *p;
        }
    }
    return s;
}

bool ParseNumber(const std::string& text, double& value)
{
    const char32_t sep = EffectiveDecimalSeparator();
    // Translate into the plain form "-123.45e-6", checking the grammar on the way.
    std::string plain;
    size_t i = 0;
    auto isBlank = [](char32_t c) { return c == U' ' || c == U'\t' || c == 0xA0; };
    char32_t c = 0;
    // States: 0 leading blanks/sign, 1 integer digits, 2 fraction digits, 3 exponent sign,
    // 4 exponent digits, 5 trailing blanks.
    int state = 0;
    int mantissaDigits = 0, exponentDigits = 0;
    while (i < text.size()) {
        c = NextUtf8(text, i);
        switch (state) {
        case 0:
            if (isBlank(c) && plain.empty())
                continue;
            if ((c == U'+' || c == U'-') && plain.empty()) {
                if (c == U'-')
                    plain += '-';
                state = 1;
                continue;
            }
            state = 1;
            [[fallthrough]];
        case 1:
        case 2:
            if (c >= U'0' && c <= U'9') {
                plain += static_cast<char>(c);
                ++mantissaDigits;
            } else if (c == sep && state == 1) {
                plain += '.';
                state = 2;
            } else if ((c == U'e' || c == U'E') && mantissaDigits > 0) {
                plain += 'e';
                state = 3;
            } else if (isBlank(c) && mantissaDigits > 0) {
                state = 5;
            } else {
                return false;
            }
            break;
        case 3:
            if (c == U'+' || c == U'-') {
                if (c == U'-')
                    plain += '-';
                state = 4;
                break;
            }
            state = 4;
            [[fallthrough]];
        case 4:
            if (c >= U'0' && c <= U'9') {
                plain += static_cast<char>(c);
                ++exponentDigits;
            } else if (isBlank(c) && exponentDigits > 0) {
                state = 5;
            } else {
                return false;
            }
            break;
        default:
            if (!isBlank(c))
                return false;
            break;
        }
    }
    if (mantissaDigits == 0 || ((state == 3 || state == 4) && exponentDigits == 0))
        return false;
    double v = 0;
    const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), v,
                                   std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

std::string SeparatorText(char32_t c)
{
    std::string s;
    if (c != 0)
        AppendUtf8(s, c);
    return s;
}
