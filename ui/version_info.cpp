#include "ui/version_info.h"

#include <QFile>

#include <algorithm>
#include <string>

#ifdef Q_OS_WIN
#include <windows.h>

#include <cstdio>
#include <vector>
#endif

namespace kestrix {

QString VersionInfo::value(std::string_view name) const {
    const auto found = std::find(kNames.begin(), kNames.end(), name);
    if (found == kNames.end()) return {};
    return values[static_cast<std::size_t>(found - kNames.begin())];
}

namespace {

// Texts are cut as the version resource's readers cut them.
constexpr qsizetype kMaxValueLength = 259;

QString Limited(QString text) {
    if (text.size() > kMaxValueLength) text.truncate(kMaxValueLength);
    return text;
}

// The marker of the embedded block. It is assembled at run time so that the
// reader itself does not carry the marker in the program file.
std::string EmbeddedMarker() {
    std::string marker = "OFNINOISREV-XIRTSEK";
    std::reverse(marker.begin(), marker.end());
    marker.push_back('\0');
    return marker;
}

} // namespace

std::optional<VersionInfo> ParseEmbeddedVersionBlock(std::string_view bytes) {
    const std::string marker = EmbeddedMarker();
    for (std::size_t at = bytes.find(marker); at != std::string_view::npos;
         at = bytes.find(marker, at + 1)) {
        std::size_t pos = at + marker.size();
        // Reads one NUL-ended text; false when the bytes end first.
        auto next = [&](std::string_view& text) {
            const std::size_t end = bytes.find('\0', pos);
            if (end == std::string_view::npos) return false;
            text = bytes.substr(pos, end - pos);
            pos = end + 1;
            return true;
        };
        VersionInfo info;
        bool complete = false;
        bool any = false;
        std::string_view name;
        std::string_view value;
        while (next(name)) {
            if (name.empty()) {
                complete = true;
                break;
            }
            if (!next(value)) break;
            const auto found =
                std::find(VersionInfo::kNames.begin(), VersionInfo::kNames.end(), name);
            if (found == VersionInfo::kNames.end()) continue;
            info.values[static_cast<std::size_t>(found - VersionInfo::kNames.begin())] =
                Limited(QString::fromUtf8(value.data(), qsizetype(value.size())));
            any = true;
        }
        if (complete && any) return info;
    }
    return std::nullopt;
}

#ifdef Q_OS_WIN

std::optional<VersionInfo> ReadVersionInfo(const QString& fileName) {
    const std::wstring path = fileName.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;

    // The first entry of the translation table picks the string table; a
    // resource without one is taken as Japanese, code page 932.
    DWORD key = 0x041103A4;
    void* translation = nullptr;
    UINT translationLength = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation,
                       &translationLength) &&
        translationLength >= 4) {
        const WORD* pair = static_cast<const WORD*>(translation);
        key = (DWORD(pair[0]) << 16) | pair[1];
    }
    wchar_t prefix[40];
    std::swprintf(prefix, 40, L"\\StringFileInfo\\%08X\\", unsigned(key));

    VersionInfo info;
    for (std::size_t i = 0; i < VersionInfo::kNames.size(); ++i) {
        const std::wstring query =
            prefix + QString::fromLatin1(VersionInfo::kNames[i].data(),
                                         qsizetype(VersionInfo::kNames[i].size()))
                         .toStdWString();
        void* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(block.data(), query.c_str(), &value, &length) && value && length > 0)
            info.values[i] = Limited(QString::fromWCharArray(static_cast<const wchar_t*>(value)));
    }
    return info;
}

#else

std::optional<VersionInfo> ReadVersionInfo(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    return ParseEmbeddedVersionBlock(
        std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

#endif

} // namespace kestrix
