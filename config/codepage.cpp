#include "config/codepage.h"

#include <QStringView>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace kestrix {

namespace {

// The JIS mapping of a few characters differs from the code page's own one;
// both forms stand for the same character of the code page.
QString WithCodePageTwins(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        switch (c.unicode()) {
        case 0x301C:
            c = QChar(0xFF5E);
            break; // wave dash
        case 0x2016:
            c = QChar(0x2225);
            break; // double vertical line
        case 0x2212:
            c = QChar(0xFF0D);
            break; // minus sign
        case 0x2014:
            c = QChar(0x2015);
            break; // em dash
        case 0x00A2:
            c = QChar(0xFFE0);
            break; // cent sign
        case 0x00A3:
            c = QChar(0xFFE1);
            break; // pound sign
        case 0x00AC:
            c = QChar(0xFFE2);
            break; // not sign
        default:
            break;
        }
    }
    return result;
}

#ifdef _WIN32

constexpr UINT kCodePage = 932;

// Windows reads some bytes that are no character of the code page as
// characters of its own (0x80 as U+0080, 0xFD as U+F8F1, a lead byte at the
// end as U+30FB): each character is converted alone and anything that is not
// one becomes U+FFFD for its first byte, as iconv reads it on other systems.
QString DecodeCp932(std::string_view bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += QChar(byte);
            ++i;
            continue;
        }
        const size_t length = IsCp932LeadByte(byte) && i + 1 < bytes.size() &&
                                      IsCp932TrailByte(static_cast<unsigned char>(bytes[i + 1]))
                                  ? 2
                                  : 1;
        wchar_t wide[2];
        const int count = length == 1 && !(byte >= 0xA1 && byte <= 0xDF)
                              ? 0
                              : MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS,
                                                    bytes.data() + i, int(length), wide, 2);
        if (count == 1) {
            text += QChar(char16_t(wide[0]));
            i += length;
        } else {
            text += QChar(0xFFFD);
            ++i;
        }
    }
    return text;
}

std::optional<std::string> EncodeCp932(const QString& text) {
    if (text.isEmpty()) return std::string();
    const std::wstring wide = text.toStdWString();
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           int(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string bytes(size_t(length), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()),
                        bytes.data(), length, nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return bytes;
}

#else

// One iconv conversion; on an invalid input sequence either gives up or puts
// the replacement into the output and skips a byte.
class IconvConverter {
  public:
    IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvConverter() {
        if (valid()) iconv_close(handle_);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> Convert(std::string_view input, std::string_view replacement) {
        if (!valid()) return std::nullopt;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr); // a fresh start
        std::string output;
        char buffer[1024];
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, size_t(out - buffer));
            if (rc != size_t(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ, or EINVAL for a sequence cut off at the end.
            if (replacement.empty()) return std::nullopt;
            output.append(replacement);
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

  private:
    iconv_t handle_;
};

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// Opening a converter costs more than converting a line; each thread keeps
// one of each direction.
std::string DecodeCp932ToUtf8(std::string_view bytes) {
    thread_local IconvConverter converter("UTF-8", "CP932");
    return converter.Convert(bytes, kReplacementUtf8).value_or(std::string());
}

QString DecodeCp932(std::string_view bytes) {
    const std::string utf8 = DecodeCp932ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::optional<std::string> EncodeCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    thread_local IconvConverter converter("CP932", "UTF-8");
    return converter.Convert(std::string_view(utf8.constData(), size_t(utf8.size())), {});
}

#endif

// Plain ASCII reads the same in the code page, both ways; such texts (every
// text of the English files) need no converter at all.
bool IsAscii(std::string_view bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool IsAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

} // namespace

QString FromCp932(std::string_view bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    return DecodeCp932(bytes);
}

std::optional<std::string> ToCp932(const QString& text) {
    if (IsAscii(text)) return text.toStdString();
    // A lone surrogate has no place in any code page.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate()) return std::nullopt;
    }
    const QString wanted = WithCodePageTwins(text);
    std::optional<std::string> bytes = EncodeCp932(wanted);
    // Converters may map a character to a look-alike (U+00A5 to a backslash);
    // only a conversion that comes back unchanged holds the text.
    if (!bytes || DecodeCp932(*bytes) != wanted) return std::nullopt;
    return bytes;
}

std::string ToCp932Lossy(const QString& text) {
    if (std::optional<std::string> whole = ToCp932(text)) return *std::move(whole);
    std::string bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const std::optional<std::string> one = ToCp932(text.mid(i, pair ? 2 : 1));
        bytes += one ? *one : std::string(1, '?');
        if (pair) ++i;
    }
    return bytes;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
#ifdef _WIN32
    const QByteArray utf8 = DecodeCp932(bytes).toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
#else
    return DecodeCp932ToUtf8(bytes);
#endif
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return ToCp932(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
    return ToCp932Lossy(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

bool IsWellFormedCp932Text(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsCp932LeadByte(byte)) {
            if (i + 1 >= bytes.size()) return false;
            const auto trail = static_cast<unsigned char>(bytes[++i]);
            if (!IsCp932TrailByte(trail)) return false;
        } else if (!((byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF))) {
            return false;
        }
    }
    return true;
}

} // namespace kestrix
